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

static void SetAllWeights(NeuralNet& net, float value) {
    for (unsigned l = 0; l + 1 < net.layerCount; ++l) {
        for (unsigned i = 0; i < net.layerSizes[l]; ++i) {
            for (unsigned j = 0; j < net.layers[l][i].weightCount; ++j) {
                net.layers[l][i].weights[j] = value;
            }
        }
    }
}

TEST(NeuralNet, KnownOutputs) {
    Srand(7);
    NeuralNet net(gameLayers, 3);
    float inputs[200] = {};
    float out[1];

    // With all inputs 0 every hidden unit gives f(0) = 0.5.
    net.Evaluate(inputs, out);
    float sum = 0.0f;
    for (unsigned k = 0; k < 20; ++k) {
        sum = sum + net.layers[1][k].weights[0] * 0.5f;
    }
    EXPECT_TRUE(SameBits(out[0], Sigmoid(sum)));

    // All weights 0: exactly one half whatever the inputs.
    SetAllWeights(net, 0.0f);
    for (unsigned i = 0; i < 200; i += 3) {
        inputs[i] = 1.0f;
    }
    net.Evaluate(inputs, out);
    EXPECT_EQ(out[0], 0.5f);

    // Input units pass their value through unchanged: 3 x 0.25 reaches the output unit.
    const unsigned tiny[2] = {1, 1};
    NeuralNet small(tiny, 2);
    small.layers[0][0].weights[0] = 0.25f;
    const float three[1] = {3.0f};
    small.Evaluate(three, out);
    EXPECT_TRUE(SameBits(out[0], Sigmoid(0.75f)));
    EXPECT_FLOAT_EQ(out[0], static_cast<float>((1.0 + std::tanh(0.75)) / 2.0));
    EXPECT_EQ(Sigmoid(0.0f), 0.5f);
}

TEST(NeuralNet, FreshWeightsFollowTheDrawOrder) {
    const unsigned seed = 12345;
    Srand(seed);
    NeuralNet net(gameLayers, 3);

    // Replaying the generator: hidden-to-output weights (scale 1) first, then input-to-hidden
    // (scale 1/sqrt(20)), units and weights ascending.
    Srand(seed);
    const float scales[2] = {static_cast<float>(1.0 / std::sqrt(20.0)), 1.0f};
    for (unsigned l = 2; l-- > 0;) {
        const float half = scales[l] * 0.5f;
        for (unsigned i = 0; i < gameLayers[l]; ++i) {
            for (unsigned j = 0; j < gameLayers[l + 1]; ++j) {
                const float expected =
                    static_cast<float>(Rand() % 100 + 1) * 0.01f * scales[l] - half;
                ASSERT_TRUE(SameBits(net.layers[l][i].weights[j], expected))
                    << "layer " << l << " unit " << i << " weight " << j;
                // On the grid (k/100 - 1/2) x scale, never at -scale/2.
                const float k = (net.layers[l][i].weights[j] / scales[l] + 0.5f) * 100.0f;
                EXPECT_NEAR(k, std::round(k), 1e-3);
                EXPECT_GE(std::round(k), 1.0f);
                EXPECT_LE(std::round(k), 100.0f);
            }
        }
    }
    EXPECT_EQ(net.layers[2][0].weights, nullptr);
    EXPECT_EQ(net.layers[2][0].weightCount, 0u);
    EXPECT_TRUE(net.layers[0][0].isInput);
    EXPECT_FALSE(net.layers[1][0].isInput);
}

TEST(NeuralNetDeathTest, OneLayerEndsTheProcessQuietly) {
    const unsigned one[1] = {5};
    EXPECT_EXIT(NeuralNet(one, 1), ::testing::ExitedWithCode(0), "");
}

TEST(NeuralNet, OneHotPassMatchesThePlainPassBitForBit) {
    std::mt19937 rng(99);
    Srand(3);
    NeuralNet net(gameLayers, 3);
    // Large weights make cancellations and saturation likely, where a careless pass would differ.
    std::uniform_real_distribution<float> wide(-4.0f, 4.0f);
    for (unsigned round = 0; round < 2; ++round) {
        if (round == 1) {
            for (unsigned i = 0; i < 200; ++i) {
                for (unsigned k = 0; k < 20; ++k) {
                    net.layers[0][i].weights[k] = wide(rng);
                }
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
            ASSERT_TRUE(SameBits(out[0], net.EvaluateOneHot(active, n)));
        }
    }
}

class WeightFile : public ::testing::Test {
protected:
    void SetUp() override {
        Srand(1);
        net = new NeuralNet(gameLayers, 3);
        for (unsigned i = 0; i < 200; ++i) {
            for (unsigned k = 0; k < 20; ++k) {
                before[i * 20 + k] = net->layers[0][i].weights[k];
            }
        }
        for (unsigned k = 0; k < 20; ++k) {
            before[4000 + k] = net->layers[1][k].weights[0];
        }
    }
    void TearDown() override { delete net; }

    float Weight(unsigned n) const {
        return n < 4000 ? net->layers[0][n / 20].weights[n % 20]
                        : net->layers[1][n - 4000].weights[0];
    }

    // Loads and returns what went to stderr.
    std::string Load(const std::string& path) {
        ::testing::internal::CaptureStderr();
        net->LoadWeights(path.c_str());
        return ::testing::internal::GetCapturedStderr();
    }

    NeuralNet* net = nullptr;
    float before[4020];
};

TEST_F(WeightFile, ExactAndLongFilesLoadEverythingSilently) {
    const std::string exact = WriteNumbers("exact.dat", 4020, -1.0f, 0.0005f);
    EXPECT_EQ(Load(exact), "");
    for (unsigned n = 0; n < 4020; ++n) {
        ASSERT_EQ(Weight(n), -1.0f + 0.0005f * static_cast<float>(n)) << n;
    }
    // Numbers after the 4020th are never read and never complained about.
    const std::string longer = WriteNumbers("long.dat", 4100, 2.0f, 0.25f);
    EXPECT_EQ(Load(longer), "");
    EXPECT_EQ(Weight(0), 2.0f);
    EXPECT_EQ(Weight(4019), 2.0f + 0.25f * 4019.0f);
}

TEST_F(WeightFile, ShortFileKeepsTheOutputWeightsRandom) {
    const std::string path = WriteNumbers("short.dat", 4000, 0.5f, 0.0f);
    EXPECT_EQ(Load(path), path + ": 4000 of 4020 weights read, the file ends there\n");
    for (unsigned n = 0; n < 4000; ++n) {
        ASSERT_EQ(Weight(n), 0.5f);
    }
    for (unsigned n = 4000; n < 4020; ++n) {
        EXPECT_EQ(Weight(n), before[n]);
    }
}

TEST_F(WeightFile, BadItemStopsLoadingThere) {
    const std::string path = ::testing::TempDir() + "bad.dat";
    for (const char* bad : {"x7", "1e99", "nan", "--3"}) {
        std::FILE* f = std::fopen(path.c_str(), "w");
        for (unsigned i = 0; i < 3981; ++i) {
            std::fprintf(f, "%s0.125", i % 7 == 0 ? "\t" : (i % 5 == 0 ? "\n" : " "));
        }
        std::fprintf(f, " %s 0.25 0.25\n", bad);
        std::fclose(f);
        delete net;
        SetUp();
        EXPECT_EQ(Load(path), path + ": 3981 of 4020 weights read, item 3982 is not a number\n")
            << bad;
        EXPECT_EQ(Weight(3980), 0.125f);
        for (unsigned n = 3981; n < 4020; ++n) {
            ASSERT_EQ(Weight(n), before[n]) << bad << " " << n;
        }
    }
}

TEST_F(WeightFile, MissingFileLeavesTheNetworkRandom) {
    const std::string path = ::testing::TempDir() + "no-such-folder/net.dat";
    EXPECT_EQ(Load(path), path +
                              ": cannot be opened (No such file or directory); the network keeps "
                              "its random weights\n");
    for (unsigned n = 0; n < 4020; ++n) {
        ASSERT_EQ(Weight(n), before[n]);
    }
    ::testing::internal::CaptureStderr();
    net->LoadWeights(path.c_str(), false);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}
