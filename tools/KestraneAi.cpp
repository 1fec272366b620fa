#include <cstdio>

int main() {
    std::fprintf(stderr, "usage: kestrane-ai play [--weights DIR]\n");
    return 2;
}
