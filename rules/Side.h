#pragma once

// Who a checker, a point, a turn or a game belongs to, in the table's numbering: 1 the human, 2
// the computer, 3 nobody (an empty point, a checker not yet dealt, a game still going on). The
// computer player counts its players from the mover instead (player 1 is the side to move, owner
// codes 0, 1 and 2): Position::MoverFrame and Position::TablePoint are the one place where the
// one numbering becomes the other.
enum class Side { Human = 1, Computer = 2, None = 3 };

constexpr Side Opponent(Side side) {
    return side == Side::Human ? Side::Computer : side == Side::Computer ? Side::Human : Side::None;
}

// The thirty checkers are numbered 0..29 for the whole game: 0..14 are the computer's, 15..29
// the human's, so a checker's number says its side.
constexpr Side SideOfChecker(int checker) {
    return checker < 15 ? Side::Computer : Side::Human;
}
