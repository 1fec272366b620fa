#include "tools/Match.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <vector>

#include "ai/Agent.h"
#include "ai/Chance.h"
#include "ai/ComputerPlayer.h"
#include "ai/DataFiles.h"

bool ApplyMoves(BoardState& board, const MoveList& moves) {
    unsigned list[15];
    unsigned n = 0;
    for (unsigned p = 0; p < 26; ++p) {
        if (board.points[p].owner != 1) {
            continue;
        }
        for (unsigned c = 0; c < board.points[p].count && n < 15; ++c) {
            list[n++] = p;
        }
    }
    if (moves.count > 4) {
        return false;
    }
    for (unsigned m = 0; m < moves.count; ++m) {
        unsigned index = moves.indices[m];
        if (index >= n || !board.MoveChecker(list[index], moves.dice[m])) {
            return false;
        }
        list[index] += moves.dice[m];
    }
    return true;
}

// The computer player exactly as the game runs it: a position with itself as player 1.
class NetPlayer : public MatchPlayer {
public:
    explicit NetPlayer(const std::string& dir) { computer.weightDirectory = dir; }
    void Choose(const BoardState& board, const unsigned dice[2], MoveList& moves) override {
        computer.ChooseMove(board, 1, dice, moves);
    }
    ComputerPlayer computer;
};

class PubevalPlayer : public MatchPlayer {
public:
    explicit PubevalPlayer(const Pubeval& pubeval) : agent(pubeval) {}
    void Choose(const BoardState& board, const unsigned dice[2], MoveList& moves) override {
        agent.Prepare(board);
        agent.ChooseMove(board, 1, dice, moves);
    }
    PubevalAgent agent;
};

// Any play the roll allows, each trial equally likely to come out on top.
class RandomAgent : public Agent {
public:
    float Evaluate() override { return static_cast<float>(Rand()); }
};

template <class AgentType>
class AgentPlayer : public MatchPlayer {
public:
    void Choose(const BoardState& board, const unsigned dice[2], MoveList& moves) override {
        agent.ChooseMove(board, 1, dice, moves);
    }
    AgentType agent;
};

PubevalAgent::PubevalAgent(const Pubeval& pubeval) : pubeval(pubeval), candidates(4096) {}

float PubevalAgent::Evaluate() {
    return pubeval.Score(searchBoard.points, race);
}

void PubevalAgent::Prepare(const BoardState& board) {
    race = IsRace(board);
}

unsigned PubevalAgent::Search(const unsigned dice[2], MoveList& moves) {
    unsigned n = enumerator.Enumerate(searchBoard.points, dice, candidates.data(),
                                      static_cast<unsigned>(candidates.size()));
    if (n > candidates.size()) {
        return Agent::Search(dice, moves);
    }
    float best = 0.0f;
    for (unsigned c = 0; c < n; ++c) {
        for (int i = 0; i < 26; ++i) {
            searchBoard.points[i] = candidates[c].points[i];
        }
        float v = Evaluate();
        if (c == 0 || v > best) {
            best = v;
            moves = candidates[c].moves;
        }
    }
    searchBoard.Restore();
    return moves.count;
}

static bool IsFile(const std::string& path) {
    struct stat s;
    return stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

std::unique_ptr<MatchPlayer> MakeMatchPlayer(const std::string& name, const Pubeval& pubeval,
                                             std::string& error) {
    if (name == "net" || name.rfind("net:", 0) == 0) {
        // No folder named: the files the game itself would read.
        const std::string dir = name.size() > 4 ? name.substr(4) : "";
        for (const char* file : {"net-160 (0).dat", "net-160 (1).dat"}) {
            std::string tried;
            if (dir.empty() ? FindDataFile(file, tried).empty() : !IsFile(dir + "/" + file)) {
                error = std::string("no weight file ") + file + " (tried " +
                        (dir.empty() ? tried : dir + "/" + file) + ")";
                return nullptr;
            }
        }
        return std::make_unique<NetPlayer>(dir);
    }
    if (name == "pubeval") {
        return std::make_unique<PubevalPlayer>(pubeval);
    }
    if (name == "heuristic") {
        return std::make_unique<AgentPlayer<Agent>>();
    }
    if (name == "random") {
        return std::make_unique<AgentPlayer<RandomAgent>>();
    }
    error = "unknown player " + name + " (net[:DIR], pubeval, heuristic or random)";
    return nullptr;
}

static std::time_t fixedClock = 0;
static std::time_t FixedClock() {
    return fixedClock;
}

static bool HasCheckers(const BoardState& board) {
    for (const PointEntry& p : board.points) {
        if (p.owner == 1 && p.count > 0) {
            return true;
        }
    }
    return false;
}

static const int kMaxPlies = 20000;

// Returns 0 when `first` wins, 1 when `second` does, -1 on a broken MoveList.
static int PlayGame(MatchPlayer& first, MatchPlayer& second, std::mt19937& dice) {
    BoardState board;
    board.ResetToStart();
    MatchPlayer* players[2] = {&first, &second};
    for (int ply = 0; ply < kMaxPlies; ++ply) {
        int side = ply & 1;
        unsigned roll[2] = {static_cast<unsigned>(dice() % 6) + 1,
                            static_cast<unsigned>(dice() % 6) + 1};
        MoveList moves;
        players[side]->Choose(board, roll, moves);
        if (!ApplyMoves(board, moves)) {
            return -1;
        }
        if (!HasCheckers(board)) {
            return side;
        }
        board.Mirror();
        board.Save();
    }
    return -1;
}

MatchResult PlayMatch(const std::string& a, const std::string& b, int games, uint32_t seed,
                      const Pubeval& pubeval, bool progress) {
    MatchResult result;
    fixedClock = static_cast<std::time_t>(seed);
    SetClockSource(FixedClock);
    Srand(seed);
    std::unique_ptr<MatchPlayer> playerA = MakeMatchPlayer(a, pubeval, result.error);
    std::unique_ptr<MatchPlayer> playerB =
        playerA ? MakeMatchPlayer(b, pubeval, result.error) : nullptr;
    if (!playerA || !playerB) {
        SetClockSource(nullptr);
        return result;
    }
    std::mt19937 dice(seed);
    auto start = std::chrono::steady_clock::now();
    for (int g = 0; g < games; ++g) {
        bool aFirst = g % 2 == 0;
        int winner =
            aFirst ? PlayGame(*playerA, *playerB, dice) : PlayGame(*playerB, *playerA, dice);
        if (winner < 0) {
            result.error = "game " + std::to_string(g + 1) + ": a player answered an illegal play";
            break;
        }
        bool aWon = (winner == 0) == aFirst;
        (aWon ? result.winsA : result.winsB) += 1;
        if (progress && (g + 1) % 1000 == 0) {
            double s =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::fprintf(stderr, "games %d/%d  A %d  B %d  %.1f games/s\n", g + 1, games,
                         result.winsA, result.winsB, (g + 1) / s);
        }
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    SetClockSource(nullptr);
    return result;
}
