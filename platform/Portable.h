#pragma once

#include <string>
#include <utility>
#include <vector>

// Every call the game and its tools make to the operating system beyond standard C++: the program's
// own path, its memory, the environment, folders, replacing a file in one step and starting other
// programs. One implementation for Linux and one for Windows sit behind these names, so that
// nothing else in the project includes a system header or asks which system it runs on. Paths
// use '/' on both systems; Windows accepts it.
namespace portable {

// The running program's full path, or "" when the system cannot tell.
std::string ProgramPath();

// The process's resident memory in KiB, or -1 when the system cannot tell.
long long ResidentKiB();

// Sets or removes an environment variable of this process.
void SetEnvironment(const char* name, const char* value);
void UnsetEnvironment(const char* name);

// Makes one folder (its parent must exist); true when the folder is there afterwards.
bool MakeFolder(const std::string& path);
// Removes an empty folder; false when it is not there or not empty.
bool RemoveFolder(const std::string& path);

// A regular file this process may read, or run.
bool IsReadableFile(const std::string& path);
bool IsProgramFile(const std::string& path);

// Puts `from` in the place of `to` in one step: a reader sees the old file or the new one,
// never a mixture, and an existing `to` is replaced.
bool MoveIntoPlace(const std::string& from, const std::string& to);

// Standard output and errors written byte for byte: "\n" stays "\n" on every system, so that
// the tools' output is the same everywhere.
void UseBinaryOutput();

// Child programs. Where the system offers them (ChildProgramsAvailable), StartProgram runs
// `program` with `arguments`, the extra `environment` and its output and errors in `log`, and
// returns its id (-1 when it could not start); WaitForProgram waits for any one started program
// to end and returns its id, with `succeeded` set when it ended normally with status 0, or -1
// when none is left.
bool ChildProgramsAvailable();
long StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::vector<std::pair<std::string, std::string>>& environment,
                  const std::string& log);
long WaitForProgram(bool& succeeded);

}  // namespace portable
