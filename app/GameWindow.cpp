#include "app/GameWindow.h"

#include "platform/Platform.h"

static const char* const windowTitle = "Kestrane Alpha ver";
static const char* const errorCaption = "ERROR";

// What the player is told when a step of the opening fails.
struct OpenFailure {
    platform::OpenResult result;
    const char* text;
};
static const OpenFailure openFailures[] = {
    {platform::OpenResult::NoWindowSystem, "Failed To Register The Window Class."},
    {platform::OpenResult::ModeRefused, "Window Creation Error."},
    {platform::OpenResult::WindowFailed, "Window Creation Error."},
    {platform::OpenResult::NoDeviceContext, "Can't Create A GL Device Context."},
    {platform::OpenResult::NoPixelFormat, "Can't Find A Suitable PixelFormat."},
    {platform::OpenResult::PixelFormatRefused, "Can't Set The PixelFormat."},
    {platform::OpenResult::ContextFailed, "Can't Create A GL Rendering Context."},
    {platform::OpenResult::ContextNotCurrent, "Can't Activate The GL Rendering Context."},
};

bool GameWindow::Open(bool fullscreenRequested) {
    fullscreen = fullscreenRequested;
    platform::OpenResult result = platform::OpenWindow(windowTitle, width, height, fullscreen);
    if (result == platform::OpenResult::ModeRefused) {
        if (platform::ShowMessageBox(
                "The Requested Fullscreen Mode Is Not Supported By\nYour Video "
                "Card. Use Windowed Mode Instead?",
                "Zorv GL", platform::YesNoExclamation) != platform::YesAnswer) {
            platform::ShowMessageBox("Program Will Now Close.", errorCaption, platform::OkStop);
            return false;
        }
        fullscreen = false;
        result = platform::OpenWindow(windowTitle, width, height, false);
    }
    for (const OpenFailure& failure : openFailures) {
        if (failure.result == result) {
            platform::ShowMessageBox(failure.text, errorCaption, platform::OkExclamation);
            return false;
        }
    }
    open = true;
    return true;
}

void GameWindow::Close() {
    if (open && !platform::CloseWindow()) {
        platform::ShowMessageBox("Release Of DC And RC Failed.", "SHUTDOWN ERROR",
                                 platform::OkInformation);
    }
    open = false;
}
