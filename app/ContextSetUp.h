#pragma once

// The GL state the game's frames rely on, set on a freshly made context: depth test, clear
// colour, hints, the one light fixed to the eye and lit with `lightDiffuse`, back-face culling,
// colour-tracking materials, filled polygons.
void SetUpContext(const float lightDiffuse[4]);

// The viewport and the perspective projection for a client area of width x height (height at
// least 1), leaving the modelview matrix current and cleared.
void SetPerspective(int width, int height);
