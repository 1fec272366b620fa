#pragma once

#include <cstdint>

#include "platform/Platform.h"

// The game window and its rendering context. OpenGameWindow runs every step of an opening in a
// fixed order (class, display mode, window, device context, pixel format, rendering context,
// show, viewport, scene); when a step fails it closes what the opening had acquired, shows the
// step's message box and returns false. CloseGameWindow releases whatever is held, reporting each
// release that fails and going on. Both run at start, at every window-mode toggle and at the end.
bool OpenGameWindow(const char* title, int width, int height, int bits, bool fullscreenRequested);
void CloseGameWindow();
// Sets the viewport and the perspective projection for a client area; a zero height counts as 1.
// Also records the client size on the game table for the mouse-to-board mapping.
void ResizeViewport(int width, int height);

// Puts a fresh rendering context into the state every frame relies on and builds the display
// lists; the first call also rolls the human's first dice. Always true.
bool SetUpScene();
// One step of game time: the light's fade-in or fade-out, then the table's step. The step that
// takes the fade-out below zero sets `done`.
void StepFrame();
// Draws the scene as the last step left it; changes nothing.
void DrawFrame();

// The window procedure: turns a message into key state, activity, viewport and mouse actions.
std::int32_t GameWindowProc(WindowHandle window, unsigned message, std::uint32_t wParam,
                            std::uint32_t lParam);
