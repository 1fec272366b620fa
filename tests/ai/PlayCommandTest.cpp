#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cstdio>
#include <sstream>

#include "tests/ai/AiTestSupport.h"
#include "tools/PlayCommand.h"

static const char* const startLine = "0 2 0 0 0 0 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0";

// Flat weights make every play equal, so the first play found is the answer.
static std::string FlatWeightFolder() {
    const std::string dir = ::testing::TempDir() + "flat";
    mkdir(dir.c_str(), 0700);
    for (const char* name : {"/net-160 (0).dat", "/net-160 (1).dat"}) {
        std::FILE* f = std::fopen((dir + name).c_str(), "w");
        for (unsigned n = 0; n < 4020; ++n) {
            std::fputs("0 ", f);
        }
        std::fclose(f);
    }
    return dir;
}

TEST(PlayCommand, AnswersPositionsInTheMoversFrame) {
    ComputerPlayer player;
    player.weightDirectory = FlatWeightFolder();
    // 3-1 from the start: the first play found runs a back checker 1-4-5.
    EXPECT_EQ(AnswerPlayLine(player, std::string(startLine) + " 3 1"),
              "0 1 0 0 0 1 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0 ; 1/4 4/5");
    // Entering from the bar with a hit: the opponent's checker goes to its bar.
    EXPECT_EQ(AnswerPlayLine(player, "1 0 0 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 3 3"),
              "0 0 0 0 0 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0 0 0 0 0 -1 ; 0/3 3/6 6/9 9/12");
    // Bearing off with a larger die is written as to 25.
    EXPECT_EQ(AnswerPlayLine(player, "0 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 0 0 0 6 5"),
              "0 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ; 22/25");
    // No play: the position unchanged and an empty list.
    EXPECT_EQ(
        AnswerPlayLine(player, "1 -2 -2 -2 -2 -2 -2 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 4 4"),
        "1 -2 -2 -2 -2 -2 -2 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ; ");
}

TEST(PlayCommand, MalformedLinesGetAnErrorAndTheToolGoesOn) {
    ComputerPlayer player;
    player.weightDirectory = FlatWeightFolder();
    const std::string start = startLine;
    const struct {
        std::string line;
        std::string answer;
    } cases[] = {
        {"", "error: expected 28 integers (b0 .. b25 and two dice), got 0"},
        {start + " 3", "error: expected 28 integers (b0 .. b25 and two dice), got 27"},
        {start + " 3 1 4", "error: expected 28 integers (b0 .. b25 and two dice), got 29"},
        {start + " 3 x", "error: item 28 is not a number: x"},
        {start + " 3 1.5", "error: item 28 is not a number: 1.5"},
        {start + " 3 99999999999999999999", "error: item 28 is out of range: 99999999999999999999"},
        {start + " 0 1", "error: die 0 is outside 1..6"},
        {start + " 3 7", "error: die 7 is outside 1..6"},
        {"-1 2 0 0 0 0 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0 3 1",
         "error: b0 (the mover's bar) is negative"},
        {"0 2 0 0 0 0 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 1 3 1",
         "error: b25 (the opponent's bar) is positive"},
        {"1 2 0 0 0 0 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0 3 1",
         "error: the mover has 16 checkers, more than 15"},
        {"0 2 0 0 0 0 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 -1 3 1",
         "error: the opponent has 16 checkers, more than 15"},
    };
    std::string input;
    std::string expected;
    for (const auto& c : cases) {
        EXPECT_EQ(AnswerPlayLine(player, c.line), c.answer) << c.line;
        input += c.line + "\n" + start + " 3 1\n";
        expected += c.answer + "\n" + AnswerPlayLine(player, start + " 3 1") + "\n";
    }
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_EQ(RunPlay(player, in, out), 0);
    EXPECT_EQ(out.str(), expected);
}

TEST(PlayCommand, TheProgramSpeaksTheProtocol) {
    const std::string dir = FlatWeightFolder();
    const std::string input = ::testing::TempDir() + "play-input.txt";
    std::FILE* f = std::fopen(input.c_str(), "w");
    std::fprintf(f, "%s 3 1\nnot a position\n%s 1 3", startLine, startLine);
    std::fclose(f);
    const std::string command =
        std::string("'") + KESTRANE_AI_TOOL + "' play --weights '" + dir + "' < '" + input + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_EQ(output,
              "0 1 0 0 0 1 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0 ; 1/4 4/5\n"
              "error: item 1 is not a number: not\n"
              "0 1 0 0 0 1 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0 ; 1/2 2/5\n");

    // Unknown arguments get the usage and a failing status.
    std::FILE* bad =
        popen((std::string("'") + KESTRANE_AI_TOOL + "' play --nonsense 2>&1").c_str(), "r");
    ASSERT_NE(bad, nullptr);
    while (std::fgets(buffer, sizeof buffer, bad) != nullptr) {
    }
    EXPECT_NE(pclose(bad), 0);
}
