#include <cstdio>

int main() {
    std::fprintf(stderr, "kestrane: the game window is not there yet\n");
    return 0;
}
