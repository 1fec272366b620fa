#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Events.h"

// The window-system steps a test can make fail, one flag each.
enum FakeStep {
    WindowSystemStep,
    DisplayModeStep,
    WindowStep,
    DeviceContextStep,
    PixelFormatStep,
    SetPixelFormatStep,
    ContextStep,
    MakeCurrentStep,
    ReleaseCurrentStep,  // on closing
    SwapIntervalStep,
    FakeStepCount
};

struct ShownMessageBox {
    std::string text;
    std::string caption;
    platform::MessageBoxStyle style = platform::OkInformation;
    platform::MessageBoxAnswer answer = platform::OkAnswer;
};

// The scripted window system the tests link instead of SDL. It delivers scripted events in
// order, each once at least its number of buffer swaps have happened; it records every opening,
// closing and message box, and answers yes/no questions from `answers` (Yes when empty). Its clock
// only moves when a test moves it or the game waits for an event, so pacing can be checked
// without real time. When the script runs dry and the swap count passes `swapLimit`, it asks to
// close, so a game that never ends cannot hang a test.
struct FakePlatform {
    bool failing[FakeStepCount] = {};
    std::deque<std::pair<int, Event>> script;  // (after this many swaps, the event)
    std::deque<platform::MessageBoxAnswer> answers;
    std::vector<ShownMessageBox> boxes;
    // "OpenWindow", "OpenWindow fullscreen", "CloseWindow", "MessageBox <text>", in order.
    std::vector<std::string> calls;
    // Runs after each buffer swap, with the swap count; tests inspect the frame or script more.
    std::function<void(int)> onSwap;

    int swaps = 0;
    int swapLimit = 100000;
    bool windowOpen = false;
    bool fullscreen = false;  // the open window's, or the last one's
    int swapInterval = 0;
    // A display refreshing every this many microseconds: with a swap interval of 1, each swap
    // waits on the clock for the next refresh. Zero: swaps return at once.
    std::int64_t refreshPeriod = 0;
    std::int64_t clock = 0;
};

// The one fake; ResetFakePlatform gives it back its initial state.
FakePlatform& Fake();
void ResetFakePlatform();

// Queues an event for after `afterSwaps` swaps.
void Script(int afterSwaps, const Event& event);
