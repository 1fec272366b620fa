#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tools/Trainer.h"

// One decision of a labelled data set: the position before the play (the mover's frame, one
// signed count a point from 0 to 25, the mover's checkers positive), the roll, how many candidate
// plays the game's enumeration finds for it and the teacher's pick among them (its index in that
// order). `game` numbers the game the position comes from, so that a held-out part can be made of
// whole games. `winChances`, when the teacher judged every candidate, holds the mover's chance of
// winning after each (in candidate order; a candidate the teacher does not list has the lowest
// chance it gave), and the label is then the first candidate of the highest chance.
struct LabelledDecision {
    int game = 0;
    signed char before[26] = {};
    int die1 = 1;
    int die2 = 1;
    int candidates = 0;
    int label = 0;
    std::vector<float> winChances;
};

// Label files are text: a first line "kestrane-labels V", then one decision a line: game, the two
// dice, the 26 counts, the number of candidates and the label; in version 2, then the winning
// chance of every candidate (six decimals). Files of decisions that all have winning chances are
// written as version 2, others as version 1; both read. Reading refuses a damaged file with the
// line at fault, and a decision whose candidates are not the ones the game finds today.
bool WriteLabels(const std::vector<LabelledDecision>& decisions, const std::string& path,
                 std::string& error);
bool ReadLabels(const std::string& path, std::vector<LabelledDecision>& decisions,
                std::string& error);

// A position as the teacher reads it: 25 counts for the side not on roll, then 25 for the mover,
// each from its own side (index 0 its 1-point, 24 its bar). The mover of `points` is on roll.
void TeacherBoard(const PointEntry points[26], int board[50]);

// The teacher's position as one hex digit a count, in TeacherBoard's order: how the teacher names
// the position after each play it lists.
std::string TeacherKey(const PointEntry points[26]);

// Takes the teacher's list of plays (a count, then a position key and a winning chance for each)
// as the decision's winning chances and label. False when the list is damaged, names a position
// none of the candidates reaches, or leaves every candidate out; `unlisted` counts the candidates
// it leaves out, which get the lowest chance it gives.
bool TakeTeacherChances(const std::string& answer, const RollPlays& candidates, LabelledDecision& d,
                        long& unlisted);

// Games of the networks against themselves, every roll with more than one candidate kept for
// labelling (the label is left at 0). A `randomShare` of the plays is drawn at random instead of
// the networks' choice, so that the data also holds positions the networks would not reach. With
// `pubeval`, a `pubevalShare` of the games (spread evenly) has pubeval play one side, the
// networks' side moving first in every other such game; both sides' rolls are kept.
std::vector<LabelledDecision> PlayForLabels(NeuralNet& contact, NeuralNet& race, int games,
                                            uint32_t seed, double randomShare,
                                            const Pubeval* pubeval = nullptr,
                                            double pubevalShare = 0.0);

// Share of the decisions on which the networks pick the teacher's play, for contact and race
// positions apart; and, over the decisions with winning chances, the mean loss of the networks'
// picks (the best candidate's chance minus the pick's, in percent).
struct Agreement {
    long agree[2] = {};
    long total[2] = {};
    double lost[2] = {};
    long judged[2] = {};
    double Share(int kind) const { return total[kind] ? 100.0 * agree[kind] / total[kind] : 0.0; }
    double All() const {
        long t = total[0] + total[1];
        return t ? 100.0 * (agree[0] + agree[1]) / t : 0.0;
    }
    double Loss(int kind) const { return judged[kind] ? 100.0 * lost[kind] / judged[kind] : 0.0; }
    double AllLoss() const {
        long t = judged[0] + judged[1];
        return t ? 100.0 * (lost[0] + lost[1]) / t : 0.0;
    }
};

Agreement AgreeWithLabels(NeuralNet& contact, NeuralNet& race,
                          const std::vector<LabelledDecision>& decisions);
