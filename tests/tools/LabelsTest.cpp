#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Portable.h"
#include "tests/ai/AiTestSupport.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/Commands.h"
#include "tools/Labels.h"

// pubeval's picks stand in for the teacher's, so that no test needs the teacher installed.
static std::vector<LabelledDecision> PubevalLabels(int games, uint32_t seed) {
    Pubeval pubeval = PubevalTable();
    NeuralNet contact(GameLayers, 3);
    NeuralNet race(GameLayers, 3);
    std::mt19937 rng(seed);
    const WeightDraw draw = [&rng] { return static_cast<unsigned>(rng()); };
    contact.RandomizeInFileOrder(draw);
    race.RandomizeInFileOrder(draw);
    std::vector<LabelledDecision> decisions = PlayForLabels(contact, race, games, seed, 0.1);
    PubevalChooser teacher(pubeval);
    RollPlays plays;
    BoardState board;
    for (LabelledDecision& d : decisions) {
        UnpackPoints(d.before, board.points);
        plays.Find(board.points, d.die1, d.die2);
        d.label = teacher.Choose(board, plays);
    }
    return decisions;
}

TEST(LabelFiles, RoundTripAndRefuseDamage) {
    std::string dir = Scratch("labels-files");
    std::vector<LabelledDecision> written = PubevalLabels(3, 5), read;
    ASSERT_GT(written.size(), 50u);
    std::string error;
    ASSERT_TRUE(WriteLabels(written, dir + "/a.labels", error)) << error;
    // Every field read back: the decisions written again make the same file.
    ASSERT_TRUE(ReadLabels(dir + "/a.labels", read, error)) << error;
    ASSERT_TRUE(WriteLabels(read, dir + "/b.labels", error)) << error;
    EXPECT_EQ(ReadAll(dir + "/b.labels"), ReadAll(dir + "/a.labels"));

    std::ifstream in(dir + "/a.labels");
    std::string header, first;
    std::getline(in, header);
    std::getline(in, first);
    std::istringstream fields(first);
    std::vector<std::string> item;
    for (std::string f; fields >> f;) {
        item.push_back(f);
    }
    auto Line = [&](int index, const std::string& value) {
        std::vector<std::string> changed = item;
        changed[index] = value;
        std::string line;
        for (const std::string& f : changed) {
            line += f + " ";
        }
        return line;
    };
    const struct {
        std::string text;
        std::string message;
    } damaged[] = {
        {first + "\n", "not a label file"},
        {header + "\n" + first + "\n" + Line(1, "7") + "\n", "line 3 is damaged"},
        {header + "\n" + Line(30, "99") + "\n", "line 2 is damaged"},
        {header + "\n" + Line(29, "999") + "\n", "the game finds"},
        {header + "\n" + Line(5, "16") + "\n", "line 2 is damaged"},
        {header + "\n" + first + " 4\n", "line 2 is damaged"},
    };
    for (const auto& d : damaged) {
        std::ofstream(dir + "/bad.labels") << d.text;
        read.clear();
        EXPECT_FALSE(ReadLabels(dir + "/bad.labels", read, error)) << d.text;
        EXPECT_NE(error.find(d.message), std::string::npos) << error;
    }
    EXPECT_FALSE(ReadLabels(dir + "/missing.labels", read, error));
}

// The teacher answers with the position after its play, seen from its own side: the mover's
// 8/5 6/5 from the start must come back as the game's own candidate for that play.
TEST(LabelFiles, TheTeachersPositionMapsOntoTheGamesCandidate) {
    BoardState start;
    int board[50];
    TeacherBoard(start.points, board);
    EXPECT_EQ(board[25 + 23], 2);  // the mover's two back checkers on its 24-point
    EXPECT_EQ(board[5], 5);        // the other side's 6-point
    board[25 + 7] -= 1;
    board[25 + 5] -= 1;
    board[25 + 4] += 2;
    RollPlays plays;
    plays.Find(start.points, 3, 1);
    int pick = FindTeacherPlay(plays, board);
    ASSERT_GE(pick, 0);
    EXPECT_EQ(plays[pick][20].count, 2u);
    EXPECT_EQ(plays[pick][17].count, 2u);
    EXPECT_EQ(plays[pick][19].count, 4u);
    board[25 + 4] += 1;
    EXPECT_EQ(FindTeacherPlay(plays, board), -1);

    // Without the teacher, or without a way to start it, the command says which and stops.
    const char* missing[] = {"--net", ".", "--out", "x", "--games", "1", "--gnubg", "/no/gnubg"};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(TeachCommand(8, const_cast<char**>(missing)), 1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    const char* const why =
        portable::ChildProgramsAvailable() ? "no gnubg program at /no/gnubg" : "teach: needs Linux";
    EXPECT_NE(said.find(why), std::string::npos) << said;
}

TEST(LabelTraining, SameSeedSameWeightsAndTheNetworksLearnTheLabels) {
    Pubeval pubeval = PubevalTable();
    std::string error;
    std::string dir = Scratch("labels-train");
    std::vector<LabelledDecision> decisions = PubevalLabels(40, 7);
    ASSERT_TRUE(WriteLabels(decisions, dir + "/a.labels", error)) << error;
    std::string text[2];
    for (int run = 0; run < 2; ++run) {
        TrainOptions o;
        o.out = dir + "/run" + std::to_string(run);
        std::filesystem::create_directories(o.out);
        o.labels = {dir + "/a.labels"};
        o.epochs = 3;
        o.benchGames = 0;
        o.rate = 0.1;
        o.finalRate = 0.02;
        Trainer trainer(o, pubeval);
        Agreement before = AgreeWithLabels(trainer.contact, trainer.race, decisions);
        ASSERT_TRUE(trainer.Run(error)) << error;
        Agreement after = AgreeWithLabels(trainer.contact, trainer.race, decisions);
        EXPECT_GT(after.All(), before.All() + 20.0);
        text[run] = ReadAll(o.out + "/epoch-3/" + ContactWeightFile);
    }
    EXPECT_FALSE(text[0].empty());
    EXPECT_EQ(text[0], text[1]);
}
