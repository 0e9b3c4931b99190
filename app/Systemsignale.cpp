#include "app/Systemsignale.h"

#include <csignal>

void dateigroessenGrenzeAbfangen() {
    std::signal(SIGXFSZ, SIG_IGN);
}
