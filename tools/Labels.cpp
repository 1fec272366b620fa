#include "tools/Labels.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "ai/Agent.h"
#include "ai/DataFiles.h"

static const char* const kLabelsHeader = "kestrane-labels 1";

bool WriteLabels(const std::vector<LabelledDecision>& decisions, const std::string& path,
                 std::string& error) {
    std::ofstream out(PartPath(path), std::ios::binary);
    out << kLabelsHeader << "\n";
    for (const LabelledDecision& d : decisions) {
        out << d.game << " " << d.die1 << " " << d.die2;
        for (signed char count : d.before) {
            out << " " << static_cast<int>(count);
        }
        out << " " << d.candidates << " " << d.label << "\n";
    }
    out.close();
    return ReplaceWithPart(path, static_cast<bool>(out), error);
}

// Whether a decision read from a file is one the game can meet: a side has at most 15
// checkers, the mover none on the other side's bar and the other side none on the mover's.
static bool Plausible(const LabelledDecision& d) {
    int mine = 0, theirs = 0;
    for (int i = 0; i < 26; ++i) {
        (d.before[i] > 0 ? mine : theirs) += d.before[i] > 0 ? d.before[i] : -d.before[i];
    }
    return mine <= 15 && theirs <= 15 && mine > 0 && d.before[25] <= 0 && d.before[0] >= 0 &&
           d.die1 >= 1 && d.die1 <= 6 && d.die2 >= 1 && d.die2 <= 6 && d.label >= 0 &&
           d.label < d.candidates;
}

bool ReadLabels(const std::string& path, std::vector<LabelledDecision>& decisions,
                std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::string line;
    if (!std::getline(in, line) || line != kLabelsHeader) {
        error = path + ": not a label file (its first line is not \"" + kLabelsHeader + "\")";
        return false;
    }
    RollPlays plays;
    BoardState board;
    for (int number = 2; std::getline(in, line); ++number) {
        std::istringstream fields(line);
        LabelledDecision d;
        int counts[26];
        bool ok = static_cast<bool>(fields >> d.game >> d.die1 >> d.die2);
        for (int i = 0; i < 26 && ok; ++i) {
            ok = static_cast<bool>(fields >> counts[i]) && counts[i] >= -15 && counts[i] <= 15;
            d.before[i] = static_cast<signed char>(ok ? counts[i] : 0);
        }
        std::string rest;
        ok = ok && fields >> d.candidates >> d.label && !(fields >> rest) && Plausible(d);
        if (ok) {
            UnpackPoints(d.before, board.points);
            plays.Find(board.points, d.die1, d.die2);
            if (static_cast<int>(plays.Size()) != d.candidates) {
                error = path + ": line " + std::to_string(number) + ": the game finds " +
                        std::to_string(plays.Size()) + " plays, the file says " +
                        std::to_string(d.candidates);
                return false;
            }
        } else {
            error = path + ": line " + std::to_string(number) + " is damaged";
            return false;
        }
        decisions.push_back(d);
    }
    return true;
}

void TeacherBoard(const PointEntry points[26], int board[50]) {
    std::fill(board, board + 50, 0);
    for (int p = 0; p < 26; ++p) {
        int count = static_cast<int>(points[p].count);
        if (points[p].owner == 1 && p <= 24) {
            board[25 + 24 - p] = count;
        } else if (points[p].owner == 2 && p >= 1) {
            board[p - 1] = count;
        }
    }
}

int FindTeacherPlay(const RollPlays& candidates, const int board[50]) {
    int mine[50];
    for (size_t c = 0; c < candidates.Size(); ++c) {
        TeacherBoard(candidates[c], mine);
        if (std::equal(mine, mine + 50, board)) {
            return static_cast<int>(c);
        }
    }
    return -1;
}

// The networks' player that keeps every decision with more than one candidate, and now and then
// plays at random.
class LabelRecorder : public Chooser {
public:
    LabelRecorder(NeuralNet& contact, NeuralNet& race, std::mt19937& rng, double randomShare)
        : net(contact, race), rng(rng), randomShare(randomShare) {}

    int Choose(const BoardState& before, const RollPlays& plays) override {
        if (plays.Size() > 1) {
            LabelledDecision d;
            d.game = game;
            PackPoints(before.points, d.before);
            d.die1 = plays.Die(0);
            d.die2 = plays.Die(1);
            d.candidates = static_cast<int>(plays.Size());
            decisions.push_back(d);
        }
        return share(rng) < randomShare ? static_cast<int>(rng() % plays.Size())
                                        : net.Choose(before, plays);
    }

    NetChooser net;
    std::mt19937& rng;
    double randomShare;
    std::uniform_real_distribution<double> share{0.0, 1.0};
    int game = 0;
    std::vector<LabelledDecision> decisions;
};

std::vector<LabelledDecision> PlayForLabels(NeuralNet& contact, NeuralNet& race, int games,
                                            uint32_t seed, double randomShare) {
    std::mt19937 rng(seed);
    LabelRecorder recorder(contact, race, rng, randomShare);
    for (int g = 0; g < games; ++g) {
        recorder.game = g;
        PlayGame(recorder, recorder, rng);
    }
    return recorder.decisions;
}

Agreement AgreeWithLabels(NeuralNet& contact, NeuralNet& race,
                          const std::vector<LabelledDecision>& decisions) {
    NetChooser net(contact, race);
    RollPlays plays;
    BoardState board;
    Agreement a;
    for (const LabelledDecision& d : decisions) {
        UnpackPoints(d.before, board.points);
        plays.Find(board.points, d.die1, d.die2);
        int kind = IsRace(board) ? 1 : 0;
        a.agree[kind] += net.Choose(board, plays) == d.label;
        ++a.total[kind];
    }
    return a;
}
