#pragma once

// Display-list numbers, fixed for the whole program. Compiling a number again replaces its
// contents, so every window opening simply rebuilds them on the new context.
enum DisplayList : unsigned {
    BoardFrameList = 1,
    BoardSurfaceList = 2,
    BoardPointsList = 3,
    DieBodyList = 10,
    DieFacesList = 11,
    DiePipList = 12,
    DieShadowList = 14,
    CheckerList = 20,
    HandArmList = 31,
    HandPalmList = 32,
    HandSegment1List = 33,
    HandSegment2List = 34,
    HandArmShadowList = 35,
    HandPalmShadowList = 36,
    HandSegment1ShadowList = 37,
    HandSegment2ShadowList = 38,
};
