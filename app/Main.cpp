#include <cstdio>
#include <string>

#include "app/App.h"

int main(int argc, char** argv) {
    GameSettings settings = SettingsFromEnvironment();
    std::string error;
    switch (ParseGameOptions(argc, argv, settings, error)) {
        case OptionsOutcome::Help:
            std::fputs(gameUsage, stdout);
            return 0;
        case OptionsOutcome::Version:
            std::printf("kestrane %s\n", KESTRANE_VERSION);
            return 0;
        case OptionsOutcome::Error:
            std::fprintf(stderr, "kestrane: %s\nTry 'kestrane --help' for more information.\n",
                         error.c_str());
            return 2;
        case OptionsOutcome::Run:
            break;
    }
    App app;
    // A player who starts the game where its weights cannot be found hears so at once, not
    // after the first turn.
    app.table.Computer().LocateWeights();
    return app.Run(settings);
}
