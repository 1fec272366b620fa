#include "app/GameWindow.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/AppState.h"
#include "app/GlCheck.h"

// One record for the whole program, filled at the first opening and reused by every later one.
static PixelFormatRequest pixelFormat;
static bool pixelFormatFilled = false;

static const char* const errorCaption = "ERROR";
static const char* const shutdownCaption = "SHUTDOWN ERROR";

static bool FailOpening(const char* text) {
    CloseGameWindow();
    ShowMessageBox(text, errorCaption, OkExclamation);
    return false;
}

bool OpenGameWindow(const char* title, int width, int height, int bits, bool fullscreenRequested) {
    // 1. The mode asked for.
    fullscreen = fullscreenRequested ? 1 : 0;

    // 2. The window class.
    if (!RegisterWindowClass()) {
        ShowMessageBox("Failed To Register The Window Class.", errorCaption, OkExclamation);
        return false;
    }

    // 3. The display mode for fullscreen, or the way back to a window.
    if (fullscreen) {
        if (ChangeDisplayMode(width, height, bits)) {
            ShowPointer(false);
        } else if (ShowMessageBox("The Requested Fullscreen Mode Is Not Supported By\nYour Video "
                                  "Card. Use Windowed Mode Instead?",
                                  "Zorv GL", YesNoExclamation) == YesAnswer) {
            fullscreen = 0;
        } else {
            ShowMessageBox("Program Will Now Close.", errorCaption, OkStop);
            return false;
        }
    }

    // 4, 5. The window: captioned and resizable, or covering the display.
    gameWindow = CreateGameWindow(title, 150, 50, width, height, fullscreen != 0);
    if (!gameWindow) {
        return FailOpening("Window Creation Error.");
    }

    // 6. The pixel format, settled once.
    if (!pixelFormatFilled) {
        pixelFormat.colourBits = bits;
        pixelFormat.depthBits = 16;
        pixelFormat.doubleBuffer = true;
        pixelFormatFilled = true;
    }

    // 7 to 11. Device context, pixel format, rendering context, made current.
    gameDeviceContext = GetDeviceContext(gameWindow);
    if (!gameDeviceContext) {
        return FailOpening("Can't Create A GL Device Context.");
    }
    int format = ChoosePixelFormat(gameDeviceContext, pixelFormat);
    if (format == 0) {
        return FailOpening("Can't Find A Suitable PixelFormat.");
    }
    if (!SetPixelFormat(gameDeviceContext, format, pixelFormat)) {
        return FailOpening("Can't Set The PixelFormat.");
    }
    gameRenderContext = CreateRenderContext(gameDeviceContext);
    if (!gameRenderContext) {
        return FailOpening("Can't Create A GL Rendering Context.");
    }
    if (!MakeCurrent(gameDeviceContext, gameRenderContext)) {
        return FailOpening("Can't Activate The GL Rendering Context.");
    }

    // 12. Shown, pointer hidden, in front.
    ShowGameWindow(gameWindow);
    ShowPointer(false);
    FocusGameWindow(gameWindow);

    // 13, 14. Projection and scene on the new context.
    ResizeViewport(width, height);
    if (!SetUpScene()) {
        return FailOpening("Initialization Failed.");
    }
    return true;
}

void CloseGameWindow() {
    // 1. Back to the desktop mode.
    if (fullscreen) {
        RestoreDisplayMode();
        ShowPointer(true);
    }

    // 2. The rendering context.
    if (gameRenderContext) {
        if (!MakeCurrent(nullptr, nullptr)) {
            ShowMessageBox("Release Of DC And RC Failed.", shutdownCaption, OkInformation);
        }
        if (!DeleteRenderContext(gameRenderContext)) {
            ShowMessageBox("Release Rendering Context Failed.", shutdownCaption, OkInformation);
        }
        gameRenderContext = nullptr;
    }

    // 3. The device context.
    if (gameDeviceContext) {
        if (!ReleaseDeviceContext(gameWindow, gameDeviceContext)) {
            ShowMessageBox("Release Device Context Failed.", shutdownCaption, OkInformation);
        }
        gameDeviceContext = nullptr;
    }

    // 4. The window.
    if (gameWindow) {
        if (!DestroyGameWindow(gameWindow)) {
            ShowMessageBox("Could Not Release hWnd.", shutdownCaption, OkInformation);
        }
        gameWindow = nullptr;
    }

    // 5. The class, always.
    if (!UnregisterWindowClass()) {
        ShowMessageBox("Could Not Unregister Class.", shutdownCaption, OkInformation);
    }
}

void ResizeViewport(int width, int height) {
    if (height == 0) {
        height = 1;
    }
    gameTable.SetClientSize(width, height);
    // A size that arrives before any context is current only records the client size.
    if (!gameRenderContext) {
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
