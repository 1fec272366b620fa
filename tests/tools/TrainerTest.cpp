#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
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

TEST(WeightFiles, RoundTripBitForBitAndRejectDamage) {
    std::string dir = Scratch("weights");
    static TrainNet net, back;
    std::mt19937 rng(3);
    // Any finite float must survive, from tiny to huge, so draw raw bit patterns.
    for (int i = 0; i < 200; ++i) {
        for (int k = 0; k < 20; ++k) {
            float f;
            do {
                uint32_t bits = rng();
                std::memcpy(&f, &bits, sizeof f);
            } while (!std::isfinite(f));
            net.w1[i][k] = f;
        }
    }
    for (int k = 0; k < 20; ++k) {
        net.w2[k] = -1.0f / static_cast<float>(k + 3);
    }
    std::string error;
    std::string path = dir + "/net.dat";
    ASSERT_TRUE(WriteWeights(net, path, error)) << error;
    ASSERT_TRUE(ReadWeights(back, path, error)) << error;
    EXPECT_EQ(std::memcmp(&net, &back, sizeof net), 0);

    std::istringstream text(ReadAll(path));
    int count = 0;
    std::string item;
    while (text >> item) {
        ++count;
    }
    EXPECT_EQ(count, 4020);

    std::string whole = ReadAll(path);
    std::ofstream(dir + "/short.dat") << whole.substr(0, whole.size() / 2);
    EXPECT_FALSE(ReadWeights(back, dir + "/short.dat", error));
    std::ofstream(dir + "/word.dat") << "0.5 abc " << whole;
    EXPECT_FALSE(ReadWeights(back, dir + "/word.dat", error));
    EXPECT_NE(error.find("item 2"), std::string::npos) << error;
    std::ofstream(dir + "/long.dat") << whole << " 1.0\n";
    EXPECT_FALSE(ReadWeights(back, dir + "/long.dat", error));
    EXPECT_FALSE(ReadWeights(back, dir + "/missing.dat", error));
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

        for (const char* name : {kContactFile, kRaceFile}) {
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

static double WinsAgainstRandom(const TrainNet& contact, const TrainNet& race, int games) {
    NetChooser net(contact, race);
    RandomChooser random;
    RollPlays plays;
    std::mt19937 dice(5);
    int wins = 0;
    for (int g = 0; g < games; ++g) {
        wins += g % 2 ? PlayFastGame(random, net, plays, dice) == 1
                      : PlayFastGame(net, random, plays, dice) == 0;
    }
    return static_cast<double>(wins) / games;
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

// The value the trainer computes is what the game's rounding gives: 32-bit sums in input
// order, and an output of exactly 0.5 for all-zero weights.
TEST(TrainNetValue, FollowsTheGamesArithmetic) {
    static TrainNet zero;
    std::memset(&zero, 0, sizeof zero);
    const BoardState start;
    EXPECT_EQ(zero.Value(start.points), 0.5f);
    static TrainNet net;
    std::mt19937 rng(1);
    net.Randomize(rng);
    float scale = static_cast<float>(1.0 / std::sqrt(20.0));
    for (int i = 0; i < 200; ++i) {
        for (int k = 0; k < 20; ++k) {
            EXPECT_GE(net.w1[i][k], -0.49f * scale - 1e-6f);
            EXPECT_LE(net.w1[i][k], 0.50f * scale + 1e-6f);
        }
    }
    unsigned active[26];
    unsigned n = EncodeActive(start.points, active);
    float hidden[20];
    float sum = 0.0f;
    float v = net.Value(active, n, hidden, &sum);
    float expectSum = 0.0f;
    for (int k = 0; k < 20; ++k) {
        float s = 0.0f;
        for (int i = 0; i < 200; ++i) {
            bool on = false;
            for (unsigned a = 0; a < n; ++a) {
                on = on || active[a] == static_cast<unsigned>(i);
            }
            s += net.w1[i][k] * (on ? 1.0f : 0.0f);
        }
        float h = static_cast<float>(1.0 / (1.0 + std::exp(-2.0 * s)));
        EXPECT_EQ(h, hidden[k]);
        expectSum += net.w2[k] * h;
    }
    EXPECT_EQ(sum, expectSum);
    EXPECT_EQ(v, static_cast<float>(1.0 / (1.0 + std::exp(-2.0 * expectSum))));
}
