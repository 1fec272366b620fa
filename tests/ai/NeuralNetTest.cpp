#include <gtest/gtest.h>

#include <cmath>

#include "ai/Chance.h"
#include "ai/NeuralNet.h"
#include "tests/ai/AiTestSupport.h"

static const unsigned gameLayers[3] = {200, 20, 1};

TEST(NeuralNet, KnownOutputs) {
    // Input units pass their value through unchanged: 3 x 0.25 reaches the output unit, whose
    // squashing is (1 + tanh x) / 2.
    const unsigned tiny[2] = {1, 1};
    NeuralNet small(tiny, 2);
    small.layers[0][0].weights[0] = 0.25f;
    const float three[1] = {3.0f};
    float out[1];
    small.Evaluate(three, out);
    EXPECT_FLOAT_EQ(out[0], static_cast<float>((1.0 + std::tanh(0.75)) / 2.0));
}

TEST(NeuralNetDeathTest, OneLayerEndsTheProcessQuietly) {
    const unsigned one[1] = {5};
    EXPECT_EXIT(NeuralNet(one, 1), ::testing::ExitedWithCode(0), "");
}

// Each case writes `count` numbers and then `tail`, and expects as many weights as there are from
// the file, the others as the random network had them, and `warning` (after the path) on stderr.
TEST(NeuralNet, WeightFiles) {
    const std::string read = " of 4020 weights read, ";
    const std::string notNumber = ": 3981" + read + "item 3982 is not a number\n";
    const struct {
        std::string name;
        unsigned count;
        const char* tail;
        std::string warning;
    } cases[] = {
        {"exact.dat", 4020, "", ""},
        // Numbers after the 4020th are never read and never complained about.
        {"long.dat", 4100, "x", ""},
        {"short.dat", 4000, "", ": 4000" + read + "the file ends there\n"},
        {"bad1.dat", 3981, " x7 0.25", notNumber},
        {"bad2.dat", 3981, " 1e99 0.25", notNumber},
        {"bad3.dat", 3981, " nan 0.25", notNumber},
        {"bad4.dat", 3981, " --3 0.25", notNumber},
        {"no-such-folder/net.dat", 0, "",
         ": cannot be opened (No such file or directory); the network keeps its random weights\n"},
    };
    for (const auto& c : cases) {
        const std::string path = ::testing::TempDir() + c.name;
        if (c.count > 0) {
            WriteWeights(path, c.count, 3, c.tail);
        }
        Srand(1);
        NeuralNet net(gameLayers, 3);
        Srand(1);
        const NeuralNet fresh(gameLayers, 3);
        ::testing::internal::CaptureStderr();
        net.LoadWeights(path.c_str());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  c.warning.empty() ? "" : path + c.warning);
        // Weights are read unit by unit: input-to-hidden first, then hidden-to-output.
        for (unsigned n = 0; n < 4020; ++n) {
            const unsigned l = n < 4000 ? 0 : 1;
            const unsigned i = n < 4000 ? n / 20 : n - 4000;
            const unsigned j = n < 4000 ? n % 20 : 0;
            const float want = n < c.count ? FileWeight(3, n) : fresh.layers[l][i].weights[j];
            ASSERT_EQ(net.layers[l][i].weights[j], want) << path << " weight " << n;
        }
        // Asked to stay quiet, a loader says nothing.
        ::testing::internal::CaptureStderr();
        net.LoadWeights(path.c_str(), false);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    }
}
