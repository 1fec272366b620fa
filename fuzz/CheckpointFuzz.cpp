// A trainer's checkpoint state as `kestrane-ai train --resume` reads it, with the weight files of
// the shipped networks beside it; the trainer then takes one training game from it.
#include <cstdio>
#include <fstream>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "tools/Pubeval.h"
#include "tools/Trainer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool copied = [] {
        for (const char* name : {ContactWeightFile, RaceWeightFile}) {
            std::ifstream in(std::string(KESTRANE_DATA_DIR) + "/" + name, std::ios::binary);
            std::ofstream(FuzzFolder() + "/" + name, std::ios::binary) << in.rdbuf();
        }
        return true;
    }();
    static Pubeval pubeval;
    (void)copied;
    WriteInput("train-state.txt", data, size);
    TrainOptions options;
    options.out = FuzzFolder();
    options.replay = 2;
    options.memorySize = 1000;
    Trainer trainer(options, pubeval);
    int gamesDone = 0;
    std::string error;
    if (trainer.LoadCheckpoint(gamesDone, error)) {
        trainer.TrainGame(0.01);
    } else if (error.empty()) {
        __builtin_trap();
    }
    return 0;
}
