#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

// The window-system steps a test can make fail, one flag each.
enum FakeStep {
    RegisterClassStep,
    ChangeDisplayModeStep,
    CreateWindowStep,
    GetDeviceContextStep,
    ChoosePixelFormatStep,
    SetPixelFormatStep,
    CreateRenderContextStep,
    MakeCurrentStep,
    ReleaseCurrentStep,  // MakeCurrent(nullptr, nullptr)
    DeleteRenderContextStep,
    ReleaseDeviceContextStep,
    DestroyWindowStep,
    UnregisterClassStep,
    SwapIntervalStep,
    FakeStepCount
};

// A message the fake delivers once at least `afterSwaps` buffer swaps have happened.
struct ScriptedMessage {
    int afterSwaps = 0;
    WindowMessage message;
};

struct ShownMessageBox {
    std::string text;
    std::string caption;
    MessageBoxStyle style = OkInformation;
    MessageBoxAnswer answer = OkAnswer;
};

// The scripted window system the tests link instead of SDL. It keeps the handles it gave out,
// so a test can tell what an opening acquired and a closing released; it delivers scripted
// messages in order, each no earlier than its swap count; it records every message box and
// answers yes/no questions from `answers` (Yes when empty). Its clock only moves when a test
// moves it or the game waits for a message, so pacing can be checked without real time. When the
// script runs dry and the swap count passes `swapLimit`, it sends a close, so a game that never
// ends cannot hang a test.
struct FakePlatform {
    bool failing[FakeStepCount] = {};
    std::deque<ScriptedMessage> script;
    std::deque<MessageBoxAnswer> answers;
    std::vector<ShownMessageBox> boxes;
    // Every call that acquires, releases or changes something, in order ("CreateGameWindow", ...).
    std::vector<std::string> calls;
    // Runs after each buffer swap, with the swap count; tests inspect the frame or script more.
    std::function<void(int)> onSwap;

    int swaps = 0;
    int swapLimit = 100000;
    bool classRegistered = false;
    bool displayChanged = false;
    int windowsOpen = 0;
    int deviceContextsHeld = 0;
    int renderContextsHeld = 0;
    bool contextCurrent = false;
    int pointerCount = 0;
    bool lastWindowFullscreen = false;
    int lastWindowX = 0;
    int lastWindowY = 0;
    int swapInterval = 0;
    // A display refreshing every this many microseconds: with a swap interval of 1, each swap
    // waits on the clock for the next refresh. Zero: swaps return at once.
    std::int64_t refreshPeriod = 0;
    bool quitPosted = false;
    int quitCode = 0;
    std::int64_t clock = 0;
    int waits = 0;
};

// The one fake; ResetFakePlatform gives it back its initial state.
FakePlatform& Fake();
void ResetFakePlatform();

// Helpers for scripting: queue a message for after `afterSwaps` swaps.
void Script(int afterSwaps, unsigned message, std::uint32_t wParam = 0, std::uint32_t lParam = 0);
std::uint32_t PackClientPoint(int x, int y);
