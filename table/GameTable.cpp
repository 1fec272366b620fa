#include "table/GameTable.h"

GameTable::GameTable() {
    // 1./2. Members and scalar fields start as declared.

    // 3. The dice rest on the right half of the board; each shows a value from the start.
    Pose diePose;
    diePose.x = 0.4f;
    diePose.y = 0.031f;
    diePose.z = 0.05f;
    dice[0].PlaceAndRoll(diePose);
    diePose.x = 0.6f;
    diePose.z = -0.05f;
    dice[1].PlaceAndRoll(diePose);

    // 4. Sides and indices; the ghost is a human checker that never lies on a point.
    for (int i = 0; i < 30; i++) {
        checkers[i].SetSideAndIndex(i < 15 ? ComputerSide : HumanSide, i);
    }
    ghostChecker.SetSideAndIndex(HumanSide, 100);

    // 5. Point numbers.
    for (int p = 0; p < 28; p++) {
        points[p].number = static_cast<unsigned>(p);
    }

    // 6. No rendering context exists yet: these only store colours; scene set-up builds the lists.
    ApplyColourScheme(9);
    NextBackground();

    // 7. The starting position.
    SetUpStartingPosition();
}

void GameTable::SetUpStartingPosition() {
    for (int i = 0; i < 30; i++) {
        // The computer is player 1 of the starting position, and the table numbers its points
        // as player 1's.
        Point& point = points[StartingPoint(static_cast<unsigned>(i))];
        checkers[i].current = point.SlotPosition();
        point.Push(&checkers[i]);
    }
}

bool GameTable::PointerToBoard(float& x, float& z) const {
    // 1. Half the client size, truncated.
    const int halfWidth = clientWidth / 2;
    const int halfHeight = clientHeight / 2;
    // A window shrunk to its caption has no board to point at.
    if (halfWidth == 0 || halfHeight == 0) {
        return false;
    }
    // 2. The left and top edges map to -1, the centre to 0.
    x = (mouseX - static_cast<float>(halfWidth)) / static_cast<float>(halfWidth);
    z = (mouseY - static_cast<float>(halfHeight)) / static_cast<float>(halfHeight);
    return true;
}

void GameTable::MouseToBoard() {
    float x = 0.0f;
    float z = 0.0f;
    if (PointerToBoard(x, z)) {
        hand.current.x = x;
        hand.current.z = z;
    }
}

bool GameTable::IsValid() const {
    int perSide[4] = {0, 0, 0, 0};
    int placed[30] = {};
    for (int p = 0; p < 28; p++) {
        const Point& point = points[p];
        if (point.number != static_cast<unsigned>(p) || point.count > 30) {
            return false;
        }
        const int owner = point.Owner();
        for (unsigned i = 0; i < 30; i++) {
            const Checker* checker = point.stack[i];
            // The stack holds exactly count checkers, all of the point's owner.
            if ((checker != nullptr) != (i < point.count)) {
                return false;
            }
            if (checker == nullptr) {
                continue;
            }
            if (checker < &checkers[0] || checker > &checkers[29] || checker->side != owner) {
                return false;
            }
            placed[checker - checkers]++;
        }
    }
    if (hand.attached == 1 && hand.carried != nullptr) {
        if (hand.carried < &checkers[0] || hand.carried > &checkers[29]) {
            return false;
        }
        placed[hand.carried - checkers]++;
    }
    for (int i = 0; i < 30; i++) {
        const int side = checkers[i].side;
        if (placed[i] != 1 || side < HumanSide || side > ComputerSide) {
            return false;
        }
        perSide[side]++;
    }
    return perSide[HumanSide] == 15 && perSide[ComputerSide] == 15;
}
