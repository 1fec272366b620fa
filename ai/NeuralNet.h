#pragma once

#include <functional>
#include <istream>
#include <string>
#include <vector>

// The gain of the activation f(x) = 1 / (1 + e^(-2 g x)). Nothing in the game changes it; it is a
// variable so that both network passes read the same value on every call.
extern float sigmoidGain;

// The activation of every non-input unit, computed in double and stored as a 32-bit float. Both
// the unit-by-unit pass and the one-hot pass call this one function, so their outputs agree bit
// for bit.
float Sigmoid(float x);

// Where fresh weights come from: each call gives a number of which a weight takes the remainder
// mod 100 (see Neuron::Randomize). The game's networks draw from Rand().
using WeightDraw = std::function<unsigned()>;

// One unit of a layer. Its outgoing weights live here, at the source (fan-out): weights[j] is the
// weight of the connection to unit j of the next layer. Input units pass their net input through;
// every other unit applies the sigmoid. There are no biases.
class Neuron {
public:
    Neuron() = default;
    virtual ~Neuron() { delete[] weights; }
    Neuron(const Neuron&) = delete;
    Neuron& operator=(const Neuron&) = delete;

    void Reset();
    void Initialise(Neuron* next, unsigned count, float scale, bool input);
    // Each weight uniform over (-scale/2, +scale/2] in steps of scale/100.
    void Randomize(float scale, const WeightDraw& draw);
    void Fire();
    // Reads up to weightCount numbers, in order, and returns how many it read. A weight changes
    // only when its number was read. fileEnded tells whether reading stopped at the end of the
    // stream rather than at an item that is not a number.
    unsigned ReadWeights(std::istream& in, bool& fileEnded);

    bool isInput = false;
    float netInput = 0.0f;
    float output = 0.0f;
    float* weights = nullptr;
    unsigned weightCount = 0;
    Neuron* nextLayer = nullptr;
};

// The shape of the game's networks: the position's inputs (Encode), HiddenCount hidden units and
// one output. A weight file of theirs holds (InputCount + 1) * HiddenCount numbers.
constexpr unsigned HiddenCount = 20;
extern const unsigned GameLayers[3];

// A fully connected feed-forward network; a trainer adjusts its weights from outside. It is built
// with random weights drawn from Rand() (layers from the last-but-one back to the first, units and
// weights ascending) and may then take its weights from a text file. Evaluate is the plain
// unit-by-unit pass: every running sum is a 32-bit float, accumulated in ascending order of the
// source unit. EvaluateOneHot gives the same output for inputs that are all 0 or 1, reading only
// the inputs that are 1; the computer player's search uses it. One network serves one caller at a
// time (a pass keeps its state in the units). layerSizes is not copied and must outlive the
// network.
class NeuralNet {
public:
    // Fewer than two layers make an empty network: not Usable, it evaluates nothing, has no
    // weights to read or write, and leaves the process running for its owner to decide.
    NeuralNet(const unsigned* layerSizes, unsigned layerCount);
    virtual ~NeuralNet();
    NeuralNet(const NeuralNet&) = delete;
    NeuralNet& operator=(const NeuralNet&) = delete;

    void Evaluate(const float* inputs, float* outputs);

    // Replaces weights, in file order, with the numbers read from the file. When the file cannot be
    // opened, is short or holds an item that is not a number, the weights not read keep their
    // values and, when reportProblems is set, one line on stderr names the file and the problem.
    // Numbers beyond the last weight are never read.
    void LoadWeights(const char* fileName, bool reportProblems = true);
    // The strict reading, for files a trainer made: false, with `error` naming the file and the
    // problem, unless the file holds exactly one number for every weight (the weights are then
    // partly replaced and the network is not to be used).
    bool ReadWeightFile(const std::string& path, std::string& error);
    // Writes every weight in file order, with enough digits to read back bit for bit, one line
    // for each unit of the first layer and one for the next (a line every layerSizes[1] numbers).
    // The file is written aside and renamed, so that an interrupted run leaves no half file.
    bool WriteWeightFile(const std::string& path, std::string& error) const;

    // Draws every weight afresh from `draw` in file order, first layer first, as a trainer starts
    // its networks (a new network draws from Rand(), last-but-one layer first).
    void RandomizeInFileOrder(const WeightDraw& draw);

    // True for three layers ending in a single output: the shape EvaluateOneHot handles.
    bool SupportsOneHot() const;
    // The output for inputs that are 1 at the given ascending indices and 0 elsewhere. Equal to
    // Evaluate's output bit for bit: x * 1 is x, and a 0 * w term only changes the sign of a zero
    // sum, which the sigmoid ignores.
    float EvaluateOneHot(const unsigned* activeInputs, unsigned activeCount);
    // The same pass, also giving what learning needs: the output of every hidden unit and the
    // output unit's net input.
    float EvaluateOneHot(const unsigned* activeInputs, unsigned activeCount, float* hiddenOutputs,
                         float* outputSum);

    unsigned WeightCount() const;
    bool Usable() const { return layerCount >= 2; }

    Neuron** layers = nullptr;
    const unsigned* layerSizes = nullptr;
    unsigned layerCount = 0;

private:
    // What reading a weight file came to: how many weights, in file order, and why it stopped.
    struct Reading {
        bool opened = false;
        int openError = 0;
        unsigned read = 0;
        bool fileEnded = false;
        bool unreadable = false;
        bool moreAfter = false;
    };
    Reading Read(const char* fileName);

    std::vector<float> hiddenSums;
};
