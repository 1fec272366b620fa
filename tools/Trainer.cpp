#include "tools/Trainer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ai/Agent.h"
#include "ai/DataFiles.h"
#include "platform/Portable.h"
#include "tools/Labels.h"

static void CopyPoints(const PointEntry from[26], PointEntry to[26]) {
    std::copy(from, from + 26, to);
}

void PackPoints(const PointEntry points[26], signed char out[26]) {
    for (int i = 0; i < 26; ++i) {
        int count = static_cast<int>(points[i].count);
        out[i] = static_cast<signed char>(points[i].owner == 1   ? count
                                          : points[i].owner == 2 ? -count
                                                                 : 0);
    }
}

void UnpackPoints(const signed char in[26], PointEntry points[26]) {
    for (int i = 0; i < 26; ++i) {
        int c = in[i];
        points[i].owner = c > 0 ? 1u : c < 0 ? 2u : 0u;
        points[i].count = static_cast<unsigned>(c > 0 ? c : -c);
    }
}

Trainer::Trainer(const TrainOptions& options, const Pubeval& pubeval)
    : options(options), pubeval(pubeval), rng(options.seed) {
    const WeightDraw draw = [this] { return static_cast<unsigned>(rng()); };
    contact.RandomizeInFileOrder(draw);
    race.RandomizeInFileOrder(draw);
}

// Plays `count` games of pubeval against itself from `after` (the mover has just played) and
// returns how many the mover wins. The seeds are shared by all candidates of a roll, so that
// they are compared on the same dice.
int Trainer::RolloutWins(const PointEntry after[26], uint32_t seed, int count) {
    if (MoverCheckers(after) == 0) {
        return count;
    }
    BoardState start;
    CopyPoints(after, start.points);
    start.Mirror();
    int wins = 0;
    for (int r = 0; r < count; ++r) {
        std::mt19937 dice(seed + 7919u * static_cast<uint32_t>(r));
        wins += PlayGame(pubevalPlayer, pubevalPlayer, dice, start) == 1;
    }
    return wins;
}

int Trainer::RolloutTeacher(const RollPlays& list, const std::vector<float>& values,
                            int pubevalPick) {
    // 1. The networks' best few candidates and pubeval's pick.
    std::vector<int> order(list.Size());
    for (size_t c = 0; c < order.size(); ++c) {
        order[c] = static_cast<int>(c);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return values[a] > values[b]; });
    std::vector<int> shortlist;
    for (int c = 0; c < options.netCandidates && c < static_cast<int>(order.size()); ++c) {
        shortlist.push_back(order[c]);
    }
    if (std::find(shortlist.begin(), shortlist.end(), pubevalPick) == shortlist.end()) {
        shortlist.push_back(pubevalPick);
    }
    if (shortlist.size() == 1) {
        return shortlist[0];
    }
    // 2. Each played out on the same dice; the most wins teaches, the networks' order breaks ties.
    uint32_t seed = rng();
    int best = shortlist[0];
    int bestWins = -1;
    for (int c : shortlist) {
        int wins = RolloutWins(list[c], seed, options.rollouts);
        if (wins > bestWins) {
            bestWins = wins;
            best = c;
        }
    }
    return best;
}

int Trainer::Step(const BoardState& before, const RollPlays& list, double rate) {
    NeuralNet& net = IsRace(before) ? race : contact;
    size_t n = list.Size();
    if (n == 1) {
        lastLabel = 0;
        return 0;
    }
    // 1. The networks' values and choice.
    std::vector<float> values(n);
    int choice = 0;
    for (size_t c = 0; c < n; ++c) {
        values[c] = PositionValue(net, list[c]);
        if (values[c] > values[choice]) {
            choice = static_cast<int>(c);
        }
    }
    // 2. The teacher's play.
    const int pubevalPick = pubevalPlayer.Choose(before, list);
    agreements += choice == pubevalPick;
    int label = pubevalPick;
    if (options.teacher == "rollout") {
        label = RolloutTeacher(list, values, pubevalPick);
    }
    lastLabel = label;
    Learn(net, list, label, nullptr, options.tau, rate);
    // 3. Labels cost rollouts: keep them and learn from a few earlier ones again.
    if (options.replay > 0) {
        Remember(before, list, label);
        for (int r = 0; r < options.replay; ++r) {
            const Decision& d = memory[rng() % memory.size()];
            UnpackPoints(d.before, replayBoard.points);
            replayCandidates.Find(replayBoard.points, d.die1, d.die2);
            if (d.label < replayCandidates.Size()) {
                Learn(IsRace(replayBoard) ? race : contact, replayCandidates, d.label, nullptr,
                      options.tau, rate);
            }
        }
    }
    return choice;
}

void Trainer::Remember(const BoardState& before, const RollPlays& list, int label) {
    Decision d;
    PackPoints(before.points, d.before);
    d.die1 = static_cast<unsigned char>(list.Die(0));
    d.die2 = static_cast<unsigned char>(list.Die(1));
    d.label = static_cast<unsigned short>(label);
    if (static_cast<int>(memory.size()) < options.memorySize) {
        memory.push_back(d);
    } else {
        memory[memoryNext] = d;
        memoryNext = (memoryNext + 1) % memory.size();
    }
}

double SoftTargetLoss(const std::vector<float>& sums, const std::vector<float>& chances, double tau,
                      std::vector<double>& gradient) {
    const size_t n = sums.size();
    const double topSum = *std::max_element(sums.begin(), sums.end());
    const double topChance = *std::max_element(chances.begin(), chances.end());
    std::vector<double> target(n);
    double sumTotal = 0.0, targetTotal = 0.0;
    gradient.resize(n);
    for (size_t c = 0; c < n; ++c) {
        gradient[c] = std::exp(static_cast<double>(sums[c]) - topSum);
        sumTotal += gradient[c];
        target[c] = std::exp(tau * (static_cast<double>(chances[c]) - topChance));
        targetTotal += target[c];
    }
    double loss = 0.0;
    for (size_t c = 0; c < n; ++c) {
        const double q = target[c] / targetTotal;
        const double logP = static_cast<double>(sums[c]) - topSum - std::log(sumTotal);
        const double logQ =
            tau * (static_cast<double>(chances[c]) - topChance) - std::log(targetTotal);
        loss += q * (logQ - logP);
        gradient[c] = gradient[c] / sumTotal - q;
    }
    return loss;
}

void Trainer::Learn(NeuralNet& net, const RollPlays& list, int label,
                    const std::vector<float>* chances, double tau, double rate) {
    size_t n = list.Size();
    if (n < 2) {
        return;
    }
    // 1. Forward pass of every candidate, keeping what the backward pass needs.
    activeStore.resize(n * 26);
    activeCount.resize(n);
    hiddenStore.resize(n * HiddenCount);
    sumStore.resize(n);
    for (size_t c = 0; c < n; ++c) {
        activeCount[c] = EncodeActive(list[c], &activeStore[c * 26]);
        net.EvaluateOneHot(&activeStore[c * 26], activeCount[c], &hiddenStore[c * HiddenCount],
                           &sumStore[c]);
    }
    const std::vector<float>& sums = sumStore;
    // 2. Softmax over the output sums. The softmax ignores their level, so a pull holds the best
    // sum between the floor and 1: far above, the 32-bit output rounds to 1.0, far below it
    // underflows, and good candidates would tie, leaving the choice to the order of the search.
    // With the teacher's chances, the targets are soft: a play nearly as good as the best keeps
    // nearly its share, where the pick alone would push it down as hard as a blunder.
    double top = *std::max_element(sums.begin(), sums.end());
    std::vector<double>& grad = gradientStore;
    if (chances) {
        SoftTargetLoss(sums, *chances, tau, grad);
    } else {
        double total = 0.0;
        grad.resize(n);
        for (size_t c = 0; c < n; ++c) {
            grad[c] = std::exp(static_cast<double>(sums[c]) - top);
            total += grad[c];
        }
        for (size_t c = 0; c < n; ++c) {
            grad[c] = grad[c] / total - (static_cast<int>(c) == label ? 1.0 : 0.0);
        }
    }
    for (size_t c = 0; c < n; ++c) {
        if (sums[c] > 1.0f) {
            grad[c] += options.levelPull * (sums[c] - 1.0);
        }
        if (static_cast<double>(sums[c]) == top && top < options.floor) {
            grad[c] += options.levelPull * (top - options.floor);
        }
    }
    // 3. Backward pass and plain gradient step.
    //    The output weights every candidate's step starts from are those before the step.
    Neuron* hidden = net.layers[1];
    float w2[HiddenCount];
    for (unsigned k = 0; k < HiddenCount; ++k) {
        w2[k] = hidden[k].weights[0];
    }
    for (size_t c = 0; c < n; ++c) {
        double g = grad[c] * rate;
        if (std::fabs(g) < 1e-9) {
            continue;
        }
        const float* h = &hiddenStore[c * HiddenCount];
        float delta[HiddenCount];
        for (unsigned k = 0; k < HiddenCount; ++k) {
            delta[k] = static_cast<float>(g * w2[k] * 2.0 * h[k] * (1.0 - h[k]));
            hidden[k].weights[0] -= static_cast<float>(g * h[k]);
        }
        const unsigned* active = &activeStore[c * 26];
        for (unsigned a = 0; a < activeCount[c]; ++a) {
            float* row = net.layers[0][active[a]].weights;
            for (unsigned k = 0; k < HiddenCount; ++k) {
                row[k] -= delta[k];
            }
        }
    }
}

int Trainer::SelfPlayer::Choose(const BoardState& before, const RollPlays& list) {
    ++plays;
    int choice = trainer.Step(before, list, rate);
    ++trainer.decisions;
    if (list.Size() > 1 && trainer.options.followTeacher) {
        choice = trainer.lastLabel;
    }
    return choice;
}

int Trainer::TrainGame(double rate) {
    selfPlayer.rate = rate;
    selfPlayer.plays = 0;
    PlayGame(selfPlayer, selfPlayer, rng);
    return selfPlayer.plays;
}

static std::string Join(const std::string& dir, const char* name) {
    return dir + "/" + name;
}

bool Trainer::SaveCheckpoint(int gamesDone, std::string& error) {
    if (!contact.WriteWeightFile(Join(options.out, ContactWeightFile), error) ||
        !race.WriteWeightFile(Join(options.out, RaceWeightFile), error)) {
        return false;
    }
    std::string path = Join(options.out, "train-state.txt");
    std::ofstream state(PartPath(path), std::ios::binary);
    state << gamesDone << "\n" << rng << "\n" << memoryNext << " " << memory.size() << "\n";
    for (const Decision& d : memory) {
        for (int i = 0; i < 26; ++i) {
            state << static_cast<int>(d.before[i]) << " ";
        }
        state << static_cast<int>(d.die1) << " " << static_cast<int>(d.die2) << " " << d.label
              << "\n";
    }
    state.close();
    return ReplaceWithPart(path, static_cast<bool>(state), error);
}

bool Trainer::LoadCheckpoint(int& gamesDone, std::string& error) {
    std::string path = Join(options.out, "train-state.txt");
    std::ifstream state(path);
    size_t stored = 0;
    if (!state || !(state >> gamesDone >> rng >> memoryNext >> stored) || gamesDone < 0 ||
        stored > 100000000 || (stored > 0 && memoryNext >= stored)) {
        error = "cannot read checkpoint " + path;
        return false;
    }
    // The decisions are taken as they are read: a damaged count must not reserve memory for
    // decisions the file does not hold.
    memory.clear();
    for (size_t k = 0; k < stored; ++k) {
        Decision d;
        int value = 0;
        for (int i = 0; i < 26; ++i) {
            state >> value;
            if (value < -15 || value > 15) {
                error = "damaged checkpoint " + path;
                return false;
            }
            d.before[i] = static_cast<signed char>(value);
        }
        int die1 = 0, die2 = 0;
        state >> die1 >> die2 >> d.label;
        d.die1 = static_cast<unsigned char>(die1);
        d.die2 = static_cast<unsigned char>(die2);
        if (!state || die1 < 1 || die1 > 6 || die2 < 1 || die2 > 6) {
            error = "damaged checkpoint " + path;
            return false;
        }
        memory.push_back(d);
    }
    return contact.ReadWeightFile(Join(options.out, ContactWeightFile), error) &&
           race.ReadWeightFile(Join(options.out, RaceWeightFile), error);
}

bool Trainer::RunLabels(std::string& error) {
    // 1. The decisions, whole games held out to measure on.
    std::vector<LabelledDecision> train, heldOut;
    const bool soft[2] = {options.contactLoss == "soft", options.raceLoss == "soft"};
    for (const std::string& path : options.labels) {
        std::vector<LabelledDecision> file;
        if (!ReadLabels(path, file, error)) {
            return false;
        }
        if ((soft[0] || soft[1]) && !file.empty() &&
            file.front().winChances.size() != static_cast<size_t>(file.front().candidates)) {
            error = path +
                    ": the soft-target loss needs the teacher's winning chances (a "
                    "version-2 label file, from the current `kestrane-ai teach`)";
            return false;
        }
        for (const LabelledDecision& d : file) {
            (d.game % options.heldOutEvery == options.heldOutEvery - 1 ? heldOut : train)
                .push_back(d);
        }
    }
    if (options.learn != "both") {
        BoardState board;
        const bool keepRace = options.learn == "race";
        auto other = [&](const LabelledDecision& d) {
            UnpackPoints(d.before, board.points);
            return IsRace(board) != keepRace;
        };
        train.erase(std::remove_if(train.begin(), train.end(), other), train.end());
    }
    std::fprintf(stderr, "%zu decisions to learn from, %zu held out\n", train.size(),
                 heldOut.size());
    auto start = std::chrono::steady_clock::now();
    std::vector<size_t> order(train.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    BoardState board;
    double steps = static_cast<double>(train.size()) * options.epochs;
    for (int epoch = 0; epoch <= options.epochs; ++epoch) {
        // 2. One pass in a fresh order, the rate falling from step to step.
        if (epoch > 0) {
            for (size_t i = order.size(); i > 1; --i) {
                std::swap(order[i - 1], order[rng() % i]);
            }
            for (size_t i = 0; i < order.size(); ++i) {
                const LabelledDecision& d = train[order[i]];
                double progress = ((epoch - 1) * static_cast<double>(order.size()) + i) / steps;
                UnpackPoints(d.before, board.points);
                candidates.Find(board.points, d.die1, d.die2);
                const bool isRace = IsRace(board);
                Learn(isRace ? race : contact, candidates, d.label,
                      soft[isRace ? 1 : 0] ? &d.winChances : nullptr,
                      isRace && options.raceTau > 0.0 ? options.raceTau : options.tau,
                      options.rate + (options.finalRate - options.rate) * progress);
            }
        }
        // 3. How the networks now agree with the teacher and play against pubeval.
        Agreement a = AgreeWithLabels(contact, race, heldOut);
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::fprintf(stderr, "epoch %d/%d  held-out agreement %.2f%% (contact %.2f%%, race %.2f%%)",
                     epoch, options.epochs, a.All(), a.Share(0), a.Share(1));
        if (a.judged[0] + a.judged[1] > 0) {
            std::fprintf(stderr, "  winning chance lost %.3f%% (contact %.3f%%, race %.3f%%)",
                         a.AllLoss(), a.Loss(0), a.Loss(1));
        }
        if (options.benchGames > 0) {
            double win = WinRateAgainstPubeval(contact, race, pubeval, options.benchGames,
                                               options.seed * 7777u + 1u);
            std::fprintf(stderr, "  vs pubeval %.1f%% of %d", 100.0 * win, options.benchGames);
        }
        std::fprintf(stderr, "  %.0f s\n", seconds);
        if (epoch == 0) {
            continue;
        }
        std::string keep = Join(options.out, ("epoch-" + std::to_string(epoch)).c_str());
        portable::MakeFolder(keep);
        for (const std::string& dir : {options.out, keep}) {
            if (!contact.WriteWeightFile(Join(dir, ContactWeightFile), error) ||
                !race.WriteWeightFile(Join(dir, RaceWeightFile), error)) {
                return false;
            }
        }
    }
    return true;
}

bool Trainer::Run(std::string& error) {
    int done = 0;
    if (options.resume) {
        if (!LoadCheckpoint(done, error)) {
            return false;
        }
    } else if (!options.from.empty()) {
        if (!contact.ReadWeightFile(Join(options.from, ContactWeightFile), error) ||
            !race.ReadWeightFile(Join(options.from, RaceWeightFile), error)) {
            return false;
        }
    }
    if (!options.labels.empty()) {
        return RunLabels(error);
    }
    auto start = std::chrono::steady_clock::now();
    int startDone = done;
    long plies = 0;
    int stop =
        options.stopAt > 0 && options.stopAt < options.games ? options.stopAt : options.games;
    while (done < stop) {
        double progress = static_cast<double>(done) / options.games;
        double rate = options.rate + (options.finalRate - options.rate) * progress;
        plies += TrainGame(rate);
        ++done;
        bool check = done % options.checkEvery == 0 || done == options.games || done == stop;
        double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        double perSecond = seconds > 0 ? (done - startDone) / seconds : 0.0;
        if (check || done % 100 == 0) {
            double left = perSecond > 0 ? (options.games - done) / perSecond : 0.0;
            std::fprintf(stderr,
                         "games %d/%d  %.2f games/s  %.0f s left  rate %.4f  plies/game %.1f  "
                         "agrees with pubeval %.1f%%",
                         done, options.games, perSecond, left, rate,
                         static_cast<double>(plies) / (done - startDone),
                         decisions ? 100.0 * agreements / decisions : 0.0);
            agreements = decisions = 0;
            if (check && options.benchGames > 0) {
                double win = WinRateAgainstPubeval(contact, race, pubeval, options.benchGames,
                                                   options.seed * 7777u + 1u);
                std::fprintf(stderr, "  vs pubeval %.1f%% of %d", 100.0 * win, options.benchGames);
            }
            std::fprintf(stderr, "\n");
        }
        if (check && !SaveCheckpoint(done, error)) {
            return false;
        }
    }
    return true;
}
