#pragma once

#include <ctime>

// The game's one source of chance and its one clock. Dice, initial network weights and the base
// evaluation all draw from the game's own generator (Rand() gives 0..2^31-1 and reproduces the
// GNU C library's rand() for every seed, on every system); it is reseeded from the clock whenever
// the scene is set up and whenever an agent is created. The game always reads the real clock; a
// test may fix the clock so that a seeded run plays the same games twice.
int Rand();
void Srand(unsigned seed);
std::time_t ClockSeconds();

// Replaces the clock (nullptr restores the real one).
using ClockSource = std::time_t (*)();
void SetClockSource(ClockSource source);
