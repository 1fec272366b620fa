#include <cstdio>
#include <fstream>

#include "AppFixture.h"
#include "ai/Chance.h"
#include "app/InputJournal.h"
#include "app/OldJournalCodes.h"

// Recording a run's input and playing it back.

class JournalTest : public AppTest {
protected:
    void TearDown() override {
        SetUp();
        std::remove(path.c_str());
    }

    static bool Same(const Event& a, const Event& b) {
        return a.type == b.type && a.x == b.x && a.y == b.y && a.button == b.button &&
               a.key == b.key && a.character == b.character;
    }

    // A file of each test's own: ctest runs the tests side by side.
    const std::string path = ::testing::TempDir() + "kestrane-journal-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                             ".txt";
};

// Recorded on a 30 Hz display (two steps of game time a frame), replayed where frames come at 60:
// the hand only comes to the same place if the replay takes the recorded steps. The replay plays
// by the rules of the recording, whatever its command line asks.
TEST_F(JournalTest, ReplayReproducesTheRecordedRunFrameForFrame) {
    Fake().refreshPeriod = 33333;
    Script(5, Down(Key{'W'}));
    Script(7, PointerEvent(EventType::PointerMoved, 321, 123));
    Script(20, Up(Key{'W'}));
    Script(25, Typed('p'));
    Script(40, Down(Key::Escape));
    portable::SetEnvironment("KESTRANE_RECORD", path.c_str());
    ASSERT_EQ(app->Run(), 0);
    const Pose hand = app->table.TheHand().current;
    const int swaps = Fake().swaps;

    SetUp();
    Script(10, Down(Key{'A'}));  // live input must not change the replay
    portable::SetEnvironment("KESTRANE_REPLAY", path.c_str());
    GameSettings loose = SettingsFromEnvironment();
    loose.looseRules = true;
    ASSERT_EQ(app->Run(loose), 0);
    EXPECT_FALSE(app->table.Rules().LooseRules());
    EXPECT_EQ(app->table.TheHand().current.x, hand.x);
    EXPECT_EQ(app->table.TheHand().current.z, hand.z);
    EXPECT_EQ(app->table.PointerX(), 321.0f);
    EXPECT_EQ(Fake().swaps, swaps);
    EXPECT_TRUE(app->window.Fullscreen());
    EXPECT_TRUE(app->light.fadingOut);
}

// The journals of the game's first window system still replay: an arrow, a pointer move whose
// position travelled in two 16-bit halves (-3, 5) and a close, at the passes they were recorded,
// under the looser rules every run was played by then.
TEST_F(JournalTest, AVersionTwoJournalReplaysItsMessagesAsEvents) {
    std::ofstream(path) << "kestrane-journal 2\nmessage 3 256 37 0\nmessage 6 274 61760 0\n"
                           "message 6 512 0 393213\nmessage 6 16 0 0\n";
    portable::SetEnvironment("KESTRANE_REPLAY", path.c_str());
    const float turn = app->table.View().current.rotY;
    ASSERT_EQ(app->Run(), 0);
    EXPECT_FLOAT_EQ(app->table.View().current.rotY, turn - 3.0f);
    EXPECT_EQ(app->table.PointerX(), 0.0f);
    EXPECT_EQ(app->table.PointerY(), 5.0f);
    EXPECT_EQ(Fake().swaps, 6);
    EXPECT_TRUE(app->table.Rules().LooseRules());
}

// The old numbering is the recordings' own, not Key's order: these codes must keep naming these
// keys, and a version-1 key line must keep standing for its press, or old journals replay other
// runs without a word.
TEST_F(JournalTest, OldJournalCodesKeepTheirKeysAndMessages) {
    const std::pair<unsigned, Key> codes[] = {
        {27, Key::Escape},       {37, Key::Left}, {40, Key::Down}, {93, Key::Menu},
        {109, Key::KeypadMinus}, {112, Key::F1},  {'W', Key{'W'}}, {'7', Key{'7'}},
        {'w', Key::None},        {16, Key::None},
    };
    for (const auto& [code, key] : codes) {
        EXPECT_EQ(KeyOfCode(code), key) << code;
    }

    std::ofstream(path) << "kestrane-journal 1\nmessage 4 256 87 0\nmessage 4 513 0 1310730\n"
                           "message 4 999 0 0\n";
    InputJournal journal;
    ASSERT_TRUE(journal.StartReplay(path.c_str()));
    journal.SetPass(4);
    Event event;
    for (const Event& expected :
         {Down(Key{'W'}), PointerEvent(EventType::ButtonPressed, 10, 20, Button::Left)}) {
        ASSERT_TRUE(journal.Next(event));
        EXPECT_TRUE(Same(event, expected)) << static_cast<int>(expected.type);
    }
    EXPECT_FALSE(journal.Next(event));
    journal.Stop();
}

// Journals up to version 4 were recorded with a pass's keys acting after its steps: Escape
// there darkened the frame after the one that took it, and replays so. A current journal's keys
// act first, as the recording did: ReplayReproducesTheRecordedRunFrameForFrame.
TEST_F(JournalTest, OlderJournalsReplayTheirKeysAfterTheirSteps) {
    std::ofstream(path) << "kestrane-journal 4\nrules full\nevent 60 key-down Escape\n";
    portable::SetEnvironment("KESTRANE_REPLAY", path.c_str());
    ASSERT_EQ(app->Run(), 0);
    EXPECT_EQ(Fake().swaps, 61 + 46);
}

TEST_F(JournalTest, ReplayedClockReadingsComeBeforeTheRealClock) {
    std::ofstream(path) << "kestrane-journal 1\nclock 0 12345\nclock 3 777\n";
    InputJournal journal;
    ASSERT_TRUE(journal.StartReplay(path.c_str()));
    EXPECT_EQ(ClockSeconds(), 12345);
    EXPECT_EQ(ClockSeconds(), 777);
    EXPECT_GT(ClockSeconds(), 1000000000);
    journal.Stop();
}

TEST_F(JournalTest, MalformedJournalsAreRefusedWithTheLineThatBrokeThem) {
    const struct {
        const char* text;
        const char* where;
    } bad[] = {
        {"", "empty"},
        {"kestrane-journal 6\n", "line 1"},
        {"kestrane-journal 4\nrules strict\n", "line 2"},
        {"kestrane-journal 3\nrules full\n", "line 2"},
        {"kestrane-journal 2\nsteps 0 -1\n", "line 2"},
        {"kestrane-journal 1\nmessage 0 256 87\n", "line 2"},
        {"kestrane-journal 1\nmessage 0 99999 1 0\n", "line 2"},
        {"kestrane-journal 1\nmessage 5 256 87 0\nmessage 4 257 87 0\n", "line 3"},
        {"kestrane-journal 1\n\nbanana 1 2\n", "line 3"},
        {"kestrane-journal 1\nclock x 5\n", "line 2"},
        {"kestrane-journal 3\nmessage 0 256 87 0\n", "line 2"},
        {"kestrane-journal 3\nevent 0 key-down Shift\n", "line 2"},
        {"kestrane-journal 3\nevent 0 click middle 1 2\n", "line 2"},
        {"kestrane-journal 3\nevent 0 resize -1 600\n", "line 2"},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.text);
        InputJournal journal;
        std::string error;
        EXPECT_FALSE(journal.Parse(b.text, error));
        EXPECT_NE(error.find(b.where), std::string::npos) << error;
    }
}

// A journal with a bad line, or none at all, is not replayed: the game plays on live input.
TEST_F(JournalTest, AJournalThatCannotBeReadLeavesTheGameOnLiveInput) {
    std::ofstream(path) << "kestrane-journal 1\nmessage 0 256 oops 0\n";
    for (const std::string& replay : {path, path + ".missing"}) {
        SCOPED_TRACE(replay);
        SetUp();
        portable::SetEnvironment("KESTRANE_REPLAY", replay.c_str());
        Script(3, Down(Key{'D'}));
        Script(6, Close());
        const float x0 = app->table.TheHand().current.x;
        ASSERT_EQ(app->Run(), 0);
        EXPECT_FLOAT_EQ(app->table.TheHand().current.x, x0 + 3 * 0.05f);
    }
}

// Every kind of event comes back from a recorded journal as it went in.
TEST_F(JournalTest, EveryKindOfEventReplaysAsRecorded) {
    const Event recorded[] = {
        PointerEvent(EventType::PointerMoved, -40, 70000),
        PointerEvent(EventType::ButtonPressed, 3, 4, Button::Right),
        Down(Key::KeypadMinus),
        Up(Key{'7'}),
        Typed(0xE9),
        PointerEvent(EventType::Resized, 641, 0),
        WindowEvent(EventType::Minimised),
        WindowEvent(EventType::Restored),
        Close(),
    };
    InputJournal journal;
    ASSERT_TRUE(journal.StartRecording(path.c_str(), true));
    for (const Event& e : recorded) {
        journal.Record(e);
    }
    journal.Stop();
    ASSERT_TRUE(journal.StartReplay(path.c_str()));
    EXPECT_TRUE(journal.LooseRules());
    for (const Event& e : recorded) {
        Event replayed;
        ASSERT_TRUE(journal.Next(replayed));
        EXPECT_TRUE(Same(replayed, e)) << static_cast<int>(e.type);
    }
    journal.Stop();
}
