#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tools/Pubeval.h"
#include "tools/SelfPlay.h"

// "net:DIR" (the game's computer player with the weight files from DIR), "pubeval", "heuristic"
// (the base agent's hand-written score) or "random". Null with a message for anything else.
std::unique_ptr<GamePlayer> MakeMatchPlayer(const std::string& name, const Pubeval& pubeval,
                                            std::string& error);

// Plays `games` games, A moving first in the even ones. Dice come from a generator of the seed;
// the C generator and the clock the agents seed it from are fixed from the seed as well, so the
// same seed plays the same games.
MatchResult PlayMatch(const std::string& a, const std::string& b, int games, uint32_t seed,
                      const Pubeval& pubeval, bool progress);
