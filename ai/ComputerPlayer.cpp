#include "ai/ComputerPlayer.h"

#include <cstdio>

#include "ai/DataFiles.h"
#include "ai/NetAgent.h"

const char* const ContactWeightFile = "net-160 (0).dat";
const char* const RaceWeightFile = "net-160 (1).dat";

// Slots in creation order.
enum { playerTwoContact, playerTwoRace, playerOneContact, playerOneRace };

std::string ComputerPlayer::WeightPath(const char* file) const {
    if (!weightDirectory.empty()) {
        const bool slash = weightDirectory.back() == '/';
        return weightDirectory + (slash ? "" : "/") + file;
    }
    std::string tried;
    const std::string found = FindDataFile(file, tried);
    if (found.empty()) {
        std::fprintf(stderr, "%s: not found (tried %s); the network keeps its random weights\n",
                     file, tried.c_str());
    }
    return found;
}

void ComputerPlayer::LocateWeights() {
    if (!weightsLocated) {
        contactPath = WeightPath(ContactWeightFile);
        racePath = WeightPath(RaceWeightFile);
        weightsLocated = true;
    }
}

ComputerPlayer::~ComputerPlayer() {
    for (unsigned a = count; a-- > 0;) {
        delete agents[a];
    }
    for (unsigned n = count; n-- > 0;) {
        delete networks[n];
    }
}

unsigned ComputerPlayer::ChooseMove(const BoardState& board, unsigned player,
                                    const unsigned dice[2], Play& play) {
    // 1. The networks, each drawing its random weights as it is created.
    if (networks[0] == nullptr) {
        networks[playerTwoContact] = new NeuralNet(GameLayers, 3);
        networks[playerTwoRace] = new NeuralNet(GameLayers, 3);
        networks[playerOneContact] = new NeuralNet(GameLayers, 3);
        networks[playerOneRace] = new NeuralNet(GameLayers, 3);
    }
    // 2. The weight files, read once. Both pairs read the same two files; a problem with a file is
    //    reported once, by the first pair.
    if (weightsPending) {
        LocateWeights();
        if (!contactPath.empty()) {
            networks[playerTwoContact]->LoadWeights(contactPath.c_str(), true);
            networks[playerOneContact]->LoadWeights(contactPath.c_str(), false);
        }
        if (!racePath.empty()) {
            networks[playerTwoRace]->LoadWeights(racePath.c_str(), true);
            networks[playerOneRace]->LoadWeights(racePath.c_str(), false);
        }
        weightsPending = false;
    }
    // 3. The agents, each reseeding the generator from the clock.
    if (agents[0] == nullptr) {
        for (unsigned a = 0; a < count; ++a) {
            agents[a] = new NetAgent(networks[a]);
        }
    }
    // 4. Every call starts all four agents afresh.
    for (unsigned a = 0; a < count; ++a) {
        agents[a]->Reset();
        agents[a]->largerDieRule = largerDieRule;
    }
    play.count = 0;
    // 5. The agent for the side to move and the phase of the game.
    const bool race = IsRace(board);
    NetAgent* agent;
    if (player == 1) {
        agent = agents[race ? playerOneRace : playerOneContact];
    } else {
        agent = agents[race ? playerTwoRace : playerTwoContact];
    }
    return agent->ChoosePlay(board, player, dice, play);
}
