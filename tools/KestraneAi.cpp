#include <cstdio>
#include <cstring>

#include "tools/Commands.h"

static const char* const kUsage =
    "usage: kestrane-ai match --a PLAYER --b PLAYER --games N --seed S\n"
    "       kestrane-ai train --out DIR --games N --seed S [--resume] [options]\n"
    "players: net:DIR, pubeval, heuristic, random\n";

int main(int argc, char** argv) {
    if (argc >= 2 && !std::strcmp(argv[1], "match")) {
        return MatchCommand(argc, argv);
    }
    if (argc >= 2 && !std::strcmp(argv[1], "train")) {
        return TrainCommand(argc, argv);
    }
    std::fprintf(stderr, "%s", kUsage);
    return 2;
}
