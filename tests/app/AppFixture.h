#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/GameWindow.h"
#include "app/MainLoop.h"
#include "platform/FakePlatform.h"

// Every test starts from a program just started: frame globals at their first values, a fresh
// scripted window system, no journal, and the table fields the frame writes put back to where
// they start.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        ResetFakePlatform();
        unsetenv("KESTRANE_NO_PACING");
        unsetenv("KESTRANE_RECORD");
        unsetenv("KESTRANE_REPLAY");
        gameTable.TheHand() = Hand();
        gameTable.View() = BoardView();
        GameRules& rules = gameTable.Rules();
        rules.OpenRoll(rules.DieValue(0), rules.DieValue(1));
        rules.SetTurn(0, true);
        gameTable.SetPointer(0.0f, 0.0f);
    }

    static bool Open(bool fullscreenRequested = false) {
        return OpenGameWindow("Kestrane Alpha ver", 800, 600, 16, fullscreenRequested);
    }

    static void Send(unsigned message, std::uint32_t wParam = 0, std::uint32_t lParam = 0) {
        GameWindowProc(gameWindow, message, wParam, lParam);
    }

    static int Count(const std::string& call) {
        const std::vector<std::string>& calls = Fake().calls;
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    static std::string LastBoxText() {
        return Fake().boxes.empty() ? "" : Fake().boxes.back().text;
    }

    static bool NothingHeld() {
        const FakePlatform& f = Fake();
        return f.windowsOpen == 0 && f.deviceContextsHeld == 0 && f.renderContextsHeld == 0 &&
               !f.contextCurrent && !f.displayChanged && gameWindow == nullptr &&
               gameDeviceContext == nullptr && gameRenderContext == nullptr;
    }
};
