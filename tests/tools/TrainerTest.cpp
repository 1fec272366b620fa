#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "ai/Agent.h"
#include "tests/ai/AiTestSupport.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/Commands.h"
#include "tools/Match.h"
#include "tools/Trainer.h"

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
    Pubeval pubeval = PubevalTable();
    std::string error;
    std::string split;
    for (const char* teacher : {"pubeval", "rollout"}) {
        std::string whole = Scratch(std::string("whole-") + teacher);
        split = Scratch(std::string("split-") + teacher);
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

// A few hundred games of self-play take the networks from losing almost every game against
// pubeval to winning a good share. The game's computer player, reading the written files and
// searching as the game does, makes the trainer's choices: on the same dice, a match against
// pubeval ends exactly as the trainer's own benchmark.
TEST(Training, AFewHundredGamesLearnAndTheGamePlaysTheTrainersChoices) {
    Pubeval pubeval = PubevalTable();
    TrainOptions o = SmallRun(Scratch("few"), 300);
    o.checkEvery = 300;
    o.benchGames = 0;
    Trainer trainer(o, pubeval);
    const double before = WinRateAgainstPubeval(trainer.contact, trainer.race, pubeval, 60, 77);
    std::string error;
    ASSERT_TRUE(trainer.Run(error)) << error;
    const double after = WinRateAgainstPubeval(trainer.contact, trainer.race, pubeval, 60, 77);
    EXPECT_GT(after, before + 0.2);
    MatchResult match = PlayMatch("net:" + o.out, "pubeval", 60, 77, pubeval, false);
    ASSERT_TRUE(match.error.empty()) << match.error;
    EXPECT_EQ(match.winsA, static_cast<int>(after * 60 + 0.5));
}

// The soft-target loss of one roll as the trainer sees it, from the networks' own outputs.
static double RollLoss(NeuralNet& net, const RollPlays& plays, const std::vector<float>& chances,
                       double tau) {
    std::vector<float> sums(plays.Size());
    unsigned active[26];
    float hidden[HiddenCount];
    for (size_t c = 0; c < plays.Size(); ++c) {
        net.EvaluateOneHot(active, EncodeActive(plays[c], active), hidden, &sums[c]);
    }
    std::vector<double> gradient;
    return SoftTargetLoss(sums, chances, tau, gradient);
}

// The soft loss's gradient, over the sums and then through both layers of a network: a training
// step must move each weight against the slope that finite differences of the loss measure.
TEST(Training, TheSoftLossStepFollowsItsGradient) {
    const std::vector<float> chances = {0.52f, 0.50f, 0.515f, 0.40f};
    const std::vector<float> sums = {0.3f, -0.2f, 0.9f, 0.1f};
    std::vector<double> gradient, unused;
    const double loss = SoftTargetLoss(sums, chances, 100.0, gradient);
    EXPECT_GT(loss, 0.1);
    for (size_t c = 0; c < sums.size(); ++c) {
        std::vector<float> up = sums, down = sums;
        up[c] += 1e-3f;
        down[c] -= 1e-3f;
        const double slope = (SoftTargetLoss(up, chances, 100.0, unused) -
                              SoftTargetLoss(down, chances, 100.0, unused)) /
                             (static_cast<double>(up[c]) - down[c]);
        EXPECT_NEAR(gradient[c], slope, 1e-4) << c;
    }
    EXPECT_NEAR(SoftTargetLoss(sums, {0.5f, 0.5f, 0.5f, 0.5f}, 100.0, unused),
                SoftTargetLoss(sums, {0.7f, 0.7f, 0.7f, 0.7f}, 100.0, unused), 1e-12);

    Pubeval pubeval = PubevalTable();
    TrainOptions o = SmallRun(Scratch("gradient"), 1);
    o.levelPull = 0.0;
    Trainer trainer(o, pubeval);
    NeuralNet& net = trainer.contact;
    BoardState start;
    RollPlays plays;
    plays.Find(start.points, 6, 4);
    ASSERT_GE(plays.Size(), 8u);
    std::vector<float> roll(plays.Size());
    for (size_t c = 0; c < roll.size(); ++c) {
        roll[c] = 0.45f + 0.01f * static_cast<float>((c * 7) % 10);
    }
    // Every weight of the first hidden unit's inputs and of the output, before and after a step.
    std::vector<float*> weights;
    for (unsigned i = 0; i < net.layerSizes[0]; ++i) {
        weights.push_back(&net.layers[0][i].weights[0]);
    }
    for (unsigned k = 0; k < HiddenCount; ++k) {
        weights.push_back(&net.layers[1][k].weights[0]);
    }
    std::vector<float> before(weights.size());
    for (size_t w = 0; w < weights.size(); ++w) {
        before[w] = *weights[w];
    }
    const double rate = 1e-3;
    trainer.Learn(net, plays, 0, &roll, 100.0, rate);
    int checked = 0;
    for (size_t w = 0; w < weights.size(); ++w) {
        const double step = static_cast<double>(*weights[w]) - before[w];
        *weights[w] = before[w];
        if (std::fabs(step) < 1e-6) {
            continue;
        }
        const float eps = 1e-2f;
        *weights[w] = before[w] + eps;
        const double up = RollLoss(net, plays, roll, 100.0);
        *weights[w] = before[w] - eps;
        const double down = RollLoss(net, plays, roll, 100.0);
        *weights[w] = before[w];
        const double slope = (up - down) / (2.0 * eps);
        EXPECT_NEAR(-step / rate, slope, 0.02 * std::fabs(slope) + 1e-3) << w;
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

TEST(Match, SameSeedSameGamesAndEveryPlayerKnown) {
    Pubeval pubeval = PubevalTable();
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

    // A seed has 32 bits on every system: one past them is refused, not cut down to the largest.
    const char* tooBig[] = {"--a",     "random", "--b",    "random",
                            "--games", "1",      "--seed", "4294967296"};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(MatchCommand(8, const_cast<char**>(tooBig)), 2);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("bad seed"), std::string::npos);
}
