#include <GL/glu.h>

#include "app/App.h"
#include "app/GlCheck.h"

static const char* const windowTitle = "Kestrane Alpha ver";
static const int windowWidth = 800;
static const int windowHeight = 600;
static const char* const errorCaption = "ERROR";

bool App::OpenWindow(bool fullscreenRequested) {
    // 1. The mode asked for; where the display cannot take it, the player may take a window.
    fullscreen = fullscreenRequested;
    platform::OpenResult result =
        platform::OpenWindow(windowTitle, windowWidth, windowHeight, fullscreen);
    if (result == platform::OpenResult::ModeRefused) {
        if (platform::ShowMessageBox(
                "The Requested Fullscreen Mode Is Not Supported By\nYour Video "
                "Card. Use Windowed Mode Instead?",
                "Zorv GL", platform::YesNoExclamation) != platform::YesAnswer) {
            platform::ShowMessageBox("Program Will Now Close.", errorCaption, platform::OkStop);
            return false;
        }
        fullscreen = false;
        result = platform::OpenWindow(windowTitle, windowWidth, windowHeight, false);
    }

    // 2. A failed step has closed what the opening had made; only then does the player hear why.
    const char* failure = nullptr;
    switch (result) {
        case platform::OpenResult::Opened:
            break;
        case platform::OpenResult::NoWindowSystem:
            failure = "Failed To Register The Window Class.";
            break;
        case platform::OpenResult::ModeRefused:
        case platform::OpenResult::WindowFailed:
            failure = "Window Creation Error.";
            break;
        case platform::OpenResult::NoDeviceContext:
            failure = "Can't Create A GL Device Context.";
            break;
        case platform::OpenResult::NoPixelFormat:
            failure = "Can't Find A Suitable PixelFormat.";
            break;
        case platform::OpenResult::PixelFormatRefused:
            failure = "Can't Set The PixelFormat.";
            break;
        case platform::OpenResult::ContextFailed:
            failure = "Can't Create A GL Rendering Context.";
            break;
        case platform::OpenResult::ContextNotCurrent:
            failure = "Can't Activate The GL Rendering Context.";
            break;
    }
    if (failure) {
        platform::ShowMessageBox(failure, errorCaption, platform::OkExclamation);
        return false;
    }

    // 3. Projection and scene on the new context.
    windowOpen = true;
    ResizeViewport(windowWidth, windowHeight);
    SetUpScene();
    return true;
}

void App::CloseWindow() {
    if (windowOpen && !platform::CloseWindow()) {
        platform::ShowMessageBox("Release Of DC And RC Failed.", "SHUTDOWN ERROR",
                                 platform::OkInformation);
    }
    windowOpen = false;
}

void App::ResizeViewport(int width, int height) {
    if (height == 0) {
        height = 1;
    }
    table.SetClientSize(width, height);
    // A size that arrives before any context is current only records the client size.
    if (!windowOpen) {
        return;
    }
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    float aspect = static_cast<float>(width) / static_cast<float>(height);
    gluPerspective(45.0, aspect, static_cast<double>(0.1f), 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    CheckGlErrors("ResizeViewport");
}
