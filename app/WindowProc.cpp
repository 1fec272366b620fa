#include "app/AppState.h"
#include "app/GameWindow.h"

static void StoreMousePosition(std::uint32_t lParam) {
    gameTable.mouseX = static_cast<float>(lParam & 0xFFFFu);
    gameTable.mouseY = static_cast<float>(lParam >> 16);
}

std::int32_t GameWindowProc(WindowHandle window, unsigned message, std::uint32_t wParam,
                            std::uint32_t lParam) {
    switch (message) {
        case ActivateMessage:
            // Only minimising stops the frames; losing the focus does not.
            active = (wParam >> 16) == 0 ? 1 : 0;
            return 0;
        case SysCommandMessage:
            if (wParam == ScreenSaveCommand || wParam == MonitorPowerCommand) {
                return 0;
            }
            break;
        case CloseMessage:
            PostQuitMessage(0);
            return 0;
        case KeyDownMessage:
            // The table has 256 entries; wider codes from another input layer are not keys.
            if (wParam < 256) {
                keys[wParam] = 1;
                keysPressedSincePass[wParam] = 1;
                keysReleasePending[wParam] = 0;
            }
            return 0;
        case KeyUpMessage:
            if (wParam < 256) {
                if (keysPressedSincePass[wParam]) {
                    keysReleasePending[wParam] = 1;
                } else {
                    keys[wParam] = 0;
                }
            }
            return 0;
        case CharMessage:
            if (wParam < 256) {
                lastChar = static_cast<signed char>(wParam & 0xFFu);
                keys[wParam] = 1;
            }
            return 0;
        case SizeMessage:
            ResizeViewport(static_cast<int>(lParam & 0xFFFFu), static_cast<int>(lParam >> 16));
            return 0;
        case MouseMoveMessage:
            StoreMousePosition(lParam);
            if (gameTable.inputEnabled) {
                gameTable.MouseToBoard();
                gameTable.HoverStep();
            }
            return 0;
        case LeftButtonDownMessage:
            if (gameTable.inputEnabled) {
                StoreMousePosition(lParam);
                gameTable.MouseToBoard();
                gameTable.DropStep();
            }
            return 0;
        case RightButtonDownMessage:
            gameTable.SwitchDie();
            StoreMousePosition(lParam);
            gameTable.MouseToBoard();
            gameTable.HoverStep();
            return 0;
        default:
            break;
    }
    return DefaultWindowProc(window, message, wParam, lParam);
}
