#include "table/GameTable.h"

// One row per defined scheme; the digits without a row (5 to 8) do nothing.
struct ColourScheme {
    int number;
    float surface[3];
    float frame[3];
    float oddPoints[3];
    float evenPoints[3];
    float hand1[3];
    float hand2[3];
    float sideA[3];
    float sideB[3];
    float highlight[3];
};

static const ColourScheme schemes[] = {
    {1,
     {0.6f, 0.6f, 0.6f},
     {0.5f, 0.5f, 0.9f},
     {0.2f, 0.2f, 0.5f},
     {0.5f, 0.2f, 0.2f},
     {0.8f, 0.4f, 0.4f},
     {0.4f, 0.4f, 0.8f},
     {0.8f, 0.4f, 0.4f},
     {0.4f, 0.4f, 0.9f},
     {0.6f, 0.6f, 0.4f}},
    {2,
     {0.1f, 0.5f, 0.2f},
     {0.2f, 0.55f, 0.5f},
     {0.0f, 0.53f, 0.78f},
     {0.0f, 0.27f, 0.47f},
     {0.8f, 0.8f, 0.25f},
     {0.8f, 0.25f, 0.25f},
     {0.99f, 0.99f, 0.25f},
     {0.84f, 0.15f, 0.15f},
     {0.9f, 0.5f, 0.2f}},
    {3,
     {0.5f, 0.5f, 0.5f},
     {0.4f, 0.4f, 0.4f},
     {0.6f, 0.6f, 0.6f},
     {0.3f, 0.3f, 0.3f},
     {0.4f, 0.4f, 0.4f},
     {0.8f, 0.8f, 0.8f},
     {0.4f, 0.4f, 0.4f},
     {0.99f, 0.99f, 0.99f},
     {0.5f, 0.5f, 0.6f}},
    {4,
     {0.7f, 0.5f, 0.0f},
     {0.6f, 0.4f, 0.1f},
     {0.1f, 0.3f, 0.4f},
     {0.4f, 0.2f, 0.1f},
     {0.4f, 0.4f, 0.4f},
     {0.8f, 0.8f, 0.8f},
     {0.4f, 0.4f, 0.4f},
     {0.99f, 0.99f, 0.99f},
     {0.3f, 0.5f, 0.7f}},
    {9,
     {0.1f, 0.5f, 0.1f},
     {0.4f, 0.3f, 0.1f},
     {0.2f, 0.2f, 0.2f},
     {0.8f, 0.8f, 0.8f},
     {0.4f, 0.4f, 0.4f},
     {0.8f, 0.8f, 0.8f},
     {0.4f, 0.4f, 0.4f},
     {0.99f, 0.99f, 0.99f},
     {0.6f, 0.6f, 0.8f}},
};

static void CopyColour(float (&to)[3], const float (&from)[3]) {
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}

bool GameTable::StoreColourScheme(int n) {
    const ColourScheme* scheme = nullptr;
    for (const ColourScheme& row : schemes) {
        if (row.number == n)
            scheme = &row;
    }
    if (scheme == nullptr)
        return false;

    // 1-4. Store the colours where they are used.
    CopyColour(boardView.surfaceColour, scheme->surface);
    CopyColour(boardView.frameColour, scheme->frame);
    CopyColour(boardView.oddPointColour, scheme->oddPoints);
    CopyColour(boardView.evenPointColour, scheme->evenPoints);
    for (Die& die : dice) {
        die.colour[0] = die.colour[1] = die.colour[2] = 0.7f;
    }
    hand.SetColours(scheme->hand1[0], scheme->hand1[1], scheme->hand1[2], scheme->hand2[0],
                    scheme->hand2[1], scheme->hand2[2]);
    Checker::SetColours(scheme->sideA[0], scheme->sideA[1], scheme->sideA[2], scheme->sideB[0],
                        scheme->sideB[1], scheme->sideB[2], scheme->highlight[0],
                        scheme->highlight[1], scheme->highlight[2]);

    // 5. A scheme also undoes a side swap made with the 0 key (the ghost keeps its flag: it is
    // always drawn in the highlight colour anyway).
    for (Checker& checker : checkers)
        checker.ResetColourFlag();
    hand.SetColourSelectorForSide(rules.CurrentSide());
    return true;
}

void GameTable::SwapSideColours() {
    hand.ToggleColourSelector();
    for (Checker& checker : checkers)
        checker.ToggleColourFlag();
    ghostChecker.ToggleColourFlag();
}
