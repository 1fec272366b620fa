#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <random>

#include "ai/Agent.h"
#include "ai/Chance.h"
#include "ai/NeuralNet.h"
#include "tests/ai/AiTestSupport.h"

// A shape without an output layer is the owner's to refuse: the process goes on, and the empty
// network neither evaluates nor takes weights from a file.
TEST(NeuralNet, OneLayerMakesAnUnusableNetworkWithoutEndingTheProcess) {
    const unsigned one[1] = {5};
    NeuralNet empty(one, 1);
    EXPECT_FALSE(empty.Usable());
    EXPECT_EQ(empty.WeightCount(), 0u);
    float out[1] = {0.5f};
    const float in[5] = {};
    empty.Evaluate(in, out);
    EXPECT_EQ(out[0], 0.5f);
    std::string error;
    EXPECT_FALSE(empty.WriteWeightFile(::testing::TempDir() + "empty.dat", error));
    EXPECT_FALSE(empty.ReadWeightFile(::testing::TempDir() + "empty.dat", error));
    EXPECT_NE(error.find("no layers"), std::string::npos) << error;
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
    };
    for (const auto& c : cases) {
        const std::string path = ::testing::TempDir() + c.name;
        WriteWeights(path, c.count, 3, c.tail);
        Srand(1);
        NeuralNet net(GameLayers, 3);
        Srand(1);
        const NeuralNet fresh(GameLayers, 3);
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
    }
}

// A trainer's files: the weights come back bit for bit, and the strict reading refuses a file
// that is short, long or holds a word.
TEST(NeuralNet, WrittenWeightFilesReadBackBitForBitAndStrictly) {
    Srand(5);
    NeuralNet net(GameLayers, 3);
    NeuralNet back(GameLayers, 3);
    const std::string dir = ::testing::TempDir();
    const std::string path = dir + "written.dat";
    std::string error;
    ASSERT_TRUE(net.WriteWeightFile(path, error)) << error;
    ASSERT_TRUE(back.ReadWeightFile(path, error)) << error;
    for (unsigned l = 0; l < 2; ++l) {
        for (unsigned i = 0; i < GameLayers[l]; ++i) {
            EXPECT_EQ(std::memcmp(net.layers[l][i].weights, back.layers[l][i].weights,
                                  GameLayers[l + 1] * sizeof(float)),
                      0);
        }
    }
    const std::string whole = ReadAll(path);
    const struct {
        std::string name;
        std::string text;
        std::string error;
    } damaged[] = {
        {"written-short.dat", whole.substr(0, whole.size() / 2), " numbers, 4020 expected"},
        {"written-word.dat", "0.5 abc " + whole, ": item 2 is not a number"},
        {"written-long.dat", whole + " 1.0\n", ": more than 4020 numbers"},
    };
    for (const auto& d : damaged) {
        std::ofstream(dir + d.name) << d.text;
        EXPECT_FALSE(back.ReadWeightFile(dir + d.name, error));
        EXPECT_NE(error.find(d.error), std::string::npos) << error;
    }
    EXPECT_FALSE(back.ReadWeightFile(dir + "missing.dat", error));
    EXPECT_EQ(error, "cannot open " + dir + "missing.dat");
}

// A trainer's fresh network and its learning pass: weights drawn in file order on the game's
// scale, and hidden outputs and output sum as the game's rounding gives them (32-bit sums
// in input order).
TEST(NeuralNet, TheLearningPassGivesTheHiddenOutputsAndTheOutputSum) {
    NeuralNet net(GameLayers, 3);
    const BoardState start;
    std::mt19937 rng(1);
    net.RandomizeInFileOrder([&rng] { return static_cast<unsigned>(rng()); });
    std::mt19937 again(1);
    const float scale = static_cast<float>(1.0 / std::sqrt(20.0));
    EXPECT_EQ(net.layers[0][0].weights[0],
              static_cast<float>(again() % 100 + 1) * 0.01f * scale - scale * 0.5f);
    unsigned active[26];
    const unsigned n = EncodeActive(start.points, active);
    float hidden[HiddenCount];
    float sum = 0.0f;
    const float v = net.EvaluateOneHot(active, n, hidden, &sum);
    float expectSum = 0.0f;
    for (unsigned k = 0; k < HiddenCount; ++k) {
        float s = 0.0f;
        for (unsigned a = 0; a < n; ++a) {
            s += net.layers[0][active[a]].weights[k];
        }
        const float h = static_cast<float>(1.0 / (1.0 + std::exp(-2.0 * s)));
        EXPECT_EQ(h, hidden[k]);
        expectSum += net.layers[1][k].weights[0] * h;
    }
    EXPECT_EQ(sum, expectSum);
    EXPECT_EQ(v, static_cast<float>(1.0 / (1.0 + std::exp(-2.0 * expectSum))));
}
