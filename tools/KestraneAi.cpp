// kestrane-ai: the computer player's tools, one command per first argument.
#include <cstdio>
#include <cstring>

#include "tools/Commands.h"
#include "tools/PlayCommand.h"

struct Command {
    const char* name;
    int (*run)(int argc, char** argv);
    const char* usage;
};

static const Command commands[] = {
    {"play", PlayCommand, "play [--weights DIR]   choose plays for positions read from stdin"},
    {"match", MatchCommand,
     "match --a PLAYER --b PLAYER --games N --seed S   players: net:DIR, pubeval, heuristic, "
     "random"},
    {"train", TrainCommand,
     "train --out DIR (--games N | --labels FILE ...) --seed S [--resume] [options]"},
    {"teach", TeachCommand,
     "teach --net DIR --out FILE --games N --seed S [options]   label positions with gnubg"},
};

int main(int argc, char** argv) {
    if (argc >= 2) {
        for (const Command& command : commands) {
            if (std::strcmp(argv[1], command.name) == 0) {
                return command.run(argc - 2, argv + 2);
            }
        }
    }
    std::fprintf(stderr, "usage: kestrane-ai COMMAND ...\n");
    for (const Command& command : commands) {
        std::fprintf(stderr, "  kestrane-ai %s\n", command.usage);
    }
    return 2;
}
