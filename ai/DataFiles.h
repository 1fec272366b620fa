#pragma once

#include <string>
#include <vector>

// Where the game and its tools look for a data file (the two weight files, the pubeval table)
// when no folder is named. In order: the working directory, so that a player's own files win;
// the data folder an install puts beside the programs' folder (../share/kestrane from bin/,
// found from the running program, so any prefix and a moved tree work); and the program's own
// folder, where the build puts the files. Every folder ends in '/'.
std::vector<std::string> DataFolders();

// The path of the first regular, readable file called `name` in DataFolders(), or "" when no
// folder has one; `tried` then lists every path looked at, comma-separated.
std::string FindDataFile(const std::string& name, std::string& tried);

// The game's tools write their files aside, at PartPath(path), and put them in place with
// ReplaceWithPart once complete, so that an interrupted run never leaves a half file behind. False,
// with `error` set to "cannot write <path>", when the writing failed (`written` false) or the
// file could not be put in place.
std::string PartPath(const std::string& path);
bool ReplaceWithPart(const std::string& path, bool written, std::string& error);
