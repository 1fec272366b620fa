#include "ai/NeuralNet.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "ai/BoardState.h"
#include "ai/Chance.h"
#include "ai/DataFiles.h"

float sigmoidGain = 1.0f;

const unsigned GameLayers[3] = {InputCount, HiddenCount, 1};

static unsigned RandDraw() {
    return static_cast<unsigned>(Rand());
}

// The spread of a layer's fresh weights, from the size of the layer they lead to.
static float InitialScale(unsigned nextSize) {
    return static_cast<float>(1.0 / std::sqrt(static_cast<double>(nextSize)));
}

float Sigmoid(float x) {
    return static_cast<float>(
        1.0 / (1.0 + std::exp(-2.0 * static_cast<double>(sigmoidGain) * static_cast<double>(x))));
}

void Neuron::Reset() {
    delete[] weights;
    isInput = false;
    netInput = 0.0f;
    output = 0.0f;
    weights = nullptr;
    weightCount = 0;
    nextLayer = nullptr;
}

void Neuron::Initialise(Neuron* next, unsigned count, float scale, bool input) {
    netInput = 0.0f;
    output = 0.0f;
    isInput = input;
    nextLayer = next;
    weightCount = count;
    delete[] weights;
    weights = new float[count];
    Randomize(scale, RandDraw);
}

void Neuron::Randomize(float scale, const WeightDraw& draw) {
    if (weights == nullptr || weightCount == 0) {
        return;
    }
    const float half = scale * 0.5f;
    for (unsigned j = 0; j < weightCount; ++j) {
        const unsigned r = draw();
        weights[j] = static_cast<float>(r % 100 + 1) * 0.01f * scale - half;
    }
}

void Neuron::Fire() {
    output = isInput ? netInput : Sigmoid(netInput);
    if (nextLayer == nullptr) {
        return;
    }
    for (unsigned j = 0; j < weightCount; ++j) {
        const float product = weights[j] * output;
        nextLayer[j].netInput = nextLayer[j].netInput + product;
    }
}

unsigned Neuron::ReadWeights(std::istream& in, bool& fileEnded) {
    for (unsigned j = 0; j < weightCount; ++j) {
        // A failed extraction writes 0 (or the largest float on overflow) into its target, so the
        // number goes through a temporary and reaches the weight only when it was read whole.
        in >> std::ws;
        if (in.peek() == std::char_traits<char>::eof()) {
            fileEnded = true;
            in.setstate(std::ios::failbit);
            return j;
        }
        float value = 0.0f;
        if (!(in >> value)) {
            fileEnded = false;
            return j;
        }
        weights[j] = value;
    }
    return weightCount;
}

NeuralNet::NeuralNet(const unsigned* sizes, unsigned count) {
    // Without an input and an output layer there is nothing to build; the owner finds out from
    // Usable().
    if (count < 2) {
        return;
    }
    // The size list is the caller's and is only referred to.
    layerSizes = sizes;
    layerCount = count;
    layers = new Neuron*[count];
    // Last layer first, so that each layer can point at the one after it; the random draws follow
    // this order.
    for (unsigned l = count; l-- > 0;) {
        layers[l] = new Neuron[sizes[l]];
        if (l == count - 1) {
            continue;
        }
        const float scale = InitialScale(sizes[l + 1]);
        for (unsigned i = 0; i < sizes[l]; ++i) {
            layers[l][i].Initialise(layers[l + 1], sizes[l + 1], scale, l == 0);
        }
    }
    if (SupportsOneHot()) {
        hiddenSums.assign(sizes[1], 0.0f);
    }
}

NeuralNet::~NeuralNet() {
    for (unsigned l = 0; l < layerCount; ++l) {
        delete[] layers[l];
    }
    delete[] layers;
}

void NeuralNet::Evaluate(const float* inputs, float* outputs) {
    if (!Usable()) {
        return;
    }
    for (unsigned l = 0; l < layerCount; ++l) {
        for (unsigned i = 0; i < layerSizes[l]; ++i) {
            layers[l][i].netInput = 0.0f;
        }
    }
    for (unsigned i = 0; i < layerSizes[0]; ++i) {
        layers[0][i].netInput = inputs[i];
    }
    for (unsigned l = 0; l < layerCount; ++l) {
        for (unsigned i = 0; i < layerSizes[l]; ++i) {
            layers[l][i].Fire();
        }
    }
    const unsigned last = layerCount - 1;
    for (unsigned i = 0; i < layerSizes[last]; ++i) {
        outputs[i] = layers[last][i].output;
    }
}

unsigned NeuralNet::WeightCount() const {
    unsigned total = 0;
    for (unsigned l = 0; l + 1 < layerCount; ++l) {
        total += layerSizes[l] * layerSizes[l + 1];
    }
    return total;
}

NeuralNet::Reading NeuralNet::Read(const char* fileName) {
    Reading r;
    std::ifstream in(fileName);
    if (!in.is_open()) {
        r.openError = errno;
        return r;
    }
    r.opened = true;
    for (unsigned l = 0; l < layerCount && in; ++l) {
        for (unsigned i = 0; i < layerSizes[l] && in; ++i) {
            r.read += layers[l][i].ReadWeights(in, r.fileEnded);
        }
    }
    r.unreadable = in.bad();
    if (r.read == WeightCount()) {
        in >> std::ws;
        r.moreAfter = in.peek() != std::char_traits<char>::eof();
    }
    return r;
}

void NeuralNet::LoadWeights(const char* fileName, bool reportProblems) {
    const Reading r = Read(fileName);
    const unsigned expected = WeightCount();
    if (!reportProblems || (r.opened && r.read == expected)) {
        return;
    }
    if (!r.opened) {
        std::fprintf(stderr, "%s: cannot be opened (%s); the network keeps its random weights\n",
                     fileName, std::strerror(r.openError));
    } else if (r.unreadable) {
        std::fprintf(stderr, "%s: %u of %u weights read, the file cannot be read further\n",
                     fileName, r.read, expected);
    } else if (r.fileEnded) {
        std::fprintf(stderr, "%s: %u of %u weights read, the file ends there\n", fileName, r.read,
                     expected);
    } else {
        std::fprintf(stderr, "%s: %u of %u weights read, item %u is not a number\n", fileName,
                     r.read, expected, r.read + 1);
    }
}

bool NeuralNet::ReadWeightFile(const std::string& path, std::string& error) {
    if (!Usable()) {
        error = path + ": the network has no layers to take weights";
        return false;
    }
    const Reading r = Read(path.c_str());
    const std::string expected = std::to_string(WeightCount());
    if (!r.opened) {
        error = "cannot open " + path;
    } else if (r.read == WeightCount()) {
        if (!r.moreAfter) {
            return true;
        }
        error = path + ": more than " + expected + " numbers";
    } else if (r.fileEnded || r.unreadable) {
        error = path + ": " + std::to_string(r.read) + " numbers, " + expected + " expected";
    } else {
        error = path + ": item " + std::to_string(r.read + 1) + " is not a number";
    }
    return false;
}

bool NeuralNet::WriteWeightFile(const std::string& path, std::string& error) const {
    if (!Usable()) {
        error = path + ": the network has no layers to write";
        return false;
    }
    const std::string temporary = PartPath(path);
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) {
        error = "cannot write " + temporary;
        return false;
    }
    const unsigned perLine = layerSizes[1];
    unsigned written = 0;
    for (unsigned l = 0; l + 1 < layerCount; ++l) {
        for (unsigned i = 0; i < layerSizes[l]; ++i) {
            const Neuron& unit = layers[l][i];
            for (unsigned j = 0; j < unit.weightCount; ++j) {
                ++written;
                std::fprintf(f, written % perLine == 0 ? "%.9g\n" : "%.9g ",
                             static_cast<double>(unit.weights[j]));
            }
        }
    }
    bool ok = std::fflush(f) == 0 && !std::ferror(f);
    ok = std::fclose(f) == 0 && ok;
    return ReplaceWithPart(path, ok, error);
}

void NeuralNet::RandomizeInFileOrder(const WeightDraw& draw) {
    for (unsigned l = 0; l + 1 < layerCount; ++l) {
        const float scale = InitialScale(layerSizes[l + 1]);
        for (unsigned i = 0; i < layerSizes[l]; ++i) {
            layers[l][i].Randomize(scale, draw);
        }
    }
}

bool NeuralNet::SupportsOneHot() const {
    return layerCount == 3 && layerSizes[2] == 1;
}

// The hidden sums of the one-hot pass for a hidden layer of a size known when compiling, which
// lets the compiler add whole weight rows at once; lane by lane that is the same float addition.
template <unsigned hiddenCount>
static void SumRows(Neuron* inputLayer, const unsigned* activeInputs, unsigned activeCount,
                    float* sums) {
    float local[hiddenCount] = {};
    for (unsigned a = 0; a < activeCount; ++a) {
        const float* row = inputLayer[activeInputs[a]].weights;
        for (unsigned k = 0; k < hiddenCount; ++k) {
            local[k] = local[k] + row[k];
        }
    }
    for (unsigned k = 0; k < hiddenCount; ++k) {
        sums[k] = local[k];
    }
}

float NeuralNet::EvaluateOneHot(const unsigned* activeInputs, unsigned activeCount) {
    return EvaluateOneHot(activeInputs, activeCount, nullptr, nullptr);
}

float NeuralNet::EvaluateOneHot(const unsigned* activeInputs, unsigned activeCount,
                                float* hiddenOutputs, float* outputSum) {
    const unsigned hiddenCount = layerSizes[1];
    float* sums = hiddenSums.data();
    if (hiddenCount == HiddenCount) {
        SumRows<HiddenCount>(layers[0], activeInputs, activeCount, sums);
    } else {
        for (unsigned k = 0; k < hiddenCount; ++k) {
            sums[k] = 0.0f;
        }
        for (unsigned a = 0; a < activeCount; ++a) {
            const float* row = layers[0][activeInputs[a]].weights;
            for (unsigned k = 0; k < hiddenCount; ++k) {
                sums[k] = sums[k] + row[k];
            }
        }
    }
    float sum = 0.0f;
    const Neuron* hidden = layers[1];
    for (unsigned k = 0; k < hiddenCount; ++k) {
        const float output = Sigmoid(sums[k]);
        if (hiddenOutputs != nullptr) {
            hiddenOutputs[k] = output;
        }
        const float product = hidden[k].weights[0] * output;
        sum = sum + product;
    }
    if (outputSum != nullptr) {
        *outputSum = sum;
    }
    return Sigmoid(sum);
}
