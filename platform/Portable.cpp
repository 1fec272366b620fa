#include "platform/Portable.h"

#include <cstdio>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// After windows.h, whose types they use.
#include <fcntl.h>
#include <io.h>
#include <psapi.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#endif

namespace portable {

#ifdef _WIN32

std::string ProgramPath() {
    char program[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, program, sizeof program);
    if (n == 0 || n >= sizeof program) {
        return "";
    }
    std::string path(program, n);
    for (char& c : path) {
        c = c == '\\' ? '/' : c;
    }
    return path;
}

long long ResidentKiB() {
    PROCESS_MEMORY_COUNTERS counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        return -1;
    }
    return static_cast<long long>(counters.WorkingSetSize / 1024);
}

void SetEnvironment(const char* name, const char* value) {
    _putenv_s(name, value);
}

void UnsetEnvironment(const char* name) {
    // An empty value removes the variable from the C library's copy; the second call removes it
    // from the process's own block too.
    _putenv_s(name, "");
    SetEnvironmentVariableA(name, nullptr);
}

bool MakeFolder(const std::string& path) {
    const DWORD before = GetFileAttributesA(path.c_str());
    if (before != INVALID_FILE_ATTRIBUTES) {
        return (before & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool RemoveFolder(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != 0;
}

bool IsReadableFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f) {
        std::fclose(f);
    }
    return f != nullptr;
}

bool IsProgramFile(const std::string& path) {
    return IsReadableFile(path);
}

bool MoveIntoPlace(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void UseBinaryOutput() {
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool ChildProgramsAvailable() {
    return false;
}

long StartProgram(const std::string&, const std::vector<std::string>&,
                  const std::vector<std::pair<std::string, std::string>>&, const std::string&) {
    return -1;
}

long WaitForProgram(bool& succeeded) {
    succeeded = false;
    return -1;
}

#else

std::string ProgramPath() {
    char program[4096];
    const ssize_t n = readlink("/proc/self/exe", program, sizeof program - 1);
    return n > 0 ? std::string(program, static_cast<std::size_t>(n)) : std::string();
}

long long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long long size = 0;
    long long resident = 0;
    if (!(statm >> size >> resident)) {
        return -1;
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void SetEnvironment(const char* name, const char* value) {
    setenv(name, value, 1);
}

void UnsetEnvironment(const char* name) {
    unsetenv(name);
}

bool MakeFolder(const std::string& path) {
    struct stat s;
    return mkdir(path.c_str(), 0755) == 0 || (stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode));
}

bool RemoveFolder(const std::string& path) {
    return rmdir(path.c_str()) == 0;
}

bool IsReadableFile(const std::string& path) {
    struct stat s;
    return stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode) && access(path.c_str(), R_OK) == 0;
}

bool IsProgramFile(const std::string& path) {
    struct stat s;
    return stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool MoveIntoPlace(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

void UseBinaryOutput() {}

bool ChildProgramsAvailable() {
    return true;
}

long StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::vector<std::pair<std::string, std::string>>& environment,
                  const std::string& log) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            dup2(out, 1);
            dup2(out, 2);
        }
        for (const auto& [name, value] : environment) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return pid;
}

long WaitForProgram(bool& succeeded) {
    int status = 0;
    const pid_t pid = wait(&status);
    succeeded = pid > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return pid;
}

#endif

}  // namespace portable
