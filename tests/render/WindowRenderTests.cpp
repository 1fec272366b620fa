// The real game window under a virtual display, drawn by Mesa: after the fade-in, the pixels at
// the screen positions of known features (board coordinates projected with the game's own view
// and projection) must belong to the expected colour family. Lighting changes the exact values,
// so only families are checked. The run also writes screenshots for a person to look at.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "PngWriter.h"
#include "app/App.h"
#include "platform/Events.h"
#include "tests/table/TableSetup.h"

#ifndef KESTRANE_SCREENSHOT_DIR
#define KESTRANE_SCREENSHOT_DIR "screenshots"
#endif

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    float Max() const { return std::max({r, g, b}); }
    float Min() const { return std::min({r, g, b}); }
    float Brightness() const { return (r + g + b) / 3.0f; }
};

static std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

static bool IsGreen(const Rgb& c) {
    return c.g > 1.5f * c.r && c.g > 1.5f * c.b && c.g > 0.2f;
}
static bool IsNeutral(const Rgb& c) {
    return c.Max() - c.Min() < 0.06f + 0.1f * c.Max();
}
static bool IsBrown(const Rgb& c) {
    return c.r > c.g && c.g > c.b && c.r - c.b > 0.15f;
}
static bool IsDark(const Rgb& c) {
    return c.Max() < 0.1f;
}

// One drawn frame, read back before the buffers are swapped, with the matrices it was drawn
// with.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // RGB, bottom row first, as the GL reads them
    double modelview[16] = {};
    double projection[16] = {};
    int viewport[4] = {};

    Rgb At(int x, int y) const {
        x = std::clamp(x, 0, width - 1);
        y = std::clamp(y, 0, height - 1);
        const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
        return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
    }

    // The mean colour of the 3 x 3 pixels around a point in board coordinates.
    Rgb Board(float x, float y, float z) const {
        double wx = 0.0, wy = 0.0, wz = 0.0;
        gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz);
        Rgb sum;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const Rgb c = At(static_cast<int>(wx) + dx, static_cast<int>(wy) + dy);
                sum.r += c.r / 9.0f;
                sum.g += c.g / 9.0f;
                sum.b += c.b / 9.0f;
            }
        }
        return sum;
    }

    bool Save(const std::string& name) const {
        std::filesystem::create_directories(KESTRANE_SCREENSHOT_DIR);
        return WritePng(std::string(KESTRANE_SCREENSHOT_DIR) + "/" + name, width, height, pixels);
    }
};

// Known places on the starting board, in board coordinates (the surface is y = 0).
struct Feature {
    float x, y, z;
};
static const Feature openSurface = {-0.5f, 0.0f, 0.0f};    // left half, between the points
static const Feature pointOne = {0.85f, 0.005f, 0.55f};    // below its two checkers
static const Feature pointTwo = {0.71f, 0.005f, 0.75f};    // empty at the start
static const Feature nearRim = {-0.5f, 0.07f, 0.965f};     // top of the frame
static const Feature humanOnSix = {0.15f, 0.011f, 0.86f};  // bottom checker of point 6
static const Feature computerOnTwelve = {-0.85f, 0.021f, 0.86f};

class GameWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no X display";
        }
        app = std::make_unique<App>();
        ASSERT_TRUE(app->OpenWindow(false));
        // Each test starts from the table's own colours, and nothing points at the board but
        // what the tests place there.
        app->table.ApplyColourScheme(9);
        app->table.TheHand().current.x = 5.0f;
        app->table.TheHand().current.z = 5.0f;
        for (int i = 0; i < 46; ++i)
            Draw();
        ASSERT_FALSE(app->light.fadingIn) << "the light has not come up after 46 frames";
    }

    void TearDown() override {
        if (app)
            app->CloseWindow();
    }

    // Runs one pass of the game as the main loop would: events, a frame, the key actions.
    Frame Draw() {
        Event event;
        while (platform::PollEvent(event)) {
            // The tests place the hand and press keys themselves: whatever pointer or keyboard
            // the virtual display has must not steer the hand or toggle the window mode.
            const EventType t = event.type;
            if (t == EventType::PointerMoved || t == EventType::ButtonPressed ||
                t == EventType::KeyPressed || t == EventType::KeyReleased ||
                t == EventType::CharacterTyped) {
                continue;
            }
            app->Handle(event);
        }
        app->ApplyKeyActions();
        app->StepFrame();
        app->DrawFrame();
        Frame frame = ReadBack();
        platform::SwapWindow();
        return frame;
    }

    // The back buffer as the last drawing left it, with the board's matrices.
    Frame ReadBack() const {
        Frame frame;
        glGetIntegerv(GL_VIEWPORT, frame.viewport);
        frame.width = frame.viewport[2];
        frame.height = frame.viewport[3];
        frame.pixels.resize(static_cast<size_t>(frame.width) * frame.height * 3);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE,
                     frame.pixels.data());
        glGetDoublev(GL_PROJECTION_MATRIX, frame.projection);
        // The board's own transform, as the table applies it at the start of a frame.
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        app->table.View().ApplyView();
        glGetDoublev(GL_MODELVIEW_MATRIX, frame.modelview);
        glPopMatrix();
        return frame;
    }

    // A typed character acts in the pass that receives it, before its step: its frame shows it.
    Frame TypeAndDraw(char c) {
        app->Handle(Typed(static_cast<unsigned char>(c)));
        return Draw();
    }

    // The die alone, lit and placed as in the last frame, on a clear blue ground and without the
    // depth test: a convex body with its back faces culled needs none, so every pip shows.
    Frame DrawDieAlone(const Die& die) {
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        app->table.View().ApplyView();
        glDisable(GL_DEPTH_TEST);
        die.Draw();
        glEnable(GL_DEPTH_TEST);
        glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
        return ReadBack();
    }

    static Rgb At(const Frame& frame, const Feature& f) { return frame.Board(f.x, f.y, f.z); }

    std::unique_ptr<App> app;
};

TEST_F(GameWindowTest, StartingBoardShowsSchemeNine) {
    const Frame frame = Draw();
    const Rgb surface = At(frame, openSurface);
    EXPECT_TRUE(IsGreen(surface)) << surface;

    const Rgb odd = At(frame, pointOne);
    const Rgb even = At(frame, pointTwo);
    EXPECT_TRUE(IsNeutral(odd)) << odd;
    EXPECT_TRUE(IsNeutral(even)) << even;
    EXPECT_GT(even.Brightness(), 2.0f * odd.Brightness()) << odd << " " << even;

    const Rgb rim = At(frame, nearRim);
    EXPECT_TRUE(IsBrown(rim)) << rim;

    const Rgb human = At(frame, humanOnSix);
    const Rgb computer = At(frame, computerOnTwelve);
    EXPECT_TRUE(IsNeutral(human)) << human;
    EXPECT_TRUE(IsNeutral(computer)) << computer;
    EXPECT_GT(human.Brightness(), computer.Brightness() + 0.2f) << human << " " << computer;
    EXPECT_GT(computer.Brightness(), 0.15f) << computer;

    // Typing "0" swaps the checker colours.
    const Frame swapped = TypeAndDraw('0');
    EXPECT_GT(At(swapped, computerOnTwelve).Brightness(),
              At(swapped, humanOnSix).Brightness() + 0.2f);
}

TEST_F(GameWindowTest, DiceShowLightGreyCubesOnTheSurface) {
    const Frame frame = Draw();
    ASSERT_TRUE(app->table.DieAt(0).active);
    ASSERT_FALSE(app->table.DieAt(1).active);
    // Off-centre on the top face, where no value has a pip.
    for (const Die& die : {app->table.DieAt(0), app->table.DieAt(1)}) {
        const Rgb top = frame.Board(die.current.x, 0.061f, die.current.z + 0.015f);
        const Rgb beside = frame.Board(die.current.x, 0.0f, die.current.z + 0.1f);
        EXPECT_TRUE(IsGreen(beside)) << beside;
        EXPECT_GT(top.Brightness(), beside.Brightness() + 0.15f) << top << " " << beside;
        EXPECT_GT(top.r, 0.5f) << top;
        if (die.active) {
            EXPECT_TRUE(IsNeutral(top)) << top;
        }
    }
}

// "[" brings the filled board back.
TEST_F(GameWindowTest, ClosingBracketDrawsWireFrame) {
    for (const Key key : {Key::Menu, Key::LeftSuper}) {  // the keys that share "]" and "["
        app->Handle(KeyEvent(EventType::KeyPressed, key));
        Draw();
        app->Handle(KeyEvent(EventType::KeyReleased, key));
        // Only edges are drawn: the middle of the open surface shows the background.
        const Rgb surface = At(Draw(), openSurface);
        EXPECT_EQ(IsDark(surface), key == Key::Menu) << surface;
        EXPECT_EQ(IsGreen(surface), key == Key::LeftSuper) << surface;
    }
}

TEST_F(GameWindowTest, HandIsDrawnTranslucentOverEverything) {
    const Feature spot = {-0.5f, 0.22f, 0.1f};
    // What shows where the hand's palm will be: the board behind the hand's origin.
    const Rgb under = At(Draw(), spot);

    // A black hand adds nothing of its own: what shows is a tenth of what lies under it.
    Hand& hand = app->table.TheHand();
    std::fill_n(hand.colour1, 3, 0.0f);
    std::fill_n(hand.colour2, 3, 0.0f);
    hand.current.x = spot.x;
    hand.current.y = spot.y;
    hand.current.z = spot.z;
    const Rgb seen = Draw().Board(spot.x, hand.current.y, spot.z);
    EXPECT_NEAR(seen.g, 0.1f * under.g, 0.03f) << seen << " over " << under;
    EXPECT_NEAR(seen.r, 0.1f * under.r, 0.03f) << seen << " over " << under;
    EXPECT_GT(seen.g, 0.0f) << "the hand hides the board";
}

// Typing "3" turns the surface grey.
TEST_F(GameWindowTest, WritesScreenshotsOfEveryScheme) {
    ASSERT_TRUE(Draw().Save("start.png"));
    for (char scheme : {'1', '2', '3', '4', '9'}) {
        const Frame frame = TypeAndDraw(scheme);
        EXPECT_TRUE(frame.Save(std::string("start-scheme") + scheme + ".png"));
        const Rgb surface = At(frame, openSurface);
        EXPECT_TRUE(scheme != '3' || (IsNeutral(surface) && surface.Brightness() > 0.3f))
            << surface;
    }
}

// The pips of a die, as the game draws it, against the same die drawn alone on a blue ground
// with nothing to hide any part of it: within the die's outline there, the pip-coloured pixels
// of the game's frame must be the same ones. Pips that fight the faces for depth come out in
// fragments, often a third of their pixels gone. The views reach as far as the arrow and zoom
// keys go with the dice still on screen: close up, far off, low over the table, straight down,
// tipped past straight down, and turned a quarter, a half and more of the way round.
static bool IsPip(const Rgb& c) {
    return c.Max() < 0.2f && IsNeutral(c);
}

TEST_F(GameWindowTest, PipsStayWholeAtEveryTiltTurnAndZoom) {
    app->table.Rules().OpenRoll(5, 3);
    const struct {
        float zoom, tilt, turn;
    } views[] = {{0.0f, 0.0f, 0.0f},    {1.6f, 0.0f, 0.0f},     {-4.0f, 0.0f, 0.0f},
                 {1.2f, -45.0f, 0.0f},  {1.2f, 30.0f, 0.0f},    {1.2f, 0.0f, 90.0f},
                 {1.2f, 10.0f, 180.0f}, {1.2f, -30.0f, 235.0f}, {0.0f, 70.0f, 300.0f}};
    for (const auto& v : views) {
        for (int d = 0; d < 2; ++d) {
            // Only the die in use is drawn opaque, with the depth test.
            if (app->table.Rules().SelectedDie() != d)
                app->table.OtherDieStep();
            app->table.MoveView(v.zoom, v.tilt, v.turn);
            const Frame game = Draw();
            ASSERT_TRUE(app->table.DieAt(d).active);
            const Frame alone = DrawDieAlone(app->table.DieAt(d));
            app->table.MoveView(-v.zoom, -v.tilt, -v.turn);
            if (&v == &views[7] && d == 0)
                game.Save("dice-turned.png");

            int outline = 0, pips = 0, missing = 0, extra = 0;
            for (int y = 0; y < game.height; ++y) {
                for (int x = 0; x < game.width; ++x) {
                    const Rgb a = alone.At(x, y);
                    if (a.b > 0.9f && a.r < 0.1f && a.g < 0.1f)
                        continue;
                    const bool pipAlone = IsPip(a);
                    const bool pipGame = IsPip(game.At(x, y));
                    outline++;
                    pips += pipAlone;
                    missing += pipAlone && !pipGame;
                    extra += pipGame && !pipAlone;
                }
            }
            SCOPED_TRACE(::testing::Message() << "zoom " << v.zoom << " tilt " << v.tilt << " turn "
                                              << v.turn << " die " << d);
            ASSERT_GT(pips, 0) << "no pip in view, outline " << outline;
            EXPECT_LE(missing, pips / 20) << pips << " pip pixels";
            EXPECT_LE(extra, pips / 20) << pips << " pip pixels";
        }
    }
}

// The end of a game, shown for the pause on its final position: a gold glow on the ground around
// the winner's tray, and the loser's checkers dimmed; the winner's checkers keep their colour and
// the loser's tray stays dark. Every scheme, either winner, the side colours swapped or not.
static bool IsGold(const Rgb& c) {
    return c.r > 0.4f && c.g > 0.55f * c.r && c.g < 0.9f * c.r && c.b < 0.3f * c.r;
}

TEST_F(GameWindowTest, TheWinnersTrayGlowsAndTheLosersCheckersDim) {
    const struct {
        char scheme;
        bool swapped;
        Side winner;
    } games[] = {{'9', false, Side::Human}, {'9', false, Side::Computer},
                 {'1', true, Side::Human},  {'2', false, Side::Computer},
                 {'3', false, Side::Human}, {'4', true, Side::Computer}};
    // Beside the tray's outer edge and past its end nearer the middle of the board.
    const auto glowSpots = [](Side side) {
        const float s = side == Side::Human ? 1.0f : -1.0f;
        return std::vector<Feature>{{1.23f, -0.011f, 0.5f * s}, {1.14f, -0.011f, 0.055f * s}};
    };
    const auto top = [](int point, unsigned slot) {
        const Pose p = SlotPosition(point, slot);
        return Feature{p.x, p.y + 0.01f, p.z};
    };
    TurnDirector& director = app->table.Director();
    for (const auto& g : games) {
        SCOPED_TRACE(::testing::Message() << "scheme " << g.scheme << (g.swapped ? " swapped" : "")
                                          << " winner " << static_cast<int>(g.winner));
        TypeAndDraw(g.scheme);
        if (g.swapped)
            TypeAndDraw('0');
        const Side loser = g.winner == Side::Human ? Side::Computer : Side::Human;
        const Feature loserChecker = top(g.winner == Side::Human ? 22 : 3, 1);
        const Feature winnerChecker = top(g.winner == Side::Human ? HumanTray : ComputerTray, 12);
        // The winner's last checker comes off with the first die.
        SetPosition(app->table, g.winner == Side::Human ? "h1:1 c22:2" : "c24:1 h3:2");
        const Frame before = Draw();
        const int finished = director.GamesFinished();
        if (g.winner == Side::Human) {
            app->table.Rules().OpenRoll(4, 1);
            ASSERT_TRUE(director.StartHumanMove(1));
        } else {
            StartComputerTurn(app->table, 1, 3, {{24, 1}});
        }
        for (int frame = 0; director.GamesFinished() == finished; ++frame) {
            ASSERT_LT(frame, 200) << "the game was not won";
            app->StepFrame();
        }
        // A quarter of a second for the cue to come up.
        for (int frame = 0; frame < 15; ++frame)
            app->StepFrame();
        const Frame after = Draw();

        for (const Feature& spot : glowSpots(g.winner)) {
            EXPECT_TRUE(IsGold(At(after, spot))) << At(after, spot);
            EXPECT_GT(At(after, spot).Brightness(), At(before, spot).Brightness() + 0.2f);
        }
        for (const Feature& spot : glowSpots(loser))
            EXPECT_FALSE(IsGold(At(after, spot))) << At(after, spot);
        EXPECT_LT(At(after, loserChecker).Brightness(),
                  0.5f * At(before, loserChecker).Brightness())
            << At(before, loserChecker) << " then " << At(after, loserChecker);
        EXPECT_NEAR(At(after, winnerChecker).Brightness(), At(before, winnerChecker).Brightness(),
                    0.05f)
            << At(before, winnerChecker) << " then " << At(after, winnerChecker);
        if (&g == &games[0])
            after.Save("winner-cue.png");

        // The pause runs out and the next game starts.
        while (director.GameOverFrames() > 0)
            app->StepFrame();
    }
}
