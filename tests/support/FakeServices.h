#pragma once
// Recording stand-ins for the help window and the editor start.

#include "platform/HelpViewer.h"
#include "platform/Launcher.h"

class FakeHelpService final : public HelpService {
public:
    int contentsShown = 0;
    int closed = 0;
    void showContents() override { ++contentsShown; }
    void closeIfOpen() override { ++closed; }
};

class FakeEditorLauncher final : public EditorLauncher {
public:
    bool result = true; ///< what startEditor() answers
    int starts = 0;
    bool startEditor() override {
        ++starts;
        return result;
    }
};
