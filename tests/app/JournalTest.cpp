#include <cstdio>
#include <fstream>

#include "AppFixture.h"
#include "ai/Chance.h"
#include "app/InputJournal.h"

// Recording a run's input and playing it back.

struct RunResult {
    Pose hand;
    Pose view;
    float mouseX;
    int swaps;
    unsigned char fullscreenAtEnd;
    unsigned char fadingOutAtEnd;
};

class JournalTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        path = ::testing::TempDir() + "kestrane-journal-test.txt";
        unsetenv("KESTRANE_RECORD");
        unsetenv("KESTRANE_REPLAY");
    }
    void TearDown() override {
        unsetenv("KESTRANE_RECORD");
        unsetenv("KESTRANE_REPLAY");
        std::remove(path.c_str());
    }

    static RunResult Result() {
        return {gameTable.hand.current,
                gameTable.boardView.current,
                gameTable.mouseX,
                Fake().swaps,
                fullscreen,
                fadingOut};
    }

    std::string path;
};

TEST_F(JournalTest, ReplayReproducesTheRecordedRunFrameForFrame) {
    Script(5, KeyDownMessage, 'W');
    Script(7, MouseMoveMessage, 0, PackClientPoint(321, 123));
    Script(8, KeyDownMessage, 'D');
    Script(20, KeyUpMessage, 'W');
    Script(25, CharMessage, 'p');
    Script(26, KeyUpMessage, 'D');
    Script(40, KeyDownMessage, EscapeKey);
    setenv("KESTRANE_RECORD", path.c_str(), 1);
    ASSERT_EQ(RunGame(), 0);
    const RunResult recorded = Result();
    unsetenv("KESTRANE_RECORD");

    SetUp();
    // Live input during the replay must not change it.
    Script(10, KeyDownMessage, 'A');
    setenv("KESTRANE_REPLAY", path.c_str(), 1);
    ASSERT_EQ(RunGame(), 0);
    const RunResult replayed = Result();

    EXPECT_EQ(replayed.hand.x, recorded.hand.x);
    EXPECT_EQ(replayed.hand.z, recorded.hand.z);
    EXPECT_EQ(replayed.view.z, recorded.view.z);
    EXPECT_EQ(replayed.mouseX, 321.0f);
    EXPECT_EQ(replayed.swaps, recorded.swaps);
    EXPECT_EQ(replayed.fullscreenAtEnd, 1);
    EXPECT_EQ(replayed.fadingOutAtEnd, 1);
    // Escape came during the fade-in: 46 frames up, then 46 down.
    EXPECT_EQ(recorded.swaps, 46 + 46);
}

TEST_F(JournalTest, ReplayedClockReadingsComeBeforeTheRealClock) {
    std::string error;
    InputJournal journal;
    ASSERT_TRUE(journal.Parse("kestrane-journal 1\nclock 0 12345\nclock 3 777\n", error)) << error;
    {
        std::ofstream out(path);
        out << "kestrane-journal 1\nclock 0 12345\nclock 3 777\n";
    }
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
        {"some other file\n", "line 1"},
        {"kestrane-journal 2\n", "line 1"},
        {"kestrane-journal 1\nmessage 0 256 87\n", "line 2"},
        {"kestrane-journal 1\nmessage 0 256 87 0 9\n", "line 2"},
        {"kestrane-journal 1\nmessage 0 256 -1 0\n", "line 2"},
        {"kestrane-journal 1\nmessage 0 99999 1 0\n", "line 2"},
        {"kestrane-journal 1\nmessage 0 256 4294967296 0\n", "line 2"},
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

TEST_F(JournalTest, AJournalThatCannotBeReadLeavesTheGameOnLiveInput) {
    {
        std::ofstream out(path);
        out << "kestrane-journal 1\nmessage 0 256 oops 0\n";
    }
    setenv("KESTRANE_REPLAY", path.c_str(), 1);
    Script(3, KeyDownMessage, 'D');
    Script(6, CloseMessage);
    const float x0 = gameTable.hand.current.x;
    ASSERT_EQ(RunGame(), 0);
    EXPECT_FLOAT_EQ(gameTable.hand.current.x, x0 + 3 * 0.05f);

    SetUp();
    setenv("KESTRANE_REPLAY", (path + ".missing").c_str(), 1);
    Script(2, CloseMessage);
    ASSERT_EQ(RunGame(), 0);
    EXPECT_EQ(Fake().swaps, 2);
}
