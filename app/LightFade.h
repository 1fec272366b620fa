#pragma once

// The one light's brightness over a game: it comes up from black as the game starts, and when the
// player leaves (Escape) it goes down to black and the game ends. Escape during the fade-in waits
// for it to finish. The diffuse colour is what every frame, and every reopened window, is lit
// with.
class LightFade {
public:
    // One step of game time; true at the step that takes the fade-out below black.
    bool Step();
    void FadeOut() { fadingOut = true; }

    bool fadingIn = true;    // still coming up from black
    bool fadingOut = false;  // going down; the game ends when it is dark
    float diffuse[4] = {0.0f, 0.0f, 0.0f, 1.0f};
};
