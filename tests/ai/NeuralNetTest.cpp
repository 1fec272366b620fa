#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "ai/BoardState.h"
#include "ai/Chance.h"
#include "ai/NeuralNet.h"
#include "tests/ai/AiTestSupport.h"

static const unsigned gameLayers[3] = {200, 20, 1};

static bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(NeuralNet, KnownOutputs) {
    // Input units pass their value through unchanged: 3 x 0.25 reaches the output unit, whose
    // squashing is (1 + tanh x) / 2.
    const unsigned tiny[2] = {1, 1};
    NeuralNet small(tiny, 2);
    small.layers[0][0].weights[0] = 0.25f;
    const float three[1] = {3.0f};
    float out[1];
    small.Evaluate(three, out);
    EXPECT_TRUE(SameBits(out[0], Sigmoid(0.75f)));
    EXPECT_FLOAT_EQ(out[0], static_cast<float>((1.0 + std::tanh(0.75)) / 2.0));
}

TEST(NeuralNetDeathTest, OneLayerEndsTheProcessQuietly) {
    const unsigned one[1] = {5};
    EXPECT_EXIT(NeuralNet(one, 1), ::testing::ExitedWithCode(0), "");
}

// Large weights make cancellations and saturation likely, where a careless one-hot pass (or an
// active list that disagrees with the full encoding) would give other bits.
TEST(NeuralNet, OneHotPassMatchesThePlainPassBitForBit) {
    std::mt19937 rng(99);
    NeuralNet net(gameLayers, 3);
    std::uniform_real_distribution<float> wide(-4.0f, 4.0f);
    for (unsigned i = 0; i < 200; ++i) {
        for (unsigned k = 0; k < 20; ++k) {
            net.layers[0][i].weights[k] = wide(rng);
        }
    }
    for (unsigned trial = 0; trial < 2000; ++trial) {
        const BoardState board = RandomBoard(rng);
        float inputs[200];
        float out[1];
        Encode(board.points, inputs);
        net.Evaluate(inputs, out);
        unsigned active[26];
        const unsigned n = EncodeActive(board.points, active);
        ASSERT_TRUE(SameBits(out[0], net.EvaluateOneHot(active, n))) << trial;
    }
}

// Each case writes `count` numbers (then `bad`, if any) and expects the first `loaded` weights
// from the file, the others as the random network had them, and `warning` on stderr.
TEST(NeuralNet, WeightFiles) {
    const std::string dir = ::testing::TempDir();
    const std::string missing = dir + "no-such-folder/net.dat";
    const std::string read = " of 4020 weights read, ";
    const struct {
        std::string path;
        unsigned count;
        const char* bad;
        unsigned loaded;
        std::string warning;
    } cases[] = {
        {dir + "exact.dat", 4020, nullptr, 4020, ""},
        // Numbers after the 4020th are never read and never complained about.
        {dir + "long.dat", 4100, nullptr, 4020, ""},
        {dir + "short.dat", 4000, nullptr, 4000, ": 4000" + read + "the file ends there\n"},
        {dir + "bad1.dat", 3981, "x7", 3981, ": 3981" + read + "item 3982 is not a number\n"},
        {dir + "bad2.dat", 3981, "1e99", 3981, ": 3981" + read + "item 3982 is not a number\n"},
        {dir + "bad3.dat", 3981, "nan", 3981, ": 3981" + read + "item 3982 is not a number\n"},
        {dir + "bad4.dat", 3981, "--3", 3981, ": 3981" + read + "item 3982 is not a number\n"},
        {missing, 0, nullptr, 0,
         ": cannot be opened (No such file or directory); the network keeps its random weights\n"},
    };
    for (const auto& c : cases) {
        if (c.count > 0) {
            WriteWeights(c.path, c.count, 3);
        }
        if (c.bad != nullptr) {
            std::FILE* f = std::fopen(c.path.c_str(), "a");
            std::fprintf(f, " %s 0.25 0.25\n", c.bad);
            std::fclose(f);
        }
        Srand(1);
        NeuralNet net(gameLayers, 3);
        Srand(1);
        const NeuralNet fresh(gameLayers, 3);
        ::testing::internal::CaptureStderr();
        net.LoadWeights(c.path.c_str());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  c.warning.empty() ? "" : c.path + c.warning);
        // Weights are read unit by unit: input-to-hidden first, then hidden-to-output.
        for (unsigned n = 0; n < 4020; ++n) {
            const unsigned l = n < 4000 ? 0 : 1;
            const unsigned i = n < 4000 ? n / 20 : n - 4000;
            const unsigned j = n < 4000 ? n % 20 : 0;
            const float want = n < c.loaded ? FileWeight(3, n) : fresh.layers[l][i].weights[j];
            ASSERT_EQ(net.layers[l][i].weights[j], want) << c.path << " weight " << n;
        }
    }
    // Asked to stay quiet, a missing file says nothing.
    NeuralNet net(gameLayers, 3);
    ::testing::internal::CaptureStderr();
    net.LoadWeights(missing.c_str(), false);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}
