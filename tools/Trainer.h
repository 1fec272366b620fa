#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "ai/BoardState.h"
#include "ai/PlayEnumerator.h"
#include "tools/Pubeval.h"

// The candidate plays of one roll, from the game's own enumeration: the distinct positions its
// search can reach, in the order in which it first meets them, so that taking the first of the
// highest value takes the game's play. When nothing can move, the one candidate is the unchanged
// position. The storage is kept from roll to roll.
class RollPlays {
public:
    RollPlays();
    void Find(const PointEntry points[26], int die1, int die2);
    size_t Size() const { return count; }
    const PointEntry* operator[](size_t i) const { return list[i].points; }

private:
    PlayEnumerator enumerator;
    std::vector<PlayCandidate> list;
    size_t count = 0;
};

// The trainer's copy of one of the game's networks: 200 inputs, 20 hidden units, 1 output, no
// biases, f(x) = 1 / (1 + exp(-2x)) on hidden and output units. The forward pass rounds every
// stored value to a 32-bit float and sums in ascending order of the source unit, as the game's
// network does, so a written file evaluates in the game exactly as it did here.
struct TrainNet {
    float w1[200][20];
    float w2[20];

    // Uniform over (-scale/2, +scale/2] in steps of scale/100, like a fresh game network.
    void Randomize(std::mt19937& rng);
    // Value of a position given its active inputs; `hidden` receives the hidden outputs and
    // `outputSum` the output unit's net input.
    float Value(const unsigned* active, unsigned count, float hidden[20], float* outputSum) const;
    float Value(const PointEntry points[26]) const;
};

// Weight files: 4,020 numbers, input 0's 20 weights, input 1's, ..., input 199's, then the 20
// hidden-to-output weights, each written with enough digits to read back bit for bit.
bool WriteWeights(const TrainNet& net, const std::string& path, std::string& error);
bool ReadWeights(TrainNet& net, const std::string& path, std::string& error);

// A position kept small, for long memories and data sets: one signed count a point, the mover's
// checkers positive.
void PackPoints(const PointEntry points[26], signed char out[26]);
void UnpackPoints(const signed char in[26], PointEntry points[26]);

extern const char* const kContactFile;
extern const char* const kRaceFile;

// Something that picks one of the candidate positions of a roll (all in the mover's frame).
class Chooser {
public:
    virtual ~Chooser() = default;
    virtual int Choose(const BoardState& before, const RollPlays& candidates) = 0;
};

// The game's choice: the race network when the position before the play is a race, the contact
// network otherwise, first candidate of the highest value.
class NetChooser : public Chooser {
public:
    NetChooser(const TrainNet& contact, const TrainNet& race) : contact(contact), race(race) {}
    int Choose(const BoardState& before, const RollPlays& candidates) override;

    const TrainNet& contact;
    const TrainNet& race;
};

class PubevalChooser : public Chooser {
public:
    explicit PubevalChooser(const Pubeval& pubeval) : pubeval(pubeval) {}
    int Choose(const BoardState& before, const RollPlays& candidates) override;

    const Pubeval& pubeval;
};

// Plays one game from the start; returns 0 if `first` wins, 1 if `second` wins.
int PlayFastGame(Chooser& first, Chooser& second, RollPlays& plays, std::mt19937& dice);

// Win rate of the networks against pubeval over `games` games, first move alternating.
double WinRateAgainstPubeval(const TrainNet& contact, const TrainNet& race, const Pubeval& pubeval,
                             int games, uint32_t seed);

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
};

// Trains both networks by ranking the teacher's play highest among the candidates of each roll
// (a softmax over the candidates' output sums, the teacher's play as the label). Games are
// played by the networks themselves so that they learn on the positions they reach; with label
// files, the decisions come from the files instead (made by `kestrane-ai teach` from the games
// of earlier networks).
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

    TrainNet contact;
    TrainNet race;

private:
    // A labelled roll, kept to learn from again: the position (a signed count a point, the mover's
    // checkers positive, to keep a long memory small), the dice and the label's index among the
    // candidates (the enumeration gives them back in the same order).
    struct Decision {
        signed char before[26] = {};
        unsigned char die1 = 1;
        unsigned char die2 = 1;
        unsigned short label = 0;
    };
    void Learn(TrainNet& net, const RollPlays& list, int label, double rate);
    void Remember(const BoardState& before, int label);
    int RolloutTeacher(const RollPlays& candidates, const std::vector<float>& values,
                       int pubevalPick);
    int RolloutWins(const PointEntry after[26], uint32_t seed, int count);
    bool RunLabels(std::string& error);
    bool SaveCheckpoint(int gamesDone, std::string& error);

    TrainOptions options;
    const Pubeval& pubeval;
    std::mt19937 rng;
    RollPlays candidates;
    RollPlays rolloutCandidates;
    RollPlays replayCandidates;
    BoardState replayBoard;
    std::vector<Decision> memory;
    size_t memoryNext = 0;
    int lastDice[2] = {1, 1};
    std::vector<unsigned> activeStore;
    std::vector<unsigned> activeCount;
    std::vector<float> hiddenStore;
    std::vector<float> sumStore;
    long decisions = 0;
    long agreements = 0;
    int lastLabel = 0;
};
