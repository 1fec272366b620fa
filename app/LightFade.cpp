#include "app/LightFade.h"

static const float fadeStep = 0.02f;
static const float fadeInEnd = 0.9f;
static const float fadeOutEnd = 0.0f;

bool LightFade::Step() {
    if (fadingIn) {
        for (int i = 0; i < 3; ++i) {
            diffuse[i] = diffuse[i] + fadeStep;
        }
        if (diffuse[0] > fadeInEnd) {
            fadingIn = false;
        }
        return false;
    }
    if (fadingOut) {
        for (int i = 0; i < 3; ++i) {
            diffuse[i] = diffuse[i] - fadeStep;
        }
        return diffuse[0] < fadeOutEnd;
    }
    return false;
}
