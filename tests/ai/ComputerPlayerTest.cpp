#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ai/ComputerPlayer.h"
#include "ai/DataFiles.h"
#include "tests/ai/AiTestSupport.h"

static std::string Chosen(ComputerPlayer& player, const BoardState& board, unsigned d0, unsigned d1,
                          unsigned side = 1) {
    const unsigned dice[2] = {d0, d1};
    Play play;
    const unsigned count = player.ChooseMove(board, side, dice, play);
    EXPECT_EQ(count, play.count);
    return PlayText(play);
}

// Catches a player that reads its files on every move, shares them with other players, repeats
// its warnings, or values races with the contact file.
TEST(ComputerPlayer, ReadsEachWeightFileOnceOnTheFirstMove) {
    const std::string missing = ::testing::TempDir() + "no-weights-here";
    const std::string cannot =
        ": cannot be opened (No such file or directory); the network keeps its random weights\n";
    ComputerPlayer lost;
    lost.weightDirectory = missing;
    ::testing::internal::CaptureStderr();
    Chosen(lost, BoardState(), 5, 2);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              missing + "/net-160 (0).dat" + cannot + missing + "/net-160 (1).dat" + cannot);
    ::testing::internal::CaptureStderr();
    Chosen(lost, BoardState(), 5, 2);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    // Flat contact weights and network 5 for races: the start is the first play found, a back
    // checker run 1-4-5, read as moves from point to point. New files
    // are not read again by this player, but a new player reads them.
    const std::string dir = WeightFolder("once", 0, 5);
    ComputerPlayer player;
    player.weightDirectory = dir;
    EXPECT_EQ(Chosen(player, BoardState(), 3, 1), "1/4 4/5");
    WeightFolder("once", 5, 5);
    EXPECT_EQ(Chosen(player, BoardState(), 3, 1), "1/4 4/5");
    ComputerPlayer second;
    second.weightDirectory = dir + "/";
    EXPECT_NE(Chosen(second, BoardState(), 3, 1), "1/4 4/5");

    // A race is played with the race file, as the new player with network 5 for both plays it,
    // by either side.
    BoardState race = BoardFromSigned(
        {0, -3, -4, -2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 2, 0, 3, 2, 2, 0, 1, 1, 0});
    const std::string expected = Chosen(second, race, 6, 2);
    EXPECT_EQ(Chosen(player, race, 6, 2), expected);
    race.Mirror();
    EXPECT_EQ(Chosen(player, race, 6, 2, 2), expected);
}

// Catches a search that prefers the program's folder to the player's own files, misses the
// build tree's files elsewhere, or warns without naming where it looked.
TEST(DataFiles, WorkingDirectoryFirstThenTheInstallThenBesideTheProgram) {
    const std::filesystem::path previous = std::filesystem::current_path();
    const std::string own = WeightFolder("own-files", 0, 0);
    std::filesystem::current_path(own);
    std::string tried;
    EXPECT_EQ(FindDataFile("net-160 (0).dat", tried), "./net-160 (0).dat");

    // The tests run from the build's bin/, beside the files the build puts there.
    const std::string empty = ::testing::TempDir() + "no-data-here";
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    const std::string beside = FindDataFile("net-160 (1).dat", tried);
    EXPECT_EQ(beside, DataFolders().back() + "net-160 (1).dat");
    EXPECT_NE(beside.find("/bin/"), std::string::npos);

    const std::vector<std::string> folders = DataFolders();
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(FindDataFile("no-such-file", tried), "");
    EXPECT_EQ(tried,
              "./no-such-file, " + folders[1] + "no-such-file, " + folders[2] + "no-such-file");
    EXPECT_EQ(folders[1].substr(folders[1].size() - 16), "/share/kestrane/");
    ComputerPlayer lost;
    ::testing::internal::CaptureStderr();
    lost.LocateWeights();
    const std::string warning = ::testing::internal::GetCapturedStderr();
    std::filesystem::current_path(previous);
    EXPECT_EQ(warning, "");
}
