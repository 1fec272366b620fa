#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <random>

#include "ai/Chance.h"
#include "ai/NetAgent.h"
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

// The plain search with the plain network pass, remembering each position's value so that the
// doubles' tens of thousands of trials stay affordable: a stored value is the one the pass gave.
// The one-hot pass of the fast search must give the very same bits on every position.
class RememberingAgent : public NetAgent {
public:
    explicit RememberingAgent(NeuralNet* net) : NetAgent(net) {}
    float Evaluate() override {
        const Signed key = SignedOf(searchBoard.points);
        auto it = values.find(key);
        if (it != values.end()) {
            return it->second;
        }
        const float v = NetAgent::Evaluate();
        const float oneHot = EvaluatePoints(searchBoard.points);
        passesDiffer = passesDiffer || std::memcmp(&v, &oneHot, sizeof v) != 0;
        return values[key] = v;
    }
    std::map<Signed, float> values;
    bool passesDiffer = false;
};

static void RunCases(NeuralNet& net, std::mt19937& rng, unsigned cases) {
    RememberingAgent agent(&net);
    auto die = [&rng]() { return std::uniform_int_distribution<unsigned>(1, 6)(rng); };
    for (unsigned c = 0; c < cases; ++c) {
        const BoardState board = RandomBoard(rng);
        const unsigned dice[2] = {die(), die()};
        const unsigned player = die() % 2 + 1;
        agent.values.clear();
        MoveList plain;
        MoveList fast;
        agent.ChooseMoveReference(board, player, dice, plain);
        const unsigned long before = allocations;
        ASSERT_EQ(agent.ChooseMove(board, player, dice, fast), fast.count) << "case " << c;
        ASSERT_EQ(allocations, before) << "the search allocated, case " << c;
        ASSERT_FALSE(agent.passesDiffer) << "one-hot and plain passes differ, case " << c;
        ASSERT_EQ(MovesText(plain), MovesText(fast)) << "case " << c;
    }
}

TEST(Differential, FastSearchChoosesThePlainSearchesPlay) {
    std::mt19937 rng(77);
    const unsigned half = KESTRANE_DIFFERENTIAL_CASES / 2;
    // Random weights, as the game plays without weight files.
    Srand(4242);
    NeuralNet random(GameLayers, 3);
    RunCases(random, rng, half);

    // Weights from a file: wider than the random ones, so that values spread and ties are rare.
    const std::string path = ::testing::TempDir() + "differential-weights.dat";
    WriteWeights(path, 4020, 9);
    NeuralNet loaded(GameLayers, 3);
    loaded.LoadWeights(path.c_str());
    RunCases(loaded, rng, KESTRANE_DIFFERENTIAL_CASES - half);
    std::printf("differential: %u cases, every MoveList identical\n", KESTRANE_DIFFERENTIAL_CASES);
}
