#pragma once

// One of the table's colour schemes, chosen with a digit key: the board's surface, frame and
// points, the hand's two colours (one for each side's turn), the two sides' checkers and the
// highlight of the stack under the hand.
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

    // The scheme of digit `n`; nullptr for the digits without one (5 to 8, and 0 which swaps the
    // sides' colours instead).
    static const ColourScheme* Find(int n);
};
