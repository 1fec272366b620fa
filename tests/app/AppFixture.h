#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "platform/FakePlatform.h"
#include "platform/Portable.h"

// Every test starts from a program just started: a fresh game, a fresh scripted window system and
// no journal.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFakePlatform();
        portable::UnsetEnvironment("KESTRANE_NO_PACING");
        portable::UnsetEnvironment("KESTRANE_RECORD");
        portable::UnsetEnvironment("KESTRANE_REPLAY");
        app = std::make_unique<App>();
    }

    static Event Down(Key key) { return KeyEvent(EventType::KeyPressed, key); }
    static Event Up(Key key) { return KeyEvent(EventType::KeyReleased, key); }
    static Event Close() { return WindowEvent(EventType::CloseRequested); }

    static int Count(const std::string& call) {
        const std::vector<std::string>& calls = Fake().calls;
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    static std::string LastBoxText() {
        return Fake().boxes.empty() ? "" : Fake().boxes.back().text;
    }

    bool NothingHeld() const { return !Fake().windowOpen && !app->window.IsOpen(); }

    std::unique_ptr<App> app;
};
