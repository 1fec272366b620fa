#include "app/AppState.h"
#include "app/GameWindow.h"

// The halves of lParam are signed: while a button is held the window system goes on reporting
// the pointer past the window's edges, left and above as negative numbers. The hand stays on the
// board: a position outside the client area counts as the nearest point of its edge.
static void StoreMousePosition(std::uint32_t lParam) {
    const int x = static_cast<std::int16_t>(lParam & 0xFFFFu);
    const int y = static_cast<std::int16_t>(lParam >> 16);
    const int right = gameTable.ClientWidth() > 0 ? gameTable.ClientWidth() - 1 : 0;
    const int bottom = gameTable.ClientHeight() > 0 ? gameTable.ClientHeight() - 1 : 0;
    gameTable.SetPointer(static_cast<float>(x < 0       ? 0
                                            : x > right ? right
                                                        : x),
                         static_cast<float>(y < 0        ? 0
                                            : y > bottom ? bottom
                                                         : y));
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
            // A typed character taps the key of the same number: it acts on the next pass only,
            // and a held key's repeated characters act once each.
            if (wParam < 256) {
                lastChar = static_cast<signed char>(wParam & 0xFFu);
                typedSincePass[wParam] = 1;
            }
            return 0;
        case SizeMessage:
            ResizeViewport(static_cast<int>(lParam & 0xFFFFu), static_cast<int>(lParam >> 16));
            return 0;
        case MouseMoveMessage:
            StoreMousePosition(lParam);
            if (gameTable.InputEnabled()) {
                gameTable.MouseToBoard();
                gameTable.HoverStep();
            }
            return 0;
        case LeftButtonDownMessage:
            if (gameTable.InputEnabled()) {
                StoreMousePosition(lParam);
                gameTable.MouseToBoard();
                gameTable.DropStep();
            }
            return 0;
        case RightButtonDownMessage:
            StoreMousePosition(lParam);
            gameTable.OtherDieStep();
            return 0;
        default:
            break;
    }
    return DefaultWindowProc(window, message, wParam, lParam);
}
