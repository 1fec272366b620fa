#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/GameWindow.h"
#include "app/MainLoop.h"
#include "platform/FakePlatform.h"

// Every test starts from a program just started: frame globals at their first values, a fresh
// scripted window system, and the table fields the frame writes put back to where they start.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        ResetFakePlatform();
        unsetenv("KESTRANE_NO_PACING");
        unsetenv("KESTRANE_REPORT_FPS");
        Hand fresh;
        gameTable.hand.current = fresh.current;
        for (int j = 0; j < 6; ++j) {
            gameTable.hand.joints[j] = fresh.joints[j];
        }
        gameTable.boardView.current = BoardView().current;
        gameTable.inputEnabled = 1;
        gameTable.mouseX = 0.0f;
        gameTable.mouseY = 0.0f;
        gameTable.clientWidth = 0;
        gameTable.clientHeight = 0;
    }

    static bool Open(bool fullscreenRequested = false) {
        return OpenGameWindow("Kestrane Alpha ver", 800, 600, 16, fullscreenRequested);
    }

    static int Count(const std::string& call) {
        int n = 0;
        for (const std::string& c : Fake().calls) {
            n += c == call;
        }
        return n;
    }

    static std::vector<std::string> BoxTexts() {
        std::vector<std::string> texts;
        for (const ShownMessageBox& b : Fake().boxes) {
            texts.push_back(b.text);
        }
        return texts;
    }

    static bool NothingHeld() {
        const FakePlatform& f = Fake();
        return f.windowsOpen == 0 && f.deviceContextsHeld == 0 && f.renderContextsHeld == 0 &&
               !f.contextCurrent && !f.displayChanged && gameWindow == nullptr &&
               gameDeviceContext == nullptr && gameRenderContext == nullptr;
    }
};
