#pragma once

#include "rules/Side.h"

enum PointNumber {
    ComputerBar = 0,    // the computer's hit checkers; they re-enter on point 0 + die
    HumanBar = 25,      // the human's hit checkers; they re-enter on point 25 - die
    HumanTray = 26,     // the human's borne-off checkers
    ComputerTray = 27,  // the computer's borne-off checkers
    NoPoint = -1,
};

constexpr int CheckerCount = 30;
constexpr int NoChecker = -1;
constexpr int PointCount = 28;

// One of the 28 places a checker can lie: a stack of checker numbers, the last one added on top.
// Slots at and above `count` hold NoChecker.
class Point {
public:
    Point();

    // False, changing nothing, for a number that is no checker or a full stack: thirty checkers
    // exist in all, so either is a caller's bug, which the caller reports.
    [[nodiscard]] bool Push(int checker);
    int Pop();  // NoChecker when empty
    int Top() const;
    Side Owner() const;  // side of the top checker, Side::None when empty

    unsigned count = 0;
    unsigned number = 0;
    int stack[CheckerCount];  // stack[count - 1] is the top
};
