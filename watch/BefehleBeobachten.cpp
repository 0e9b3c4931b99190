#include "watch/BefehleBeobachten.h"

#include "platform/MainWindowApi.h"
#include "watch/FormBeobachten.h"
#include "watch/FormIndex.h"

void menuIndex(MainWindowApi& api, const ModalRunner& modal) {
    FormIndex f(api, api.window());
    zeigeModal(modal, f);
}

void menuBeobachten(MainWindowApi& api, const ModalRunner& modal) {
    FormBeobachten f(api, api.window());
    zeigeModal(modal, f);
}
