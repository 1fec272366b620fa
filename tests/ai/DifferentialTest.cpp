#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <unordered_map>

#include "ai/Agent.h"
#include "ai/Chance.h"
#include "tests/ai/AiTestSupport.h"

#ifndef KESTRANE_DIFFERENTIAL_CASES
#define KESTRANE_DIFFERENTIAL_CASES 20000
#endif

// Every allocation of this program is counted, so that a search that allocates is caught.
static unsigned long allocations = 0;

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

struct KeyHash {
    size_t operator()(const PositionKey& key) const {
        size_t h = 1469598103934665603ull;
        for (unsigned v : key) {
            h = (h ^ v) * 1099511628211ull;
        }
        return h;
    }
};

// The plain search with the plain network pass, remembering each position's value so that the
// doubles' tens of thousands of trials stay affordable: a stored value is the one the pass gave.
class RememberingAgent : public NetAgent {
public:
    explicit RememberingAgent(NeuralNet* net) : NetAgent(net) {}
    float Evaluate() override {
        const PositionKey key = KeyOf(searchBoard.points);
        auto it = values.find(key);
        if (it != values.end()) {
            return it->second;
        }
        const float v = NetAgent::Evaluate();
        values.emplace(key, v);
        return v;
    }
    std::unordered_map<PositionKey, float, KeyHash> values;
};

static const unsigned gameLayers[3] = {200, 20, 1};

static void RunCases(NeuralNet& net, std::mt19937& rng, unsigned cases, unsigned& doubles) {
    RememberingAgent agent(&net);
    for (unsigned c = 0; c < cases; ++c) {
        const BoardState board = RandomBoard(rng);
        const unsigned dice[2] = {std::uniform_int_distribution<unsigned>(1, 6)(rng),
                                  std::uniform_int_distribution<unsigned>(1, 6)(rng)};
        const unsigned player = std::uniform_int_distribution<unsigned>(1, 2)(rng);
        doubles += dice[0] == dice[1] ? 1 : 0;
        agent.values.clear();
        MoveList plain;
        MoveList fast;
        const unsigned plainCount = agent.ChooseMoveReference(board, player, dice, plain);
        const unsigned long before = allocations;
        const unsigned fastCount = agent.ChooseMove(board, player, dice, fast);
        ASSERT_EQ(allocations, before) << "the search allocated, case " << c;
        ASSERT_EQ(plainCount, fastCount) << "case " << c;
        ASSERT_EQ(plain.count, fast.count) << "case " << c;
        for (unsigned m = 0; m < plain.count; ++m) {
            ASSERT_EQ(plain.indices[m], fast.indices[m]) << "case " << c << " move " << m;
            ASSERT_EQ(plain.dice[m], fast.dice[m]) << "case " << c << " move " << m;
        }
    }
}

TEST(Differential, FastSearchChoosesThePlainSearchesPlay) {
    std::mt19937 rng(77);
    unsigned doubles = 0;
    const unsigned half = KESTRANE_DIFFERENTIAL_CASES / 2;

    // Random weights, as the game plays without weight files.
    Srand(4242);
    NeuralNet random(gameLayers, 3);
    RunCases(random, rng, half, doubles);

    // Weights from a file: wider than the random ones, so that values spread and ties are rare.
    const std::string path = ::testing::TempDir() + "differential-weights.dat";
    std::FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::uniform_real_distribution<float> wide(-1.5f, 1.5f);
    for (unsigned n = 0; n < 4020; ++n) {
        std::fprintf(f, "%.9g%c", static_cast<double>(wide(rng)), n % 20 == 19 ? '\n' : ' ');
    }
    std::fclose(f);
    NeuralNet loaded(gameLayers, 3);
    loaded.LoadWeights(path.c_str());
    RunCases(loaded, rng, KESTRANE_DIFFERENTIAL_CASES - half, doubles);

    std::printf("differential: %u cases (%u doubles), every MoveList identical\n",
                KESTRANE_DIFFERENTIAL_CASES, doubles);
}
