#include <gtest/gtest.h>

#include <cstdio>

#include "tests/ai/AiTestSupport.h"
#include "tools/PlayCommand.h"

static const std::string startLine = "0 2 0 0 0 0 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0";

// Flat weights make every play equal, so the first play found is the answer.
TEST(PlayCommand, AnswersPositionsInTheMoversFrame) {
    ComputerPlayer player;
    player.weightDirectory = WeightFolder("flat", 0, 0);
    const struct {
        std::string line;
        std::string answer;
    } cases[] = {
        // 3-1 from the start: the first play found runs a back checker 1-4-5.
        {startLine + " 3 1", "0 1 0 0 0 1 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0 ; 1/4 4/5"},
        // Entering from the bar with a hit: the opponent's checker goes to its bar.
        {"1 0 0 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 3 3",
         "0 0 0 0 0 0 0 0 0 0 0 0 1 0 0 0 0 0 0 0 0 0 0 0 0 -1 ; 0/3 3/6 6/9 9/12"},
        // Bearing off with a larger die is written as to 25.
        {"0 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 0 0 0 6 5",
         "0 -1 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ; 22/25"},
        // No play: the position unchanged and an empty list.
        {"1 -2 -2 -2 -2 -2 -2 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 4 4",
         "1 -2 -2 -2 -2 -2 -2 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ; "},
        {"", "error: expected 28 integers (b0 .. b25 and two dice), got 0"},
        {startLine + " 3", "error: expected 28 integers (b0 .. b25 and two dice), got 27"},
        {startLine + " 3 x", "error: item 28 is not a number: x"},
        {startLine + " 3 1.5", "error: item 28 is not a number: 1.5"},
        {startLine + " 3 99999999999999999999",
         "error: item 28 is out of range: 99999999999999999999"},
        {startLine + " 0 1", "error: die 0 is outside 1..6"},
        {startLine + " 3 7", "error: die 7 is outside 1..6"},
        {"-1" + startLine.substr(1) + " 3 1", "error: b0 (the mover's bar) is negative"},
        {startLine.substr(0, startLine.size() - 1) + "1 3 1",
         "error: b25 (the opponent's bar) is positive"},
        {"1" + startLine.substr(1) + " 3 1", "error: the mover has 16 checkers, more than 15"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnswerPlayLine(player, c.line), c.answer) << c.line;
    }
}

static std::string RunTool(const std::string& arguments) {
    std::FILE* pipe = popen((std::string("'") + KESTRANE_AI_TOOL + "' " + arguments).c_str(), "r");
    EXPECT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    return output + "status " + std::to_string(status);
}

// A malformed line gets its error and the lines after it are still answered.
TEST(PlayCommand, TheProgramSpeaksTheProtocol) {
    const std::string dir = WeightFolder("flat", 0, 0);
    const std::string input = ::testing::TempDir() + "play-input.txt";
    std::FILE* f = std::fopen(input.c_str(), "w");
    std::fprintf(f, "%s 3 1\nnot a position\n%s 1 3", startLine.c_str(), startLine.c_str());
    std::fclose(f);
    EXPECT_EQ(RunTool("play --weights '" + dir + "' < '" + input + "'"),
              "0 1 0 0 0 1 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0 ; 1/4 4/5\n"
              "error: item 1 is not a number: not\n"
              "0 1 0 0 0 1 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0 ; 1/2 2/5\n"
              "status 0");
    // Unknown arguments get the usage and a failing status.
    EXPECT_EQ(RunTool("play --nonsense 2>/dev/null").find("status 0"), std::string::npos);
}
