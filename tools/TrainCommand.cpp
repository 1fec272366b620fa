#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Portable.h"
#include "tools/Commands.h"
#include "tools/Trainer.h"

static const char* const kTrainUsage =
    "usage: kestrane-ai train --out DIR --games N --seed S [--resume] [--from DIR]\n"
    "         [--follow-teacher] [--teacher pubeval|rollout] [--rollouts R] [--candidates K]\n"
    "         [--rate A] [--final-rate B] [--pull P] [--floor F] [--replay K] [--memory M]\n"
    "         [--check-every G] [--bench-games M] [--stop-at G] [--pubeval FILE]\n"
    "   or: kestrane-ai train --out DIR --labels FILE [--labels FILE ...] --seed S [--from DIR]\n"
    "         [--epochs E] [--held-out K] [--loss pick|soft] [--race-loss pick|soft] [--tau T]\n"
    "         [--race-tau T] [--learn both|contact|race] [--rate A] [--final-rate B]\n"
    "         [--pull P] [--floor F] [--bench-games M] [--pubeval FILE]\n";

static bool ParseNumber(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0';
}

int TrainCommand(int argc, char** argv) {
    TrainOptions options;
    std::string pubevalPath;
    bool finalRateGiven = false;
    for (int i = 0; i < argc; ++i) {
        std::string key = argv[i];
        if (key == "--resume") {
            options.resume = true;
            continue;
        }
        if (key == "--follow-teacher") {
            options.followTeacher = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "train: %s needs a value\n%s", key.c_str(), kTrainUsage);
            return 2;
        }
        const char* value = argv[++i];
        double number = 0.0;
        bool numeric = ParseNumber(value, number);
        if (key == "--out") {
            options.out = value;
        } else if (key == "--from") {
            options.from = value;
        } else if (key == "--teacher" &&
                   (!std::strcmp(value, "pubeval") || !std::strcmp(value, "rollout"))) {
            options.teacher = value;
        } else if ((key == "--loss" || key == "--race-loss") &&
                   (!std::strcmp(value, "pick") || !std::strcmp(value, "soft"))) {
            (key == "--loss" ? options.contactLoss : options.raceLoss) = value;
        } else if (key == "--learn" &&
                   (!std::strcmp(value, "both") || !std::strcmp(value, "contact") ||
                    !std::strcmp(value, "race"))) {
            options.learn = value;
        } else if ((key == "--tau" || key == "--race-tau") && numeric && number > 0 &&
                   number <= 1e5) {
            (key == "--tau" ? options.tau : options.raceTau) = number;
        } else if (key == "--pubeval") {
            pubevalPath = value;
        } else if (key == "--labels") {
            options.labels.push_back(value);
        } else if (key == "--epochs" && numeric && number >= 0 && number <= 10000) {
            options.epochs = static_cast<int>(number);
        } else if (key == "--held-out" && numeric && number >= 2 && number <= 1e9) {
            options.heldOutEvery = static_cast<int>(number);
        } else if (key == "--games" && numeric && number >= 1 && number <= 1e9) {
            options.games = static_cast<int>(number);
        } else if (key == "--stop-at" && numeric && number >= 1 && number <= 1e9) {
            options.stopAt = static_cast<int>(number);
        } else if (key == "--seed" && numeric && number >= 0 && number <= 4294967295.0) {
            options.seed = static_cast<uint32_t>(number);
        } else if (key == "--rollouts" && numeric && number >= 1 && number <= 100000) {
            options.rollouts = static_cast<int>(number);
        } else if (key == "--candidates" && numeric && number >= 1 && number <= 1000) {
            options.netCandidates = static_cast<int>(number);
        } else if (key == "--replay" && numeric && number >= 0 && number <= 1000) {
            options.replay = static_cast<int>(number);
        } else if (key == "--memory" && numeric && number >= 1 && number <= 1e8) {
            options.memorySize = static_cast<int>(number);
        } else if (key == "--floor" && numeric) {
            options.floor = number;
        } else if (key == "--pull" && numeric && number >= 0) {
            options.levelPull = number;
        } else if (key == "--rate" && numeric && number > 0) {
            options.rate = number;
        } else if (key == "--final-rate" && numeric && number > 0) {
            options.finalRate = number;
            finalRateGiven = true;
        } else if (key == "--check-every" && numeric && number >= 1 && number <= 1e9) {
            options.checkEvery = static_cast<int>(number);
        } else if (key == "--bench-games" && numeric && number >= 0 && number <= 1e9) {
            options.benchGames = static_cast<int>(number);
        } else {
            std::fprintf(stderr, "train: bad option %s %s\n%s", key.c_str(), value, kTrainUsage);
            return 2;
        }
    }
    if (options.out.empty() || (options.games <= 0 && options.labels.empty())) {
        std::fprintf(stderr, "%s", kTrainUsage);
        return 2;
    }
    if (!finalRateGiven) {
        options.finalRate = options.rate;
    }
    Pubeval pubeval;
    std::string error;
    if (!LoadPubeval(pubeval, pubevalPath, error)) {
        std::fprintf(stderr, "train: %s\n", error.c_str());
        return 1;
    }
    portable::MakeFolder(options.out);
    Trainer trainer(options, pubeval);
    if (!trainer.Run(error)) {
        std::fprintf(stderr, "train: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
