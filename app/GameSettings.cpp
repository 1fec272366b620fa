#include "app/GameSettings.h"

#include <cstdlib>
#include <cstring>

const char* const gameUsage =
    "Usage: kestrane [OPTION]...\n"
    "Play backgammon against the computer on a 3D board.\n"
    "\n"
    "  --loose-rules   play by the game's first, looser rules: any checker may move while one\n"
    "                  is on the bar, no die must be used, and a checker bears off with any\n"
    "                  die that reaches the tray once all are home; the computer keeps the\n"
    "                  quicker pace of those versions\n"
    "  --record FILE   keep every input event of the run in FILE\n"
    "  --replay FILE   play back a run kept with --record, under the rules it was recorded\n"
    "                  with, to reproduce what happened\n"
    "  --report-fps    write the number of frames and the frame rate to stderr at the end\n"
    "  --no-pacing     draw frames as fast as possible, one step of game time each: no synced\n"
    "                  swap, no waiting\n"
    "  --help          show this help and exit\n"
    "  --version       show the version and exit\n"
    "\n"
    "KESTRANE_RECORD=FILE, KESTRANE_REPLAY=FILE, KESTRANE_REPORT_FPS=1 and KESTRANE_NO_PACING=1\n"
    "in the environment do the same as the options.\n"
    "\n"
    "The computer reads its two weight files, \"net-160 (0).dat\" and \"net-160 (1).dat\", from\n"
    "the working directory, else from ../share/kestrane beside the folder of the program, else\n"
    "from the folder of the program. Found nowhere, it plays with random weights and says so.\n";

static bool EnvironmentFlag(const char* name) {
    const char* value = std::getenv(name);
    return value && *value && std::strcmp(value, "0") != 0;
}

static std::string EnvironmentText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

GameSettings SettingsFromEnvironment() {
    GameSettings settings;
    settings.pacing = !EnvironmentFlag("KESTRANE_NO_PACING");
    settings.reportRate = EnvironmentFlag("KESTRANE_REPORT_FPS");
    settings.record = EnvironmentText("KESTRANE_RECORD");
    settings.replay = EnvironmentText("KESTRANE_REPLAY");
    return settings;
}

OptionsOutcome ParseGameOptions(int argc, char** argv, GameSettings& settings, std::string& error) {
    for (int a = 1; a < argc; ++a) {
        const std::string option = argv[a];
        if (option == "--help") {
            return OptionsOutcome::Help;
        }
        if (option == "--version") {
            return OptionsOutcome::Version;
        }
        if (option == "--report-fps") {
            settings.reportRate = true;
            continue;
        }
        if (option == "--no-pacing") {
            settings.pacing = false;
            continue;
        }
        if (option == "--loose-rules") {
            settings.looseRules = true;
            continue;
        }
        // A file option takes the next argument, or what follows '='.
        const std::size_t equals = option.find('=');
        const std::string name = option.substr(0, equals);
        if (name == "--record" || name == "--replay") {
            std::string file;
            if (equals != std::string::npos) {
                file = option.substr(equals + 1);
            } else if (a + 1 < argc) {
                file = argv[++a];
            }
            if (file.empty()) {
                error = "option " + name + " needs a file";
                return OptionsOutcome::Error;
            }
            (name == "--record" ? settings.record : settings.replay) = file;
            continue;
        }
        error = option.rfind("-", 0) == 0 ? "unknown option " + option
                                          : "unexpected argument " + option;
        return OptionsOutcome::Error;
    }
    return OptionsOutcome::Run;
}
