#pragma once

#include <string>

#include "ai/BoardState.h"
#include "ai/Move.h"
#include "ai/PlayChooser.h"

class NeuralNet;
class NetAgent;

// The computer's two weight files: the contact networks' and the race networks'.
extern const char* const ContactWeightFile;
extern const char* const RaceWeightFile;

// Chooses the computer's play for a position and roll. On the first call it creates its four
// networks (player-2 contact, player-2 race, player-1 contact, player-1 race), reads the two weight
// files once (ContactWeightFile for the contact pair, RaceWeightFile for the race pair, from
// weightDirectory or, when that is empty, from the first of DataFolders() that has each file) and
// creates one agent per network. A file found nowhere is reported once, naming every place tried.
// They live as long as the player and are destroyed in reverse order of creation. Every call
// resets all four agents, then the agent for the side to move and the game phase searches.
class ComputerPlayer : public PlayChooser {
public:
    ComputerPlayer() = default;
    ~ComputerPlayer() override;
    ComputerPlayer(const ComputerPlayer&) = delete;
    ComputerPlayer& operator=(const ComputerPlayer&) = delete;

    unsigned ChooseMove(const BoardState& board, unsigned player, const unsigned dice[2],
                        Play& play) override;

    // Decides which files the first move will read, and reports a file found nowhere now rather
    // than then. Draws no random numbers; ChooseMove calls it when nobody has.
    void LocateWeights();

    std::string weightDirectory;
    // The full rules' larger-die rule in every search (Agent::largerDieRule); off under the
    // game's looser rules.
    bool largerDieRule = true;

private:
    // The path to read `file` from; "" (reported) when no data folder has it.
    std::string WeightPath(const char* file) const;

    static const unsigned count = 4;
    NeuralNet* networks[count] = {nullptr, nullptr, nullptr, nullptr};
    NetAgent* agents[count] = {nullptr, nullptr, nullptr, nullptr};
    bool weightsPending = true;
    bool weightsLocated = false;
    std::string contactPath;
    std::string racePath;
};
