#pragma once

#include "ai/Agent.h"
#include "ai/NeuralNet.h"
#include "ai/PlayEnumerator.h"

// An agent that values positions with a network it uses but does not own. Its search walks only
// the distinct candidate positions (PlayEnumerator) and runs the network once on each through the
// one-hot pass: the same values in the same order of discovery, hence the same MoveList as the
// plain search, entry by entry.
class NetAgent : public Agent {
public:
    explicit NetAgent(NeuralNet* net);

    // The plain pass: encodes the search board and runs the network unit by unit.
    float Evaluate() override;
    // The one-hot pass on the given points.
    float EvaluatePoints(const PointEntry points[26]);

    NeuralNet* network = nullptr;
    // Network passes made by the fast search since construction.
    unsigned long long evaluationCount = 0;

protected:
    unsigned Search(const unsigned dice[2], MoveList& moves) override;

private:
    PlayEnumerator enumerator;
};
