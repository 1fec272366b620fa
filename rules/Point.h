#pragma once

#include "render/Pose.h"

class Checker;

enum PointNumber {
    ComputerBar = 0,    // the computer's hit checkers; they re-enter on point 0 + die
    HumanBar = 25,      // the human's hit checkers; they re-enter on point 25 - die
    HumanTray = 26,     // the human's borne-off checkers
    ComputerTray = 27,  // the computer's borne-off checkers
    NoPoint = -1,
};

enum Side { HumanSide = 1, ComputerSide = 2, NoSide = 3 };

// One of the 28 places a checker can lie: a stack of checkers, the last one added on top. The
// point refers to its checkers; the table owns them.
class Point {
public:
    virtual ~Point() = default;

    void Push(Checker* checker);
    Checker* Pop();
    Checker* Top() const;
    int Owner() const;  // side of the top checker, NoSide when empty
    void SetSelected(bool flag);
    Pose SlotPosition() const;  // where the next checker added here stands

    unsigned count = 0;
    unsigned number = 0;
    Checker* stack[30] = {};  // stack[count - 1] is the top
};
