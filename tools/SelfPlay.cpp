#include "tools/SelfPlay.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "ai/Agent.h"

RollPlays::RollPlays() : list(512) {}

void RollPlays::Find(const PointEntry points[26], int die1, int die2) {
    dice[0] = die1;
    dice[1] = die2;
    const unsigned roll[2] = {static_cast<unsigned>(die1), static_cast<unsigned>(die2)};
    count = enumerator.Enumerate(points, roll, list.data(), static_cast<unsigned>(list.size()));
    if (count > list.size()) {
        list.resize(count);
        count = enumerator.Enumerate(points, roll, list.data(), static_cast<unsigned>(count));
    }
}

bool Chooser::TakeTurn(BoardState& board, const unsigned dice[2]) {
    candidates.Find(board.points, static_cast<int>(dice[0]), static_cast<int>(dice[1]));
    const PointEntry* chosen = candidates[Choose(board, candidates)];
    std::copy(chosen, chosen + 26, board.points);
    return true;
}

int NetChooser::Choose(const BoardState& before, const RollPlays& list) {
    NeuralNet& net = IsRace(before) ? race : contact;
    return FirstOfHighest(list,
                          [&net](const PointEntry* points) { return PositionValue(net, points); });
}

int PubevalChooser::Choose(const BoardState& before, const RollPlays& list) {
    const bool race = IsRace(before);
    return FirstOfHighest(
        list, [this, race](const PointEntry* points) { return pubeval.Score(points, race); });
}

static const int maxPlies = 20000;

int PlayGame(GamePlayer& first, GamePlayer& second, std::mt19937& dice, const BoardState& start) {
    BoardState board = start;
    GamePlayer* players[2] = {&first, &second};
    for (int ply = 0; ply < maxPlies; ++ply) {
        const int side = ply & 1;
        const unsigned roll[2] = {static_cast<unsigned>(dice() % 6) + 1,
                                  static_cast<unsigned>(dice() % 6) + 1};
        if (!players[side]->TakeTurn(board, roll)) {
            return -1;
        }
        if (MoverCheckers(board.points) == 0) {
            return side;
        }
        board.Mirror();
    }
    return -1;
}

MatchResult PlayGames(GamePlayer& a, GamePlayer& b, int games, std::mt19937& dice, bool progress) {
    MatchResult result;
    const auto start = std::chrono::steady_clock::now();
    for (int g = 0; g < games; ++g) {
        const bool aFirst = g % 2 == 0;
        const int winner = aFirst ? PlayGame(a, b, dice) : PlayGame(b, a, dice);
        if (winner < 0) {
            result.error = "game " + std::to_string(g + 1) + ": a player answered an illegal play";
            break;
        }
        const bool aWon = (winner == 0) == aFirst;
        (aWon ? result.winsA : result.winsB) += 1;
        if (progress && (g + 1) % 1000 == 0) {
            const double s =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::fprintf(stderr, "games %d/%d  A %d  B %d  %.1f games/s\n", g + 1, games,
                         result.winsA, result.winsB, (g + 1) / s);
        }
    }
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

double WinRateAgainstPubeval(NeuralNet& contact, NeuralNet& race, const Pubeval& pubeval, int games,
                             uint32_t seed) {
    NetChooser net(contact, race);
    PubevalChooser bench(pubeval);
    std::mt19937 dice(seed);
    const MatchResult result = PlayGames(net, bench, games, dice, false);
    return games > 0 ? static_cast<double>(result.winsA) / games : 0.0;
}
