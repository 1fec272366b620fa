#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tools/Pubeval.h"

// The table the game ships, which every tool test that needs a fixed opponent or teacher reads.
inline Pubeval PubevalTable() {
    Pubeval pubeval;
    std::string error;
    EXPECT_TRUE(pubeval.Load(KESTRANE_PUBEVAL_TABLE, error)) << error;
    return pubeval;
}
