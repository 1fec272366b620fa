#pragma once

#include "platform/Platform.h"
#include "table/GameTable.h"

// The application frame's globals: the end and window-mode flags, the key-state table and last
// typed character that the window procedure fills and the main loop acts on, the light fade, and
// the handles of the one game window. All of them are touched by the one program thread only.

// The one game: built before the entry runs and destroyed after it, so it outlives every window.
extern GameTable gameTable;

extern int done;                  // non-zero ends the main loop
extern unsigned char fullscreen;  // window mode requested, then in force
extern unsigned char active;      // frames are drawn only while set (cleared when minimised)
extern unsigned char keys[256];   // 1 while a key (by virtual-key or character code) is down
// A key pressed and released between two idle passes (a quick tap while the loop waits for the
// next frame) still acts once: its release is held back until after the next pass.
extern unsigned char keysPressedSincePass[256];
extern unsigned char keysReleasePending[256];
// Characters typed since the last pass, by character code: each acts as a tap of the key of the
// same number ("k" is the keypad's plus, "]" the menu key) on the next pass, and only then.
extern unsigned char typedSincePass[256];
extern signed char lastChar;     // the last typed character, until the loop has acted on it
extern unsigned char fadingIn;   // the light is still coming up from black
extern unsigned char fadingOut;  // Escape was pressed: the light goes down, then the game ends
extern float lightDiffuse[4];    // the diffuse colour of the one light, faded in and out

// The handles of the open window; each null when not held.
extern WindowHandle gameWindow;
extern DeviceContext gameDeviceContext;
extern RenderContext gameRenderContext;

// The polygon mode last set by the "[" and "]" keys (a GL enum; GL_FILL at start). Kept so that
// the mode can be checked without reading it back from a rendering context.
extern unsigned polygonMode;

// Whether the scene has been set up before: only the first opening rolls the dice, so toggling
// the window mode in the middle of a turn leaves the dice and the moves left alone.
extern bool sceneSetUpBefore;

// Puts every global above (but not the game table) back to its value at program start.
void ResetAppState();
