#include "platform/FakePlatform.h"

static FakePlatform fake;

FakePlatform& Fake() {
    return fake;
}

void ResetFakePlatform() {
    fake = FakePlatform();
}

void Script(int afterSwaps, const Event& event) {
    fake.script.emplace_back(afterSwaps, event);
}

namespace platform {

OpenResult OpenWindow(const char*, int, int, bool fullscreen) {
    fake.calls.push_back(fullscreen ? "OpenWindow fullscreen" : "OpenWindow");
    // In the order the real opening takes its steps.
    const std::pair<FakeStep, OpenResult> steps[] = {
        {WindowSystemStep, OpenResult::NoWindowSystem},
        {DisplayModeStep, fullscreen ? OpenResult::ModeRefused : OpenResult::Opened},
        {WindowStep, OpenResult::WindowFailed},
        {DeviceContextStep, OpenResult::NoDeviceContext},
        {PixelFormatStep, OpenResult::NoPixelFormat},
        {SetPixelFormatStep, OpenResult::PixelFormatRefused},
        {ContextStep, OpenResult::ContextFailed},
        {MakeCurrentStep, OpenResult::ContextNotCurrent},
    };
    for (const auto& [step, result] : steps) {
        if (fake.failing[step] && result != OpenResult::Opened) {
            return result;
        }
    }
    fake.windowOpen = true;
    fake.fullscreen = fullscreen;
    return OpenResult::Opened;
}

bool CloseWindow() {
    fake.calls.push_back("CloseWindow");
    fake.windowOpen = false;
    return !fake.failing[ReleaseCurrentStep];
}

void SwapWindow() {
    if (fake.swapInterval == 1 && fake.refreshPeriod > 0) {
        fake.clock = (fake.clock / fake.refreshPeriod + 1) * fake.refreshPeriod;
    }
    ++fake.swaps;
    if (fake.onSwap) {
        fake.onSwap(fake.swaps);
    }
}

bool SetSwapInterval(int interval) {
    if (fake.failing[SwapIntervalStep]) {
        return false;
    }
    fake.swapInterval = interval;
    return true;
}

bool PollEvent(Event& event) {
    if (!fake.script.empty() && fake.script.front().first <= fake.swaps) {
        event = fake.script.front().second;
        fake.script.pop_front();
        return true;
    }
    if (fake.script.empty() && fake.swaps > fake.swapLimit) {
        fake.swapLimit = fake.swaps + 1000;
        event = WindowEvent(EventType::CloseRequested);
        return true;
    }
    return false;
}

bool WaitEvent(Event& event, std::int64_t timeoutMicroseconds) {
    if (PollEvent(event)) {
        return true;
    }
    if (timeoutMicroseconds > 0) {
        fake.clock += timeoutMicroseconds;
    }
    return false;
}

MessageBoxAnswer ShowMessageBox(const char* text, const char* caption, MessageBoxStyle style) {
    ShownMessageBox box;
    box.text = text;
    box.caption = caption;
    box.style = style;
    if (style == YesNoExclamation) {
        box.answer = YesAnswer;
        if (!fake.answers.empty()) {
            box.answer = fake.answers.front();
            fake.answers.pop_front();
        }
    }
    fake.boxes.push_back(box);
    fake.calls.push_back("MessageBox " + box.text);
    return box.answer;
}

std::int64_t MonotonicMicroseconds() {
    return fake.clock;
}

void ShutDownWindowSystem() {
    fake.calls.push_back("ShutDownWindowSystem");
}

}  // namespace platform
