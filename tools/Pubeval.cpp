#include "tools/Pubeval.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ai/DataFiles.h"

bool Pubeval::Load(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open pubeval table " + path;
        return false;
    }
    bool seen[122] = {};
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        size_t hash = line.find('#');
        if (hash != std::string::npos) {
            line.erase(hash);
        }
        std::istringstream fields(line);
        int index;
        double race, contact;
        if (!(fields >> index)) {
            continue;
        }
        std::string rest;
        if (!(fields >> race >> contact) || (fields >> rest) || index < 0 || index >= 122) {
            error = path + ":" + std::to_string(lineNumber) + ": malformed pubeval line";
            return false;
        }
        weights[0][index] = static_cast<float>(race);
        weights[1][index] = static_cast<float>(contact);
        seen[index] = true;
    }
    for (int i = 0; i < 122; ++i) {
        if (!seen[i]) {
            error = path + ": pubeval weight " + std::to_string(i) + " missing";
            return false;
        }
    }
    return true;
}

int MoverCheckers(const PointEntry points[26]) {
    int n = 0;
    for (int i = 0; i < 26; ++i) {
        if (points[i].owner == 1) {
            n += static_cast<int>(points[i].count);
        }
    }
    return n;
}

// The mover's checkers count up, the opponent's down.
static int SignedCount(const PointEntry& point) {
    int count = static_cast<int>(point.count);
    return point.owner == 1 ? count : point.owner == 2 ? -count : 0;
}

float Pubeval::Score(const PointEntry after[26], bool race) const {
    if (MoverCheckers(after) == 0) {
        return 99999999.0f;
    }
    const float* w = weights[race ? 0 : 1];
    // Only a handful of inputs are non-zero: walk the points instead of all 122 inputs.
    float score = 0.0f;
    for (int j = 1; j <= 24; ++j) {
        int n = SignedCount(after[j]);
        if (n == 0) {
            continue;
        }
        int b = 5 * (j - 1);
        if (n == -1) {
            score += w[b];
        } else if (n >= 1) {
            if (n == 1) {
                score += w[b + 1];
            } else {
                score += w[b + 2];
                if (n == 3) {
                    score += w[b + 3];
                } else if (n >= 4) {
                    score += w[b + 4] * (static_cast<float>(n - 3) / 2.0f);
                }
            }
        }
    }
    int opponentBar = after[25].owner == 2 ? static_cast<int>(after[25].count) : 0;
    score += w[120] * (static_cast<float>(opponentBar) / 2.0f);
    score += w[121] * (static_cast<float>(15 - MoverCheckers(after)) / 15.0f);
    return score;
}

bool LoadPubeval(Pubeval& pubeval, const std::string& path, std::string& error) {
    if (!path.empty()) {
        return pubeval.Load(path, error);
    }
    std::string tried;
    const std::string found = FindDataFile("pubeval-weights.tsv", tried);
    if (found.empty()) {
        error = "pubeval-weights.tsv: not found (tried " + tried + ")";
        return false;
    }
    return pubeval.Load(found, error);
}
