#include "fuzz/FuzzSupport.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

const std::string& FuzzFolder() {
    static const std::string folder = [] {
        char path[] = "/tmp/kestrane-fuzz-XXXXXX";
        const char* made = mkdtemp(path);
        if (!made) {
            std::perror("kestrane fuzz: no temporary folder");
            std::abort();
        }
        return std::string(made);
    }();
    return folder;
}

std::string WriteInput(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path = FuzzFolder() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::abort();
    }
    return path;
}
