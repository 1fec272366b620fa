#pragma once

enum PointNumber {
    ComputerBar = 0,    // the computer's hit checkers; they re-enter on point 0 + die
    HumanBar = 25,      // the human's hit checkers; they re-enter on point 25 - die
    HumanTray = 26,     // the human's borne-off checkers
    ComputerTray = 27,  // the computer's borne-off checkers
    NoPoint = -1,
};

enum Side { HumanSide = 1, ComputerSide = 2, NoSide = 3 };

// The thirty checkers are numbered 0..29 for the whole game: 0..14 are the computer's, 15..29
// the human's, so a checker's number says its side.
constexpr int CheckerCount = 30;
constexpr int NoChecker = -1;
constexpr int PointCount = 28;

inline int SideOfChecker(int checker) {
    return checker < 15 ? ComputerSide : HumanSide;
}

// One of the 28 places a checker can lie: a stack of checker numbers, the last one added on top.
// Slots at and above `count` hold NoChecker.
class Point {
public:
    Point();

    // A full stack drops the push: thirty checkers exist in all, so that is a caller's bug, and
    // the invariant check then reports the lost checker.
    void Push(int checker);
    int Pop();  // NoChecker when empty
    int Top() const;
    int Owner() const;  // side of the top checker, NoSide when empty

    unsigned count = 0;
    unsigned number = 0;
    int stack[CheckerCount];  // stack[count - 1] is the top
};

// Where every checker is: on one of the points, or lifted off the board while it is being moved
// (at most one at a time). Test set-ups and the turn flow edit it; IsValid says whether it is a
// position the game can be in.
class Position {
public:
    Position();

    // Every checker off the board; nothing lifted.
    void Clear();
    // Checkers 0..29 on the points a game starts from.
    void SetUpStartingPosition();
    // The board invariants: each checker on exactly one point or lifted, a point holds one side
    // only, counts match stacks.
    bool IsValid() const;

    Point points[PointCount];
    int lifted = NoChecker;
};
