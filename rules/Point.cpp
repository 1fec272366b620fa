#include "rules/Point.h"

Point::Point() {
    for (int& slot : stack) {
        slot = NoChecker;
    }
}

bool Point::Push(int checker) {
    if (checker < 0 || checker >= CheckerCount || count >= static_cast<unsigned>(CheckerCount)) {
        return false;
    }
    stack[count] = checker;
    count++;
    return true;
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

Side Point::Owner() const {
    const int top = Top();
    return top == NoChecker ? Side::None : SideOfChecker(top);
}
