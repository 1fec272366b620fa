#pragma once

// The game's one window and its GL context, in the mode the player asked for. Opening tells the
// player why it failed in a message box, after the failed step has closed what the opening had
// made; where the display cannot take fullscreen the player may take a window instead. Closing
// reports a context that would not let go, and closing a closed window does nothing. Both run at
// start, at every window-mode toggle and at the end.
class GameWindow {
public:
    static constexpr int width = 800;
    static constexpr int height = 600;

    // False when the window could not be opened, or the player declined a window in place of a
    // refused fullscreen mode; nothing is then left open.
    bool Open(bool fullscreenRequested);
    void Close();

    bool IsOpen() const { return open; }
    // The mode asked for, then the one in force.
    bool Fullscreen() const { return fullscreen; }

private:
    bool open = false;
    bool fullscreen = false;
};
