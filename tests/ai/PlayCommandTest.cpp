#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "tests/ai/AiTestSupport.h"
#include "tools/PlayCommand.h"

static const std::string startLine = "0 2 0 0 0 0 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0";

// Flat weights make every play equal, so the first play found is the answer.
TEST(PlayCommand, AnswersPositionsInTheMoversFrame) {
    ComputerPlayer player;
    player.weightDirectory = WeightFolder("flat-answers", 0, 0);
    const struct {
        std::string line;
        std::string answer;
    } cases[] = {
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

// A malformed line gets its error and the lines after it are still answered; unknown arguments
// get the usage and a failing status. 3-1 from the start runs a back checker 1-4-5.
TEST(PlayCommand, TheToolAnswersLineByLine) {
    ComputerPlayer player;
    player.weightDirectory = WeightFolder("flat-lines", 0, 0);
    std::istringstream in(startLine + " 3 1\nnot a position\n" + startLine + " 1 3");
    std::ostringstream out;
    EXPECT_EQ(RunPlay(player, in, out), 0);
    EXPECT_EQ(out.str(),
              "0 1 0 0 0 1 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0 ; 1/4 4/5\n"
              "error: item 1 is not a number: not\n"
              "0 1 0 0 0 1 -5 0 -3 0 0 0 5 -5 0 0 0 3 0 5 0 0 0 0 -2 0 ; 1/2 2/5\n");
    // Double quotes and the null device by name, for the Windows command interpreter too.
#ifdef _WIN32
    const std::string none = "NUL";
#else
    const std::string none = "/dev/null";
#endif
    const std::string tool = std::string("\"") + KESTRANE_AI_TOOL + "\" play";
    EXPECT_NE(std::system((tool + " --nonsense 2>" + none).c_str()), 0);
    EXPECT_EQ(std::system((tool + " < " + none).c_str()), 0);
}
