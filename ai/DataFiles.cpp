#include "ai/DataFiles.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>

std::vector<std::string> DataFolders() {
    std::vector<std::string> folders = {"./"};
    char program[4096];
    const ssize_t n = readlink("/proc/self/exe", program, sizeof program - 1);
    if (n <= 0) {
        return folders;
    }
    // The parent is cut off by hand rather than written as bin/..: a warning that names the
    // folders tried should name them as a player would find them.
    const std::string path(program, static_cast<std::size_t>(n));
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    const std::string above = folder.substr(0, folder.rfind('/', folder.size() - 2) + 1);
    folders.push_back((above.empty() ? std::string("/") : above) + "share/kestrane/");
    folders.push_back(folder);
    return folders;
}

std::string FindDataFile(const std::string& name, std::string& tried) {
    tried.clear();
    for (const std::string& folder : DataFolders()) {
        const std::string path = folder + name;
        struct stat s;
        if (stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode) && access(path.c_str(), R_OK) == 0) {
            return path;
        }
        tried += (tried.empty() ? "" : ", ") + path;
    }
    return "";
}

std::string PartPath(const std::string& path) {
    return path + ".part";
}

bool ReplaceWithPart(const std::string& path, bool written, std::string& error) {
    if (!written || std::rename(PartPath(path).c_str(), path.c_str()) != 0) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
