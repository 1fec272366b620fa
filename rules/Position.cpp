#include "rules/Position.h"

#include "ai/BoardState.h"

Point::Point() {
    for (int& slot : stack) {
        slot = NoChecker;
    }
}

void Point::Push(int checker) {
    if (checker < 0 || checker >= CheckerCount || count >= static_cast<unsigned>(CheckerCount)) {
        return;
    }
    stack[count] = checker;
    count++;
}

int Point::Pop() {
    if (count == 0) {
        return NoChecker;
    }
    count--;
    const int top = stack[count];
    stack[count] = NoChecker;
    return top;
}

int Point::Top() const {
    return count == 0 ? NoChecker : stack[count - 1];
}

int Point::Owner() const {
    const int top = Top();
    return top == NoChecker ? NoSide : SideOfChecker(top);
}

Position::Position() {
    for (int p = 0; p < PointCount; p++) {
        points[p].number = static_cast<unsigned>(p);
    }
}

void Position::Clear() {
    for (Point& point : points) {
        while (point.Pop() != NoChecker) {
        }
    }
    lifted = NoChecker;
}

void Position::SetUpStartingPosition() {
    for (int i = 0; i < CheckerCount; i++) {
        // The computer is player 1 of the starting position, and its points are numbered as
        // player 1's.
        points[StartingPoint(static_cast<unsigned>(i))].Push(i);
    }
}

bool Position::IsValid() const {
    int placed[CheckerCount] = {};
    for (int p = 0; p < PointCount; p++) {
        const Point& point = points[p];
        if (point.number != static_cast<unsigned>(p) || point.count > CheckerCount) {
            return false;
        }
        const int owner = point.Owner();
        for (unsigned i = 0; i < CheckerCount; i++) {
            const int checker = point.stack[i];
            // The stack holds exactly count checkers, all of the point's owner.
            if ((checker != NoChecker) != (i < point.count)) {
                return false;
            }
            if (checker == NoChecker) {
                continue;
            }
            if (checker < 0 || checker >= CheckerCount || SideOfChecker(checker) != owner) {
                return false;
            }
            placed[checker]++;
        }
    }
    if (lifted != NoChecker) {
        if (lifted < 0 || lifted >= CheckerCount) {
            return false;
        }
        placed[lifted]++;
    }
    for (int count : placed) {
        if (count != 1) {
            return false;
        }
    }
    return true;
}
