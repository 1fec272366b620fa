#include <cstdio>
#include <fstream>
#include <sstream>

#include "AppFixture.h"
#include "ai/Chance.h"
#include "app/InputJournal.h"

// Recording a run's input and playing it back.

class JournalTest : public AppTest {
protected:
    void TearDown() override {
        SetUp();
        std::remove(path.c_str());
    }

    // A file of each test's own: ctest runs the tests side by side.
    const std::string path = ::testing::TempDir() + "kestrane-journal-" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                             ".txt";
};

// Recorded on a 30 Hz display (two steps of game time a frame), replayed where frames come at 60.
TEST_F(JournalTest, ReplayReproducesTheRecordedRunFrameForFrame) {
    Fake().refreshPeriod = 33333;
    Script(5, KeyDownMessage, 'W');
    Script(7, MouseMoveMessage, 0, PackClientPoint(321, 123));
    Script(20, KeyUpMessage, 'W');
    Script(25, CharMessage, 'p');
    Script(40, KeyDownMessage, EscapeKey);
    setenv("KESTRANE_RECORD", path.c_str(), 1);
    ASSERT_EQ(RunGame(), 0);
    const Pose hand = gameTable.TheHand().current;
    const int swaps = Fake().swaps;
    std::stringstream recorded;
    recorded << std::ifstream(path).rdbuf();
    EXPECT_NE(recorded.str().find("\nsteps "), std::string::npos);

    SetUp();
    Script(10, KeyDownMessage, 'A');  // live input must not change the replay
    setenv("KESTRANE_REPLAY", path.c_str(), 1);
    ASSERT_EQ(RunGame(), 0);
    EXPECT_EQ(gameTable.TheHand().current.x, hand.x);
    EXPECT_EQ(gameTable.TheHand().current.z, hand.z);
    EXPECT_EQ(gameTable.PointerX(), 321.0f);
    EXPECT_EQ(Fake().swaps, swaps);
    EXPECT_EQ(fullscreen, 1);
    EXPECT_EQ(fadingOut, 1);
}

TEST_F(JournalTest, ReplayedClockReadingsComeBeforeTheRealClock) {
    std::ofstream(path) << "kestrane-journal 1\nclock 0 12345\nclock 3 777\n";
    ASSERT_TRUE(inputJournal.StartReplay(path.c_str()));
    EXPECT_EQ(ClockSeconds(), 12345);
    EXPECT_EQ(ClockSeconds(), 777);
    EXPECT_GT(ClockSeconds(), 1000000000);
    inputJournal.Stop();
}

TEST_F(JournalTest, MalformedJournalsAreRefusedWithTheLineThatBrokeThem) {
    const struct {
        const char* text;
        const char* where;
    } bad[] = {
        {"", "empty"},
        {"kestrane-journal 3\n", "line 1"},
        {"kestrane-journal 2\nsteps 0 -1\n", "line 2"},
        {"kestrane-journal 1\nmessage 0 256 87\n", "line 2"},
        {"kestrane-journal 1\nmessage 0 256 -1 0\n", "line 2"},
        {"kestrane-journal 1\nmessage 0 99999 1 0\n", "line 2"},
        {"kestrane-journal 1\nmessage 5 256 87 0\nmessage 4 257 87 0\n", "line 3"},
        {"kestrane-journal 1\n\nbanana 1 2\n", "line 3"},
        {"kestrane-journal 1\nclock x 5\n", "line 2"},
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
        setenv("KESTRANE_REPLAY", replay.c_str(), 1);
        Script(3, KeyDownMessage, 'D');
        Script(6, CloseMessage);
        const float x0 = gameTable.TheHand().current.x;
        ASSERT_EQ(RunGame(), 0);
        EXPECT_FLOAT_EQ(gameTable.TheHand().current.x, x0 + 3 * 0.05f);
    }
}
