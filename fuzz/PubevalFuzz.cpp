// A pubeval table as `kestrane-ai match` and `train` read it, then a score with it.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "tools/Pubeval.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteInput("pubeval-weights.tsv", data, size);
    Pubeval pubeval;
    std::string error;
    if (pubeval.Load(path, error)) {
        BoardState board;
        board.ResetToStart();
        pubeval.Score(board.points, false);
        pubeval.Score(board.points, true);
    } else if (error.empty()) {
        __builtin_trap();
    }
    return 0;
}
