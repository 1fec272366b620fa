// kestrane-ai: the computer player's tools, one command per first argument.
#include <cstdio>
#include <cstring>

#include "platform/Portable.h"
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
     "match --a PLAYER --b PLAYER --games N --seed S   players: net[:DIR], pubeval, heuristic, "
     "random"},
    {"train", TrainCommand,
     "train --out DIR (--games N | --labels FILE ...) --seed S [--resume] [options]"},
    {"teach", TeachCommand,
     "teach --net DIR --out FILE --games N --seed S [options]   label positions with gnubg"},
};

static void PrintUsage(std::FILE* out) {
    std::fprintf(out, "Usage: kestrane-ai COMMAND [OPTION]...\n");
    std::fprintf(out, "The computer player of Kestrane, as tools.\n\n");
    for (const Command& command : commands) {
        std::fprintf(out, "  kestrane-ai %s\n", command.usage);
    }
    std::fprintf(out,
                 "  kestrane-ai --help      show this help and exit\n"
                 "  kestrane-ai --version   show the version and exit\n"
                 "\n"
                 "Without a folder named, the weight files \"net-160 (0).dat\" and\n"
                 "\"net-160 (1).dat\" and the table pubeval-weights.tsv are read from the\n"
                 "working directory, else from ../share/kestrane beside the folder of the\n"
                 "program, else from the folder of the program.\n");
}

int main(int argc, char** argv) {
    portable::UseBinaryOutput();
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        PrintUsage(stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("kestrane-ai %s\n", KESTRANE_VERSION);
        return 0;
    }
    if (argc >= 2) {
        for (const Command& command : commands) {
            if (std::strcmp(argv[1], command.name) == 0) {
                return command.run(argc - 2, argv + 2);
            }
        }
    }
    if (argc >= 2) {
        std::fprintf(stderr,
                     "kestrane-ai: unknown command %s\nTry 'kestrane-ai --help' for more "
                     "information.\n",
                     argv[1]);
        return 2;
    }
    PrintUsage(stderr);
    return 2;
}
