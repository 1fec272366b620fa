#include <cstdio>

#include "tools/Commands.h"

int MatchCommand(int, char**) {
    std::fprintf(stderr, "match: not ready\n");
    return 2;
}
