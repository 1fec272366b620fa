#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ai/Agent.h"
#include "platform/Portable.h"
#include "tests/ai/AiTestSupport.h"
#include "tests/tools/ToolsTestSupport.h"
#include "tools/Commands.h"
#include "tools/Labels.h"

// pubeval's picks stand in for the teacher's, so that no test needs the teacher installed; with
// `chances`, pubeval's scores, squeezed into winning chances near one half as the teacher's are,
// stand in for its judgement of every candidate.
static std::vector<LabelledDecision> PubevalLabels(int games, uint32_t seed, bool chances = false) {
    Pubeval pubeval = PubevalTable();
    NeuralNet contact(GameLayers, 3);
    NeuralNet race(GameLayers, 3);
    std::mt19937 rng(seed);
    const WeightDraw draw = [&rng] { return static_cast<unsigned>(rng()); };
    contact.RandomizeInFileOrder(draw);
    race.RandomizeInFileOrder(draw);
    std::vector<LabelledDecision> decisions = PlayForLabels(contact, race, games, seed, 0.1);
    PubevalChooser teacher(pubeval);
    RollPlays plays;
    BoardState board;
    for (LabelledDecision& d : decisions) {
        UnpackPoints(d.before, board.points);
        plays.Find(board.points, d.die1, d.die2);
        d.label = teacher.Choose(board, plays);
        if (chances) {
            const bool race = IsRace(board);
            for (size_t c = 0; c < plays.Size(); ++c) {
                const double x = 0.5 + 0.02 * std::tanh(pubeval.Score(plays[c], race) / 8.0);
                d.winChances.push_back(static_cast<float>(std::round(x * 1e6) / 1e6));
            }
            d.label = static_cast<int>(std::max_element(d.winChances.begin(), d.winChances.end()) -
                                       d.winChances.begin());
        }
    }
    return decisions;
}

// The fields of a file's first decision, so that a test can damage one of them.
static std::vector<std::string> FirstFields(const std::string& path, std::string& header) {
    std::ifstream in(path);
    std::string first;
    std::getline(in, header);
    std::getline(in, first);
    std::istringstream fields(first);
    std::vector<std::string> item;
    for (std::string f; fields >> f;) {
        item.push_back(f);
    }
    return item;
}

static std::string Joined(std::vector<std::string> fields, size_t index, const std::string& value) {
    if (index < fields.size()) {
        fields[index] = value;
    }
    std::string line;
    for (const std::string& f : fields) {
        line += f + " ";
    }
    return line;
}

TEST(LabelFiles, BothVersionsRoundTripAndDamageIsRefusedByItsLine) {
    std::string dir = Scratch("labels-files");
    for (bool chances : {false, true}) {
        std::vector<LabelledDecision> written = PubevalLabels(3, 5, chances), read;
        ASSERT_GT(written.size(), 50u);
        std::string error;
        ASSERT_TRUE(WriteLabels(written, dir + "/a.labels", error)) << error;
        // Every field read back: the decisions written again make the same file.
        ASSERT_TRUE(ReadLabels(dir + "/a.labels", read, error)) << error;
        ASSERT_EQ(read.size(), written.size());
        EXPECT_EQ(read[7].winChances, written[7].winChances);
        ASSERT_TRUE(WriteLabels(read, dir + "/b.labels", error)) << error;
        EXPECT_EQ(ReadAll(dir + "/b.labels"), ReadAll(dir + "/a.labels"));

        std::string header;
        const std::vector<std::string> item = FirstFields(dir + "/a.labels", header);
        EXPECT_EQ(header, chances ? "kestrane-labels 2" : "kestrane-labels 1");
        const std::string first = Joined(item, item.size(), "");
        const size_t label = 30, chance = 31 + static_cast<size_t>(written[0].label);
        struct Damage {
            std::string text;
            std::string message;
        };
        std::vector<Damage> damaged = {
            {first + "\n", "not a label file"},
            {header + "\n" + first + "\n" + Joined(item, 1, "7") + "\n", "line 3 is damaged"},
            {header + "\n" + Joined(item, label, "99") + "\n", "line 2 is damaged"},
            {header + "\n" + Joined(item, 29, "999") + "\n",
             chances ? "line 2 is damaged" : "the game finds"},
            {header + "\n" + Joined(item, 5, "16") + "\n", "line 2 is damaged"},
            {header + "\n" + first + " 0.5\n", "line 2 is damaged"},
        };
        if (chances) {
            const std::string other = written[0].label == 0 ? "1" : "0";
            damaged.push_back({header + "\n" + first + "\n" + Joined(item, chance, "1.5") + "\n",
                               "line 3 is damaged"});
            damaged.push_back(
                {header + "\n" + Joined(item, chance, "x") + "\n", "line 2 is damaged"});
            // The label must be the first of the highest chances.
            damaged.push_back(
                {header + "\n" + Joined(item, label, other) + "\n", "line 2 is damaged"});
            // One chance short: the count of candidates no longer matches.
            std::vector<std::string> shorter(item.begin(), item.end() - 1);
            damaged.push_back({header + "\n" + first + "\n" + first + "\n" +
                                   Joined(shorter, shorter.size(), "") + "\n",
                               "line 4 is damaged"});
        }
        for (const Damage& d : damaged) {
            std::ofstream(dir + "/bad.labels") << d.text;
            read.clear();
            EXPECT_FALSE(ReadLabels(dir + "/bad.labels", read, error)) << d.text;
            EXPECT_NE(error.find(d.message), std::string::npos) << error;
        }
    }
    std::string error;
    std::vector<LabelledDecision> read;
    EXPECT_FALSE(ReadLabels(dir + "/missing.labels", read, error));
}

// The teacher lists plays by the position after them, seen from its own side: the mover's
// 8/5 6/5 from the start must land on the game's own candidate for that play, a candidate it does
// not list gets its lowest chance, and a position none of the candidates reaches refuses the list.
TEST(LabelFiles, TheTeachersListMapsOntoTheGamesCandidates) {
    BoardState start;
    RollPlays plays;
    plays.Find(start.points, 3, 1);
    BoardState after = start;
    after.points[17].count = 2;
    after.points[19].count = 4;
    after.points[20] = after.points[19];
    after.points[20].count = 2;
    int pointMade = -1;
    for (size_t c = 0; c < plays.Size(); ++c) {
        if (TeacherKey(plays[c]) == TeacherKey(after.points)) {
            pointMade = static_cast<int>(c);
        }
    }
    ASSERT_GE(pointMade, 0);
    const std::string made = TeacherKey(after.points);
    EXPECT_EQ(made.substr(0, 25), "0000050300005000000000020");
    const int other = pointMade == 0 ? 1 : 0;
    const std::string otherKey = TeacherKey(plays[static_cast<size_t>(other)]);

    LabelledDecision d;
    long unlisted = 0;
    ASSERT_TRUE(
        TakeTeacherChances("2 " + otherKey + " 0.49 " + made + " 0.55", plays, d, unlisted));
    EXPECT_EQ(d.label, pointMade);
    EXPECT_EQ(unlisted, static_cast<long>(plays.Size()) - 2);
    ASSERT_EQ(d.winChances.size(), plays.Size());
    EXPECT_FLOAT_EQ(d.winChances[static_cast<size_t>(other)], 0.49f);
    size_t left = 0;
    while (left == static_cast<size_t>(pointMade) || left == static_cast<size_t>(other)) {
        ++left;
    }
    EXPECT_FLOAT_EQ(d.winChances[left], 0.49f);

    std::string stray = made;
    stray[30] = 'f';
    for (const std::string& answer :
         {std::string("none"), "2 " + made + " 0.55", "1 " + stray + " 0.5", "1 " + made + " 1.5",
          "1 " + made + " 0.5 extra", std::string("0")}) {
        EXPECT_FALSE(TakeTeacherChances(answer, plays, d, unlisted)) << answer;
    }

    // Without the teacher, or without a way to start it, the command says which and stops.
    const char* missing[] = {"--net", ".", "--out", "x", "--games", "1", "--gnubg", "/no/gnubg"};
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(TeachCommand(8, const_cast<char**>(missing)), 1);
    const std::string said = ::testing::internal::GetCapturedStderr();
    const char* const why =
        portable::ChildProgramsAvailable() ? "no gnubg program at /no/gnubg" : "teach: needs Linux";
    EXPECT_NE(said.find(why), std::string::npos) << said;
}

// Both losses: the same seed gives the same weights, and a few passes make the networks pick the
// teacher's play far more often; the soft targets also cut the winning chance the picks lose.
TEST(LabelTraining, SameSeedSameWeightsAndTheNetworksLearnTheLabels) {
    Pubeval pubeval = PubevalTable();
    std::string error;
    std::string dir = Scratch("labels-train");
    std::vector<LabelledDecision> decisions = PubevalLabels(40, 7, true);
    ASSERT_TRUE(WriteLabels(decisions, dir + "/a.labels", error)) << error;
    // Three passes over the labels into `out` with the given loss.
    const auto options = [&](const std::string& out, const char* loss) {
        TrainOptions o;
        o.out = dir + "/" + out;
        std::filesystem::create_directories(o.out);
        o.labels = {dir + "/a.labels"};
        o.epochs = 3;
        o.benchGames = 0;
        o.rate = 0.1;
        o.finalRate = 0.02;
        o.contactLoss = o.raceLoss = loss;
        return o;
    };
    for (const char* loss : {"pick", "soft"}) {
        std::string text[2];
        for (int run = 0; run < 2; ++run) {
            const TrainOptions o = options(loss + std::to_string(run), loss);
            Trainer trainer(o, pubeval);
            Agreement before = AgreeWithLabels(trainer.contact, trainer.race, decisions);
            ASSERT_TRUE(trainer.Run(error)) << error;
            Agreement after = AgreeWithLabels(trainer.contact, trainer.race, decisions);
            EXPECT_GT(after.All(), before.All() + 20.0) << loss;
            EXPECT_LT(after.AllLoss(), before.AllLoss() / 2) << loss;
            text[run] = ReadAll(o.out + "/epoch-3/" + ContactWeightFile);
        }
        EXPECT_FALSE(text[0].empty());
        EXPECT_EQ(text[0], text[1]) << loss;
    }

    // A race factor of its own changes the race network and leaves the contact one as it was.
    {
        TrainOptions o = options("race-tau", "soft");
        o.raceTau = 5000.0;
        Trainer trainer(o, pubeval);
        ASSERT_TRUE(trainer.Run(error)) << error;
        EXPECT_EQ(ReadAll(o.out + "/epoch-3/" + ContactWeightFile),
                  ReadAll(dir + "/soft0/epoch-3/" + ContactWeightFile));
        EXPECT_NE(ReadAll(o.out + "/epoch-3/" + RaceWeightFile),
                  ReadAll(dir + "/soft0/epoch-3/" + RaceWeightFile));
    }

    // One network learning alone: the other keeps its starting weights, its decisions skipped.
    for (const char* learn : {"contact", "race"}) {
        TrainOptions o = options(std::string("learn-") + learn, "soft");
        o.learn = learn;
        Trainer trainer(o, pubeval);
        const auto text = [&](const NeuralNet& net) {
            EXPECT_TRUE(net.WriteWeightFile(o.out + "/now", error)) << error;
            return ReadAll(o.out + "/now");
        };
        const std::string start[2] = {text(trainer.contact), text(trainer.race)};
        ASSERT_TRUE(trainer.Run(error)) << error;
        const bool race = o.learn == "race";
        EXPECT_EQ(text(trainer.contact) == start[0], race) << learn;
        EXPECT_EQ(text(trainer.race) == start[1], !race) << learn;
    }

    // Soft targets need the teacher's chances: a version-1 file is refused by name.
    for (LabelledDecision& d : decisions) {
        d.winChances.clear();
    }
    ASSERT_TRUE(WriteLabels(decisions, dir + "/v1.labels", error)) << error;
    TrainOptions o;
    o.out = dir + "/v1";
    o.labels = {dir + "/v1.labels"};
    o.contactLoss = "soft";
    EXPECT_FALSE(Trainer(o, pubeval).Run(error));
    EXPECT_NE(error.find("v1.labels: the soft-target loss needs"), std::string::npos) << error;
}
