#include "tools/Match.h"

#include "ai/Agent.h"
#include "ai/Chance.h"
#include "ai/ComputerPlayer.h"
#include "ai/DataFiles.h"
#include "platform/Portable.h"

// The computer player exactly as the game runs it: a position with itself as player 1.
class NetPlayer : public GamePlayer {
public:
    explicit NetPlayer(const std::string& dir) { computer.weightDirectory = dir; }
    bool TakeTurn(BoardState& board, const unsigned dice[2]) override {
        Play play;
        computer.ChooseMove(board, 1, dice, play);
        return MakePlay(board, play);
    }
    ComputerPlayer computer;
};

// Any play the roll allows, each trial equally likely to come out on top.
class RandomAgent : public Agent {
public:
    float Evaluate() override { return static_cast<float>(Rand()); }
};

template <class AgentType>
class AgentPlayer : public GamePlayer {
public:
    bool TakeTurn(BoardState& board, const unsigned dice[2]) override {
        Play play;
        agent.ChoosePlay(board, 1, dice, play);
        return MakePlay(board, play);
    }
    AgentType agent;
};

std::unique_ptr<GamePlayer> MakeMatchPlayer(const std::string& name, const Pubeval& pubeval,
                                            std::string& error) {
    if (name == "net" || name.rfind("net:", 0) == 0) {
        // No folder named: the files the game itself would read.
        const std::string dir = name.size() > 4 ? name.substr(4) : "";
        for (const char* file : {ContactWeightFile, RaceWeightFile}) {
            std::string tried;
            if (dir.empty() ? FindDataFile(file, tried).empty()
                            : !portable::IsReadableFile(dir + "/" + file)) {
                error = std::string("no weight file ") + file + " (tried " +
                        (dir.empty() ? tried : dir + "/" + file) + ")";
                return nullptr;
            }
        }
        return std::make_unique<NetPlayer>(dir);
    }
    if (name == "pubeval") {
        return std::make_unique<PubevalChooser>(pubeval);
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

MatchResult PlayMatch(const std::string& a, const std::string& b, int games, uint32_t seed,
                      const Pubeval& pubeval, bool progress) {
    MatchResult result;
    fixedClock = static_cast<std::time_t>(seed);
    SetClockSource(FixedClock);
    Srand(seed);
    std::unique_ptr<GamePlayer> playerA = MakeMatchPlayer(a, pubeval, result.error);
    std::unique_ptr<GamePlayer> playerB =
        playerA ? MakeMatchPlayer(b, pubeval, result.error) : nullptr;
    if (playerA && playerB) {
        std::mt19937 dice(seed);
        result = PlayGames(*playerA, *playerB, games, dice, progress);
    }
    SetClockSource(nullptr);
    return result;
}
