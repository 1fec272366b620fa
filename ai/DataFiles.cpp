#include "ai/DataFiles.h"

#include "platform/Portable.h"

std::vector<std::string> DataFolders() {
    std::vector<std::string> folders = {"./"};
    const std::string path = portable::ProgramPath();
    if (path.empty()) {
        return folders;
    }
    // The parent is cut off by hand rather than written as bin/..: a warning that names the
    // folders tried should name them as a player would find them.
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
        if (portable::IsReadableFile(path)) {
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
    if (!written || !portable::MoveIntoPlace(PartPath(path), path)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
