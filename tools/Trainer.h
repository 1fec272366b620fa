#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "ai/BoardState.h"
#include "ai/ComputerPlayer.h"
#include "ai/NeuralNet.h"
#include "tools/Pubeval.h"
#include "tools/SelfPlay.h"

// A position kept small, for long memories and data sets: one signed count a point, the mover's
// checkers positive.
void PackPoints(const PointEntry points[26], signed char out[26]);
void UnpackPoints(const signed char in[26], PointEntry points[26]);

struct TrainOptions {
    std::string out;
    std::string from;
    int games = 0;
    // Stop early after this many games (the schedule still spans `games`); --resume goes on.
    int stopAt = 0;
    uint32_t seed = 1;
    bool resume = false;
    // "pubeval": the label is pubeval's pick; "rollout": the candidate that wins most often when
    // pubeval plays the position out against itself.
    std::string teacher = "pubeval";
    int rollouts = 16;
    int netCandidates = 3;
    double rate = 0.1;
    double finalRate = 0.1;
    double levelPull = 0.1;
    double floor = -30.0;
    int checkEvery = 1000;
    int benchGames = 1000;
    // Extra steps on earlier labels for every new one, from the last `memorySize` labels.
    int replay = 0;
    int memorySize = 200000;
    // Play the teacher's choice instead of the networks' own.
    bool followTeacher = false;
    // Label files to learn from instead of playing games: `epochs` passes over their decisions
    // in a shuffled order, every `heldOutEvery`-th game of each file kept apart to measure.
    std::vector<std::string> labels;
    int epochs = 10;
    int heldOutEvery = 10;
    // What each network learns from labels: "pick", to rank the teacher's pick highest, or
    // "soft", to match the teacher's judgement of every candidate (needs winning chances).
    std::string contactLoss = "pick";
    std::string raceLoss = "pick";
    // How sharply the soft targets favour the better candidates: softmax(tau * winning chance).
    double tau = 100.0;
    // The same for the race network; 0 takes `tau`. Race chances differ by hundredths of a point
    // between candidates, so targets as sharp as the contact network's need a far larger factor.
    double raceTau = 0.0;
    // Which networks learn from labels: "both", or "contact" or "race" alone, the other kept as
    // `from` gave it (and its decisions skipped, so a pass costs only the learning network's).
    std::string learn = "both";
};

// The soft-target loss of one decision over the candidates' output sums: the Kullback-Leibler
// divergence KL(softmax(tau * chances) || softmax(sums)). Returns it and writes its gradient with
// respect to each sum (the networks' share minus the target's) to `gradient`.
double SoftTargetLoss(const std::vector<float>& sums, const std::vector<float>& chances, double tau,
                      std::vector<double>& gradient);

// Trains both of the game's networks (contact and race, as the computer player reads them) by
// ranking the teacher's play highest among the candidates of each roll (a softmax over the
// candidates' output sums, the teacher's play as the label), or, from label files with the
// teacher's winning chances, by matching that softmax to soft targets made from the chances. Games
// are played by the networks themselves so that they learn on the positions they reach; with label
// files, the decisions come from the files instead (made by `kestrane-ai teach` from the games of
// earlier networks).
class Trainer {
public:
    Trainer(const TrainOptions& options, const Pubeval& pubeval);
    bool Run(std::string& error);

    // Takes up where the checkpoint in `options.out` left off (train-state.txt and the two weight
    // files): the games done, the generator, the memory of labelled rolls. False, with `error`
    // naming the file, when any of it is missing or damaged.
    bool LoadCheckpoint(int& gamesDone, std::string& error);

    // One training step on a roll: returns the index of the play the networks choose.
    int Step(const BoardState& before, const RollPlays& candidates, double rate);
    // Plays one training game; returns the number of plays.
    int TrainGame(double rate);

    // One gradient step of `net` on a roll's candidates: towards the teacher's pick `label`, or,
    // given the teacher's winning chances, towards its soft targets sharpened by `tau`; either
    // with the level pull.
    void Learn(NeuralNet& net, const RollPlays& list, int label, const std::vector<float>* chances,
               double tau, double rate);

    NeuralNet contact{GameLayers, 3};
    NeuralNet race{GameLayers, 3};

private:
    // The networks playing both sides of a training game, every roll a training step.
    class SelfPlayer : public Chooser {
    public:
        explicit SelfPlayer(Trainer& trainer) : trainer(trainer) {}
        int Choose(const BoardState& before, const RollPlays& candidates) override;

        Trainer& trainer;
        double rate = 0.0;
        int plays = 0;
    };

    // A labelled roll, kept to learn from again: the position (a signed count a point, the mover's
    // checkers positive, to keep a long memory small), the dice and the label's index among the
    // candidates (the enumeration gives them back in the same order).
    struct Decision {
        signed char before[26] = {};
        unsigned char die1 = 1;
        unsigned char die2 = 1;
        unsigned short label = 0;
    };
    void Remember(const BoardState& before, const RollPlays& list, int label);
    int RolloutTeacher(const RollPlays& candidates, const std::vector<float>& values,
                       int pubevalPick);
    int RolloutWins(const PointEntry after[26], uint32_t seed, int count);
    bool RunLabels(std::string& error);
    bool SaveCheckpoint(int gamesDone, std::string& error);

    TrainOptions options;
    const Pubeval& pubeval;
    std::mt19937 rng;
    RollPlays candidates;
    RollPlays replayCandidates;
    SelfPlayer selfPlayer{*this};
    PubevalChooser pubevalPlayer{pubeval};
    BoardState replayBoard;
    std::vector<Decision> memory;
    size_t memoryNext = 0;
    std::vector<unsigned> activeStore;
    std::vector<unsigned> activeCount;
    std::vector<float> hiddenStore;
    std::vector<float> sumStore;
    std::vector<double> gradientStore;
    long decisions = 0;
    long agreements = 0;
    int lastLabel = 0;
};
