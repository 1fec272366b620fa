#include "app/AppState.h"

#include <GL/gl.h>

#include <cstring>

GameTable gameTable;

int done = 0;
unsigned char fullscreen = 0;
unsigned char active = 1;
unsigned char keys[256] = {};
unsigned char keysPressedSincePass[256] = {};
unsigned char keysReleasePending[256] = {};
unsigned char typedSincePass[256] = {};
signed char lastChar = 0;
unsigned char fadingIn = 1;
unsigned char fadingOut = 0;
float lightDiffuse[4] = {0.0f, 0.0f, 0.0f, 1.0f};

WindowHandle gameWindow = nullptr;
DeviceContext gameDeviceContext = nullptr;
RenderContext gameRenderContext = nullptr;

unsigned polygonMode = GL_FILL;
bool sceneSetUpBefore = false;

void ResetAppState() {
    done = 0;
    fullscreen = 0;
    active = 1;
    std::memset(keys, 0, sizeof keys);
    std::memset(keysPressedSincePass, 0, sizeof keysPressedSincePass);
    std::memset(keysReleasePending, 0, sizeof keysReleasePending);
    std::memset(typedSincePass, 0, sizeof typedSincePass);
    lastChar = 0;
    fadingIn = 1;
    fadingOut = 0;
    lightDiffuse[0] = 0.0f;
    lightDiffuse[1] = 0.0f;
    lightDiffuse[2] = 0.0f;
    lightDiffuse[3] = 1.0f;
    gameWindow = nullptr;
    gameDeviceContext = nullptr;
    gameRenderContext = nullptr;
    polygonMode = GL_FILL;
    sceneSetUpBefore = false;
}
