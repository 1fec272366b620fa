// Measures the computer player's choice of play, the plain search beside the game's fast one,
// on fixed positions and rolls with fixed weights, and prints a signature of its behaviour.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "ai/Chance.h"
#include "ai/NetAgent.h"

struct BenchCase {
    const char* name;
    std::array<int, 26> board;  // b0 .. b25: positive player 1, negative player 2
    unsigned dice[2];
};

// clang-format off
static const BenchCase benchCases[] = {
    {"start 3-1", {0, 2, 0, 0, 0, 0, -5, 0, -3, 0, 0, 0, 5, -5, 0, 0, 0, 3, 0, 5, 0, 0, 0, 0, -2, 0}, {3, 1}},
    {"start 1-1", {0, 2, 0, 0, 0, 0, -5, 0, -3, 0, 0, 0, 5, -5, 0, 0, 0, 3, 0, 5, 0, 0, 0, 0, -2, 0}, {1, 1}},
    {"middle game 6-6", {0, 2, 0, 0, -2, -2, -3, 0, -2, 0, 1, 0, 3, -4, 0, 0, 1, 2, 0, 3, 1, 2, 0, 0, -2, 0}, {6, 6}},
    {"bear-off 2-2", {0, -2, -2, -3, -2, -3, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 2, 2, 2, 0}, {2, 2}},
    {"two on the bar 3-3", {2, -2, 0, 0, -2, -3, -3, 0, -2, 0, 0, 0, 2, -2, 0, 0, 1, 3, 0, 2, 2, 2, 1, 0, 0, -1}, {3, 3}},
};
// clang-format on

static BoardState ToBoard(const std::array<int, 26>& b) {
    BoardState board;
    for (unsigned p = 0; p < 26; ++p) {
        board.points[p].owner = b[p] > 0 ? 1 : (b[p] < 0 ? 2 : 0);
        board.points[p].count = static_cast<unsigned>(b[p] < 0 ? -b[p] : b[p]);
    }
    board.Save();
    return board;
}

// Networks built from a fixed seed, so that every run values positions alike.
static NeuralNet& BenchNetwork() {
    static NeuralNet* net = [] {
        Srand(20240601);
        return new NeuralNet(GameLayers, 3);
    }();
    return *net;
}

static void ChooseBench(benchmark::State& state, const BenchCase* c, bool reference) {
    NetAgent agent(&BenchNetwork());
    const BoardState board = ToBoard(c->board);
    MoveList moves;
    for (auto _ : state) {
        const unsigned n = reference ? agent.ChooseMoveReference(board, 1, c->dice, moves)
                                     : agent.ChooseMove(board, 1, c->dice, moves);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(moves);
    }
}

static void NetworkPass(benchmark::State& state, bool oneHot) {
    NeuralNet& net = BenchNetwork();
    const BoardState board = ToBoard(benchCases[2].board);
    float inputs[InputCount];
    float out[1];
    unsigned active[26];
    for (auto _ : state) {
        if (oneHot) {
            const unsigned n = EncodeActive(board.points, active);
            out[0] = net.EvaluateOneHot(active, n);
        } else {
            Encode(board.points, inputs);
            net.Evaluate(inputs, out);
        }
        benchmark::DoNotOptimize(out[0]);
    }
}

// Network passes of the fast search and a hash of every chosen play, over each position with
// each of the 21 rolls, for both sides to move. It changes only when the choices change. The
// looser rules let the values choose between one-die plays of either die.
static void PrintSignature(bool looseRules) {
    NetAgent agent(&BenchNetwork());
    agent.largerDieRule = !looseRules;
    std::uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](unsigned v) { hash = (hash ^ v) * 1099511628211ull; };
    for (const BenchCase& c : benchCases) {
        const BoardState board = ToBoard(c.board);
        for (unsigned player = 1; player <= 2; ++player) {
            for (unsigned d0 = 1; d0 <= 6; ++d0) {
                for (unsigned d1 = d0; d1 <= 6; ++d1) {
                    const unsigned dice[2] = {d0, d1};
                    MoveList moves;
                    mix(agent.ChooseMove(board, player, dice, moves));
                    for (unsigned m = 0; m < moves.count; ++m) {
                        mix(moves.indices[m]);
                        mix(moves.dice[m]);
                    }
                }
            }
        }
    }
    std::printf("signature: evaluations %llu, plays 0x%08x\n", agent.evaluationCount,
                static_cast<unsigned>(hash ^ (hash >> 32)));
}

int main(int argc, char** argv) {
    bool signature = false;
    bool looseRules = false;
    for (int a = 1; a < argc; ++a) {
        signature = signature || std::strcmp(argv[a], "--signature") == 0;
        looseRules = looseRules || std::strcmp(argv[a], "--loose-rules") == 0;
    }
    if (signature) {
        PrintSignature(looseRules);
        return 0;
    }
    for (const BenchCase& c : benchCases) {
        const std::string name = std::string("ChooseMove/") + c.name;
        benchmark::RegisterBenchmark((name + "/reference").c_str(), ChooseBench, &c, true)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/fast").c_str(), ChooseBench, &c, false)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("NetworkPass/plain", NetworkPass, false)
        ->Unit(benchmark::kNanosecond);
    benchmark::RegisterBenchmark("NetworkPass/one-hot", NetworkPass, true)
        ->Unit(benchmark::kNanosecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    PrintSignature(false);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
