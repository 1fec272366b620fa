// A label file as `kestrane-ai train --labels` reads it; what it accepts, it writes back the same.
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "tools/Labels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteInput("labels.txt", data, size);
    std::vector<LabelledDecision> decisions;
    std::string error;
    if (!ReadLabels(path, decisions, error)) {
        if (error.empty()) {
            __builtin_trap();
        }
        return 0;
    }
    const std::string again = FuzzFolder() + "/labels-again.txt";
    std::vector<LabelledDecision> reread;
    if (!WriteLabels(decisions, again, error) || !ReadLabels(again, reread, error) ||
        reread.size() != decisions.size()) {
        __builtin_trap();
    }
    return 0;
}
