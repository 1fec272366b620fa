#include "ai/Chance.h"

#include <cstdlib>

static ClockSource clockSource = nullptr;

int Rand() {
    return std::rand();
}

void Srand(unsigned seed) {
    std::srand(seed);
}

std::time_t ClockSeconds() {
    return clockSource ? clockSource() : std::time(nullptr);
}

void SetClockSource(ClockSource source) {
    clockSource = source;
}
