#include "rules/Position.h"

#include "ai/PlayEnumerator.h"

const char* RuleName(PositionRule rule) {
    switch (rule) {
        case PositionRule::None:
            return "";
        case PositionRule::PointNumber:
            return "a point's number is not its place on the table";
        case PositionRule::StackOverflow:
            return "a point counts more checkers than exist";
        case PositionRule::StackSlots:
            return "a point's stack does not hold exactly its count of checkers";
        case PositionRule::CheckerNumber:
            return "a number that is no checker's lies on the table";
        case PositionRule::MixedPoint:
            return "a point holds checkers of both sides";
        case PositionRule::OtherSidesPlace:
            return "a checker lies on the other side's bar or tray";
        case PositionRule::CheckerTwice:
            return "a checker lies in two places";
        case PositionRule::CheckerMissing:
            return "a checker lies nowhere";
        case PositionRule::SideToMove:
            return "neither side is to move";
        case PositionRule::DieValue:
            return "a die shows no value from 1 to 6";
    }
    return "an unknown rule";
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
        // player 1's. A checker already on the table stays where it is and the position then
        // reports it twice.
        (void)points[StartingPoint(static_cast<unsigned>(i))].Push(i);
    }
}

MoveTarget Position::Target(Side mover, int from, int die) const {
    MoveTarget answer;
    if (from < 0 || from > HumanBar || die < 1 || die > 6) {
        return answer;
    }
    // The human moves toward point 1, the computer toward 24; past them lies the mover's tray.
    const int t = mover == Side::Human ? from - die : from + die;
    if (t < 1 || t > 24) {
        answer.allowed = true;
        answer.to = TrayOf(mover);
        return answer;
    }
    const Point& point = points[t];
    if (point.Owner() == Opponent(mover) && point.count >= 2) {
        return answer;
    }
    answer.allowed = true;
    answer.to = t;
    answer.hits = point.Owner() == Opponent(mover) && point.count == 1;
    return answer;
}

bool Position::Apply(const Move& move) {
    if (move.from > 24 || lifted != NoChecker) {
        return false;
    }
    const int from = TablePoint(toMove, move.from);
    const MoveTarget target = Target(toMove, from, static_cast<int>(move.die));
    if (points[from].Owner() != toMove || !target.allowed) {
        return false;
    }
    Lift(from);
    if (target.hits) {
        TakeBlot(target.to);
        return Place(BarOf(Opponent(toMove)));
    }
    return Place(target.to);
}

// Collects the walk's plays of the largest move count: a play that uses more dice puts every
// shorter one out, as it does in the computer's search.
class PlayCollector : public PlayVisitor {
public:
    void Visit(const PointEntry[26], const MoveList& moves) override {
        if (!lists.empty() && moves.count > lists.back().count) {
            lists.clear();
        }
        lists.push_back(moves);
    }

    std::vector<MoveList> lists;
};

std::vector<Play> Position::LegalPlays(bool largerDieRule) const {
    BoardState start;
    MoverFrame(toMove, start.points);
    PlayEnumerator enumerator;
    enumerator.largerDieRule = largerDieRule;
    PlayCollector collector;
    const unsigned roll[2] = {static_cast<unsigned>(dice[0]), static_cast<unsigned>(dice[1])};
    enumerator.Walk(start.points, roll, collector);

    std::vector<Play> plays(collector.lists.size());
    for (std::size_t k = 0; k < plays.size(); k++) {
        ReadPlay(start.points, collector.lists[k], plays[k]);
    }
    return plays;
}

bool Position::Lift(int point) {
    if (lifted != NoChecker || point < 0 || point >= PointCount || points[point].count == 0) {
        return false;
    }
    lifted = points[point].Pop();
    return true;
}

bool Position::TakeBlot(int point) {
    if (lifted == NoChecker || point < 0 || point >= PointCount || points[point].count != 1) {
        return false;
    }
    const int mover = lifted;
    lifted = points[point].Pop();
    return points[point].Push(mover);
}

bool Position::Place(int point) {
    if (point < 0 || point >= PointCount || !points[point].Push(lifted)) {
        return false;
    }
    lifted = NoChecker;
    return true;
}

PositionRule Position::Broken() const {
    int placed[CheckerCount] = {};
    for (int p = 0; p < PointCount; p++) {
        const Point& point = points[p];
        if (point.number != static_cast<unsigned>(p)) {
            return PositionRule::PointNumber;
        }
        if (point.count > CheckerCount) {
            return PositionRule::StackOverflow;
        }
        const Side owner = point.Owner();
        for (unsigned i = 0; i < CheckerCount; i++) {
            const int checker = point.stack[i];
            // The stack holds exactly count checkers, all of the point's owner.
            if ((checker != NoChecker) != (i < point.count)) {
                return PositionRule::StackSlots;
            }
            if (checker == NoChecker) {
                continue;
            }
            if (checker < 0 || checker >= CheckerCount) {
                return PositionRule::CheckerNumber;
            }
            if (SideOfChecker(checker) != owner) {
                return PositionRule::MixedPoint;
            }
            placed[checker]++;
        }
        const bool humansOnly = p == HumanBar || p == HumanTray;
        const bool computersOnly = p == ComputerBar || p == ComputerTray;
        if ((humansOnly && owner == Side::Computer) || (computersOnly && owner == Side::Human)) {
            return PositionRule::OtherSidesPlace;
        }
    }
    if (lifted != NoChecker) {
        if (lifted < 0 || lifted >= CheckerCount) {
            return PositionRule::CheckerNumber;
        }
        placed[lifted]++;
    }
    for (int count : placed) {
        if (count > 1) {
            return PositionRule::CheckerTwice;
        }
        if (count == 0) {
            return PositionRule::CheckerMissing;
        }
    }
    if (toMove != Side::Human && toMove != Side::Computer) {
        return PositionRule::SideToMove;
    }
    for (int die : dice) {
        if (die < 1 || die > 6) {
            return PositionRule::DieValue;
        }
    }
    return PositionRule::None;
}

Side Position::Winner() const {
    if (points[HumanTray].count >= 15) {
        return Side::Human;
    }
    if (points[ComputerTray].count >= 15) {
        return Side::Computer;
    }
    return Side::None;
}

void Position::MoverFrame(Side mover, PointEntry out[26]) const {
    // The computer's own view first: it is player 1 and the table's numbering is its frame.
    BoardState board;
    for (int p = 0; p < 26; p++) {
        const unsigned count = points[p].count;
        board.points[p].count = count;
        board.points[p].owner = count == 0 ? 0 : points[p].Owner() == Side::Computer ? 1 : 2;
    }
    // The human's is that view turned round: the human's point p is 25 - p there.
    if (mover == Side::Human) {
        board.Mirror();
    }
    for (int p = 0; p < 26; p++) {
        out[p] = board.points[p];
    }
}

int Position::TablePoint(Side mover, unsigned framePoint) {
    if (framePoint >= 25) {
        return TrayOf(mover);
    }
    const int p = static_cast<int>(framePoint);
    return mover == Side::Human ? HumanBar - p : p;
}

unsigned Position::FramePoint(Side mover, int tablePoint) {
    return static_cast<unsigned>(mover == Side::Human ? HumanBar - tablePoint : tablePoint);
}
