#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

#include "ai/BoardState.h"
#include "ai/NeuralNet.h"
#include "tools/Match.h"
#include "tools/Trainer.h"

static Pubeval Table() {
    Pubeval p;
    std::string error;
    EXPECT_TRUE(p.Load(KESTRANE_PUBEVAL_TABLE, error)) << error;
    return p;
}

// A trained pair in a folder of its own, as the game would find it.
static std::string TrainedFolder(const Pubeval& pubeval, std::unique_ptr<Trainer>& trainer) {
    std::string dir = testing::TempDir() + "kestrane-match-nets";
    std::string command = "rm -rf '" + dir + "' && mkdir -p '" + dir + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    TrainOptions o;
    o.out = dir;
    o.games = 200;
    o.seed = 8;
    o.checkEvery = 200;
    o.benchGames = 0;
    trainer = std::make_unique<Trainer>(o, pubeval);
    std::string error;
    EXPECT_TRUE(trainer->Run(error)) << error;
    return dir;
}

// Positions of randomly played games, each just after a play, in the frame of its mover.
static std::vector<BoardState> SomePositions(int count) {
    std::mt19937 rng(21);
    RollPlays plays;
    std::vector<BoardState> out;
    while (static_cast<int>(out.size()) < count) {
        BoardState p;
        for (int ply = 0; ply < 300 && static_cast<int>(out.size()) < count; ++ply) {
            plays.Find(p.points, static_cast<int>(rng() % 6) + 1, static_cast<int>(rng() % 6) + 1);
            const PointEntry* chosen = plays[rng() % plays.Size()];
            std::copy(chosen, chosen + 26, p.points);
            out.push_back(p);
            if (MoverCheckers(p.points) == 0) {
                break;
            }
            p.Mirror();
        }
    }
    return out;
}

static bool SamePoints(const PointEntry* a, const PointEntry* b) {
    for (int i = 0; i < 26; ++i) {
        if (a[i].owner != b[i].owner || a[i].count != b[i].count) {
            return false;
        }
    }
    return true;
}

TEST(TrainedFiles, GiveTheGameTheTrainersValuesAndPlays) {
    Pubeval pubeval = Table();
    std::unique_ptr<Trainer> trainer;
    std::string dir = TrainedFolder(pubeval, trainer);

    // 1. The game's network reads the written file and values positions exactly as the trainer.
    static const unsigned sizes[3] = {200, 20, 1};
    NeuralNet contact(sizes, 3);
    contact.LoadWeights((dir + "/" + kContactFile).c_str(), false);
    for (const BoardState& board : SomePositions(300)) {
        float inputs[200];
        float output = 0.0f;
        Encode(board.points, inputs);
        contact.Evaluate(inputs, &output);
        ASSERT_EQ(output, trainer->contact.Value(board.points));
    }

    // 2. The game's computer player makes the trainer's choices: on the same dice, a match
    // against pubeval ends exactly as the trainer's own benchmark.
    MatchResult match = PlayMatch("net:" + dir, "pubeval", 60, 77, pubeval, false);
    ASSERT_TRUE(match.error.empty()) << match.error;
    double bench = WinRateAgainstPubeval(trainer->contact, trainer->race, pubeval, 60, 77);
    EXPECT_EQ(match.winsA, static_cast<int>(bench * 60 + 0.5));
}

TEST(Match, SameSeedSameGamesAndEveryPlayerKnown) {
    Pubeval pubeval = Table();
    for (const char* b : {"random", "pubeval"}) {
        MatchResult one = PlayMatch("heuristic", b, 12, 5, pubeval, false);
        MatchResult two = PlayMatch("heuristic", b, 12, 5, pubeval, false);
        ASSERT_TRUE(one.error.empty()) << one.error;
        EXPECT_EQ(one.winsA + one.winsB, 12);
        EXPECT_EQ(one.winsA, two.winsA) << b;
    }
    MatchResult strong = PlayMatch("pubeval", "random", 40, 3, pubeval, false);
    EXPECT_GE(strong.winsA, 36);
    std::string error;
    EXPECT_EQ(MakeMatchPlayer("gnu", pubeval, error), nullptr);
    EXPECT_NE(error.find("unknown player"), std::string::npos);
    EXPECT_EQ(MakeMatchPlayer("net:/nonexistent-folder", pubeval, error), nullptr);
    EXPECT_NE(error.find("no weight file"), std::string::npos);
    EXPECT_FALSE(
        PlayMatch("net:/nonexistent-folder", "random", 2, 1, pubeval, false).error.empty());
}

TEST(Match, PubevalAgentChoosesAsThePlainSearch) {
    Pubeval pubeval = Table();
    PubevalAgent agent(pubeval);
    std::mt19937 rng(4);
    for (BoardState board : SomePositions(400)) {
        board.Mirror();
        board.Save();
        unsigned dice[2] = {static_cast<unsigned>(rng() % 6) + 1,
                            static_cast<unsigned>(rng() % 6) + 1};
        MoveList fast, plain;
        agent.Prepare(board);
        agent.ChooseMove(board, 1, dice, fast);
        agent.ChooseMoveReference(board, 1, dice, plain);
        ASSERT_EQ(fast.count, plain.count);
        for (unsigned m = 0; m < fast.count; ++m) {
            ASSERT_EQ(fast.indices[m], plain.indices[m]);
            ASSERT_EQ(fast.dice[m], plain.dice[m]);
        }
        // The chosen play is pubeval's pick among the trainer's candidates.
        BoardState after;
        after.CopyFrom(board);
        ASSERT_TRUE(ApplyMoves(after, fast));
        RollPlays plays;
        plays.Find(board.points, static_cast<int>(dice[0]), static_cast<int>(dice[1]));
        PubevalChooser chooser(pubeval);
        ASSERT_TRUE(SamePoints(plays[chooser.Choose(board, plays)], after.points));
    }
}

TEST(Match, BrokenPlaysAreRefused) {
    BoardState board;
    board.ResetToStart();
    MoveList moves;
    moves.Add(15, 1);
    EXPECT_FALSE(ApplyMoves(board, moves));
    moves.Clear();
    moves.Add(0, 5);  // 1 -> 6 lands on five opposing checkers
    EXPECT_FALSE(ApplyMoves(board, moves));
    moves.Clear();
    moves.Add(0, 3);
    moves.Add(0, 1);
    EXPECT_TRUE(ApplyMoves(board, moves));
    EXPECT_EQ(board.points[5].count, 1u);
    EXPECT_EQ(board.points[1].count, 1u);
}
