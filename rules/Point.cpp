#include "rules/Point.h"

#include "render/Checker.h"

void Point::Push(Checker* checker) {
    // Thirty checkers exist in all, so a full stack means a caller bug; dropping the push keeps
    // the stack inside its storage and the invariant check reports the lost checker.
    if (checker == nullptr || count >= sizeof(stack) / sizeof(stack[0])) {
        return;
    }
    stack[count] = checker;
    count++;
}

Checker* Point::Pop() {
    if (count == 0) {
        return nullptr;
    }
    count--;
    Checker* top = stack[count];
    stack[count] = nullptr;
    return top;
}

Checker* Point::Top() const {
    return count == 0 ? nullptr : stack[count - 1];
}

int Point::Owner() const {
    const Checker* top = Top();
    return top == nullptr ? NoSide : top->side;
}

void Point::SetSelected(bool flag) {
    for (unsigned i = 0; i < count; i++) {
        stack[i]->selected = flag;
    }
}

Pose Point::SlotPosition() const {
    return ::SlotPosition(static_cast<int>(number), count);
}
