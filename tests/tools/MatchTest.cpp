#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

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

TEST(TrainedFiles, GiveTheGameTheTrainersPlays) {
    Pubeval pubeval = Table();
    std::unique_ptr<Trainer> trainer;
    std::string dir = TrainedFolder(pubeval, trainer);

    // The game's computer player, reading the written files and searching as the game does, makes
    // the trainer's choices: on the same dice, a match against pubeval ends exactly as the
    // trainer's own benchmark.
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
