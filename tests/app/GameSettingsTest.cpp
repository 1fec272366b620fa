#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/GameSettings.h"
#include "platform/Portable.h"

static OptionsOutcome Parse(std::vector<const char*> words, GameSettings& settings,
                            std::string& error) {
    words.insert(words.begin(), "kestrane");
    return ParseGameOptions(static_cast<int>(words.size()), const_cast<char**>(words.data()),
                            settings, error);
}

// The switches players already use keep working, and an option wins over its switch.
TEST(GameSettings, OptionsGoOverTheEnvironmentSwitches) {
    portable::SetEnvironment("KESTRANE_NO_PACING", "1");
    portable::SetEnvironment("KESTRANE_REPORT_FPS", "0");
    portable::SetEnvironment("KESTRANE_RECORD", "from-env.txt");
    GameSettings settings = SettingsFromEnvironment();
    portable::UnsetEnvironment("KESTRANE_NO_PACING");
    portable::UnsetEnvironment("KESTRANE_REPORT_FPS");
    portable::UnsetEnvironment("KESTRANE_RECORD");
    EXPECT_FALSE(settings.pacing);
    EXPECT_FALSE(settings.reportRate);
    EXPECT_EQ(settings.record, "from-env.txt");

    std::string error;
    EXPECT_EQ(Parse({"--record", "a b.txt", "--replay=run.txt", "--report-fps"}, settings, error),
              OptionsOutcome::Run);
    EXPECT_EQ(settings.record, "a b.txt");
    EXPECT_EQ(settings.replay, "run.txt");
    EXPECT_TRUE(settings.reportRate);

    GameSettings plain = SettingsFromEnvironment();
    EXPECT_EQ(Parse({}, plain, error), OptionsOutcome::Run);
    EXPECT_TRUE(plain.pacing);
    EXPECT_FALSE(plain.looseRules);
    EXPECT_EQ(Parse({"--no-pacing", "--loose-rules"}, plain, error), OptionsOutcome::Run);
    EXPECT_FALSE(plain.pacing);
    EXPECT_TRUE(plain.looseRules);
    EXPECT_EQ(Parse({"--report-fps", "--help", "--bogus"}, plain, error), OptionsOutcome::Help);
    EXPECT_EQ(Parse({"--version"}, plain, error), OptionsOutcome::Version);
}

TEST(GameSettings, BadCommandLinesAreRefusedWithOneLine) {
    const struct {
        std::vector<const char*> words;
        const char* error;
    } bad[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"-x"}, "unknown option -x"},
        {{"board.txt"}, "unexpected argument board.txt"},
        {{"--record"}, "option --record needs a file"},
        {{"--replay="}, "option --replay needs a file"},
        {{"--report-fps=1"}, "unknown option --report-fps=1"},
    };
    for (const auto& b : bad) {
        GameSettings settings;
        std::string error;
        EXPECT_EQ(Parse(b.words, settings, error), OptionsOutcome::Error) << b.error;
        EXPECT_EQ(error, b.error);
    }
}
