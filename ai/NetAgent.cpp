#include "ai/NetAgent.h"

NetAgent::NetAgent(NeuralNet* net) : network(net) {}

float NetAgent::Evaluate() {
    float inputs[InputCount];
    float output[1];
    Encode(searchBoard.points, inputs);
    network->Evaluate(inputs, output);
    return output[0];
}

float NetAgent::EvaluatePoints(const PointEntry points[26]) {
    ++evaluationCount;
    return PositionValue(*network, points);
}

// Keeps the first candidate of the highest value, a later one only when strictly better; a
// candidate with more moves replaces whatever came before.
class BestPlayVisitor : public PlayVisitor {
public:
    BestPlayVisitor(NetAgent& a, MoveList& m) : agent(a), moves(m) {}

    void Visit(const PointEntry points[26], const MoveList& candidate) override {
        const float v = agent.EvaluatePoints(points);
        if (candidate.count > moves.count || v > best) {
            best = v;
            moves = candidate;
        }
    }

    NetAgent& agent;
    MoveList& moves;
    float best = 0.0f;
};

unsigned NetAgent::Search(const unsigned dice[2], MoveList& moves) {
    if (network->layerSizes[0] != InputCount || !network->SupportsOneHot()) {
        return Agent::Search(dice, moves);
    }
    BestPlayVisitor visitor(*this, moves);
    enumerator.largerDieRule = largerDieRule;
    enumerator.Walk(searchBoard.points, dice, visitor);
    return moves.count;
}
