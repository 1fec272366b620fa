#include "tools/Labels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "ai/Agent.h"
#include "ai/DataFiles.h"

static const char* const kLabelsHeader = "kestrane-labels ";

// No roll of the game has more distinct plays than this; a larger count is a damaged line.
static const int kMostCandidates = 5000;

static bool HasChances(const LabelledDecision& d) {
    return static_cast<int>(d.winChances.size()) == d.candidates;
}

bool WriteLabels(const std::vector<LabelledDecision>& decisions, const std::string& path,
                 std::string& error) {
    const bool chances =
        !decisions.empty() && std::all_of(decisions.begin(), decisions.end(), HasChances);
    std::ofstream out(PartPath(path), std::ios::binary);
    out << kLabelsHeader << (chances ? 2 : 1) << "\n";
    char number[32];
    for (const LabelledDecision& d : decisions) {
        out << d.game << " " << d.die1 << " " << d.die2;
        for (signed char count : d.before) {
            out << " " << static_cast<int>(count);
        }
        out << " " << d.candidates << " " << d.label;
        for (size_t c = 0; chances && c < d.winChances.size(); ++c) {
            std::snprintf(number, sizeof number, " %.6f", static_cast<double>(d.winChances[c]));
            out << number;
        }
        out << "\n";
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
           d.label < d.candidates && d.candidates <= kMostCandidates;
}

// The first candidate of the highest chance, as the teacher would pick with gammons counting
// for nothing.
static int FirstOfHighestChance(const std::vector<float>& chances) {
    return static_cast<int>(std::max_element(chances.begin(), chances.end()) - chances.begin());
}

// Reads the winning chances that end a version-2 line: one a candidate, each from 0 to 1, the
// label on the first of the highest, nothing after them.
static bool ReadChances(std::istringstream& fields, LabelledDecision& d) {
    d.winChances.resize(static_cast<size_t>(d.candidates));
    for (float& chance : d.winChances) {
        if (!(fields >> chance) || !(chance >= 0.0f && chance <= 1.0f)) {
            return false;
        }
    }
    return FirstOfHighestChance(d.winChances) == d.label;
}

bool ReadLabels(const std::string& path, std::vector<LabelledDecision>& decisions,
                std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::string line;
    const std::string header = kLabelsHeader;
    if (!std::getline(in, line) || (line != header + "1" && line != header + "2")) {
        error = path + ": not a label file (its first line is not \"" + header + "1\" or \"" +
                header + "2\")";
        return false;
    }
    const bool chances = line == header + "2";
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
        ok = ok && fields >> d.candidates >> d.label && Plausible(d) &&
             (!chances || ReadChances(fields, d)) && !(fields >> rest);
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

std::string TeacherKey(const PointEntry points[26]) {
    int board[50];
    TeacherBoard(points, board);
    static const char digits[] = "0123456789abcdef";
    std::string key(50, '0');
    for (int i = 0; i < 50; ++i) {
        key[static_cast<size_t>(i)] = digits[board[i] & 15];
    }
    return key;
}

bool TakeTeacherChances(const std::string& answer, const RollPlays& candidates, LabelledDecision& d,
                        long& unlisted) {
    std::istringstream fields(answer);
    long listed = 0;
    if (!(fields >> listed) || listed < 1 || listed > kMostCandidates) {
        return false;
    }
    std::vector<std::string> keys(candidates.Size());
    for (size_t c = 0; c < keys.size(); ++c) {
        keys[c] = TeacherKey(candidates[c]);
    }
    std::vector<float> chances(candidates.Size(), -1.0f);
    float lowest = 1.0f;
    for (long k = 0; k < listed; ++k) {
        std::string key;
        float chance = 0.0f;
        if (!(fields >> key >> chance) || !(chance >= 0.0f && chance <= 1.0f)) {
            return false;
        }
        auto found = std::find(keys.begin(), keys.end(), key);
        if (found == keys.end()) {
            return false;
        }
        chances[static_cast<size_t>(found - keys.begin())] = chance;
        lowest = std::min(lowest, chance);
    }
    std::string rest;
    if (fields >> rest) {
        return false;
    }
    for (float& chance : chances) {
        if (chance < 0.0f) {
            chance = lowest;
            ++unlisted;
        }
    }
    d.winChances = chances;
    d.label = FirstOfHighestChance(chances);
    return true;
}

// A player that keeps every decision with more than one candidate, and now and then plays at
// random instead of asking its own chooser.
class LabelRecorder : public Chooser {
public:
    LabelRecorder(Chooser& inner, std::mt19937& rng, double randomShare,
                  std::vector<LabelledDecision>& decisions)
        : inner(inner), rng(rng), randomShare(randomShare), decisions(decisions) {}

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
                                        : inner.Choose(before, plays);
    }

    Chooser& inner;
    std::mt19937& rng;
    double randomShare;
    std::vector<LabelledDecision>& decisions;
    std::uniform_real_distribution<double> share{0.0, 1.0};
    int game = 0;
};

std::vector<LabelledDecision> PlayForLabels(NeuralNet& contact, NeuralNet& race, int games,
                                            uint32_t seed, double randomShare,
                                            const Pubeval* pubeval, double pubevalShare) {
    std::mt19937 rng(seed);
    std::vector<LabelledDecision> decisions;
    NetChooser net(contact, race);
    LabelRecorder recorder(net, rng, randomShare, decisions);
    std::unique_ptr<PubevalChooser> pubevalChooser;
    std::unique_ptr<LabelRecorder> other;
    if (pubeval && pubevalShare > 0.0) {
        pubevalChooser = std::make_unique<PubevalChooser>(*pubeval);
        other = std::make_unique<LabelRecorder>(*pubevalChooser, rng, randomShare, decisions);
    }
    long againstPubeval = 0;
    for (int g = 0; g < games; ++g) {
        recorder.game = g;
        // Pubeval's games are spread by the golden ratio's steps, so that they fall on no fixed
        // stride such as the held-out games' one.
        const double step = g * 0.6180339887498949;
        const bool pubevalGame = other && step - std::floor(step) < pubevalShare;
        if (pubevalGame) {
            other->game = g;
            ++againstPubeval;
            if (againstPubeval % 2) {
                PlayGame(recorder, *other, rng);
            } else {
                PlayGame(*other, recorder, rng);
            }
        } else {
            PlayGame(recorder, recorder, rng);
        }
    }
    return decisions;
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
        const int kind = IsRace(board) ? 1 : 0;
        const int pick = net.Choose(board, plays);
        a.agree[kind] += pick == d.label;
        ++a.total[kind];
        if (HasChances(d)) {
            a.lost[kind] += static_cast<double>(d.winChances[static_cast<size_t>(d.label)]) -
                            d.winChances[static_cast<size_t>(pick)];
            ++a.judged[kind];
        }
    }
    return a;
}
