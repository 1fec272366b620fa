#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "tools/Trainer.h"

static std::string Scratch(const std::string& name) {
    std::string dir = testing::TempDir() + "kestrane-" + name;
    std::string command = "rm -rf '" + dir + "' && mkdir -p '" + dir + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return dir;
}

static std::string ReadAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

static Pubeval Table() {
    Pubeval p;
    std::string error;
    EXPECT_TRUE(p.Load(KESTRANE_PUBEVAL_TABLE, error)) << error;
    return p;
}

static TrainOptions SmallRun(const std::string& out, int games) {
    TrainOptions o;
    o.out = out;
    o.games = games;
    o.seed = 42;
    o.checkEvery = 10;
    o.benchGames = 2;
    o.rate = 0.1;
    o.finalRate = 0.05;
    return o;
}

TEST(Training, SameSeedSameWeightsAndResumeContinuesExactly) {
    Pubeval pubeval = Table();
    std::string error;
    for (const char* teacher : {"pubeval", "rollout"}) {
        std::string whole = Scratch(std::string("whole-") + teacher);
        std::string split = Scratch(std::string("split-") + teacher);
        TrainOptions o = SmallRun(whole, 20);
        o.teacher = teacher;
        o.rollouts = 2;
        o.replay = 2;
        o.memorySize = 500;
        ASSERT_TRUE(Trainer(o, pubeval).Run(error)) << error;

        // The same run stopped after its first checkpoint and resumed.
        TrainOptions first = o;
        first.out = split;
        first.stopAt = 10;
        ASSERT_TRUE(Trainer(first, pubeval).Run(error)) << error;
        TrainOptions rest = o;
        rest.out = split;
        rest.resume = true;
        ASSERT_TRUE(Trainer(rest, pubeval).Run(error)) << error;

        for (const char* name : {ContactWeightFile, RaceWeightFile}) {
            std::string a = ReadAll(whole + "/" + name);
            EXPECT_FALSE(a.empty());
            EXPECT_EQ(a, ReadAll(split + "/" + name)) << teacher << " " << name;
        }
    }
    TrainOptions broken = SmallRun(Scratch("none"), 5);
    broken.resume = true;
    EXPECT_FALSE(Trainer(broken, pubeval).Run(error));

    // A remembered position with more checkers on a point than a side owns is refused.
    std::string split = testing::TempDir() + "kestrane-split-rollout";
    std::istringstream state(ReadAll(split + "/train-state.txt"));
    std::string line, edited;
    for (int n = 0; std::getline(state, line); ++n) {
        edited += (n == 3 ? "99" + line.substr(line.find(' ')) : line) + "\n";
    }
    std::ofstream(split + "/train-state.txt") << edited;
    broken.out = split;
    EXPECT_FALSE(Trainer(broken, pubeval).Run(error));
    EXPECT_NE(error.find("damaged checkpoint"), std::string::npos) << error;
}

class RandomChooser : public Chooser {
public:
    int Choose(const BoardState&, const RollPlays& list) override {
        return static_cast<int>(rng() % list.Size());
    }
    std::mt19937 rng{9};
};

static double WinsAgainstRandom(NeuralNet& contact, NeuralNet& race, int games) {
    NetChooser net(contact, race);
    RandomChooser random;
    std::mt19937 dice(5);
    return static_cast<double>(PlayGames(net, random, games, dice, false).winsA) / games;
}

TEST(Training, AFewHundredGamesBeatRandomPlay) {
    Pubeval pubeval = Table();
    TrainOptions o = SmallRun(Scratch("few"), 300);
    o.checkEvery = 300;
    o.benchGames = 0;
    Trainer trainer(o, pubeval);
    double before = WinsAgainstRandom(trainer.contact, trainer.race, 400);
    std::string error;
    ASSERT_TRUE(trainer.Run(error)) << error;
    double after = WinsAgainstRandom(trainer.contact, trainer.race, 400);
    EXPECT_GT(after, 0.75);
    EXPECT_GT(after, before + 0.2);
}
