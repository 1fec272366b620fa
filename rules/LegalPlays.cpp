#include "rules/LegalPlays.h"

LegalPlays::Key LegalPlays::KeyOf(const PointEntry points[26], unsigned used) {
    Key key = {};
    for (unsigned p = 0; p < 26; ++p) {
        const std::uint64_t byte = (points[p].owner << 5 | (points[p].count & 31u)) & 0xFFu;
        key[p >> 3] |= byte << (8 * (p & 7));
    }
    key[3] |= static_cast<std::uint64_t>(used & 0xFFu) << 16;
    return key;
}

// Keeps the ends of the generator's plays of the largest move count, as the computer's search
// does: a play that uses more dice puts every shorter one out.
class PlayEndCollector : public PlayVisitor {
public:
    using KeyFunction = LegalPlays::Key (*)(const PointEntry[26], unsigned);
    PlayEndCollector(KeyFunction k, LegalPlays::KeySet& e) : key(k), ends(e) {}

    void Visit(const PointEntry points[26], const MoveList& moves) override {
        if (moves.count > length) {
            length = moves.count;
            ends.clear();
        }
        ends.insert(key(points, 0));
    }

    KeyFunction key;
    LegalPlays::KeySet& ends;
    unsigned length = 0;
};

unsigned LegalPlays::DieBit(unsigned used, unsigned die) const {
    if (doubles) {
        // The moves of doubles mark bits 0, 1, 2, 3 in turn.
        unsigned made = 0;
        while (made < 4 && (used & (1u << made)) != 0) {
            ++made;
        }
        return die == dice[0] && made < 4 ? 1u << made : 0;
    }
    for (unsigned d = 0; d < 2; ++d) {
        if (dice[d] == die && (used & (1u << d)) == 0) {
            return 1u << d;
        }
    }
    return 0;
}

bool LegalPlays::IsPlayEnd(const PointEntry final[26]) const {
    return playEnds.count(KeyOf(final, 0)) != 0;
}

void LegalPlays::Begin(const PointEntry start[26], unsigned a, unsigned b) {
    const Key key = KeyOf(start, 0);
    if (key == startKey && a == dice[0] && b == dice[1]) {
        return;
    }
    startKey = key;
    dice[0] = a;
    dice[1] = b;
    doubles = a == b;
    onTheWay.clear();

    // 1. Where the legal plays end, as the computer's generator finds them.
    PlayEndCollector collector(KeyOf, playEnds);
    playEnds.clear();
    enumerator.largerDieRule = true;
    enumerator.Walk(start, dice, collector);
    playLength = collector.length;
    if (playLength == 0) {
        return;
    }

    // 2. Every board the single legal moves reach on the way, level by level: level k holds the
    //    boards after k moves with the dice they used.
    struct Step {
        BoardState board;
        unsigned used = 0;
    };
    std::vector<std::vector<Step>> levels(playLength + 1);
    levels[0].push_back(Step{});
    for (unsigned p = 0; p < 26; ++p) {
        levels[0][0].board.points[p] = start[p];
    }
    // Gives `visit` each board one more legal move leads to, with the dice used.
    const auto forEachChild = [this](const Step& step, auto&& visit) {
        for (unsigned d = 0; d < (doubles ? 1u : 2u); ++d) {
            const unsigned mark = DieBit(step.used, dice[d]);
            if (mark == 0) {
                continue;
            }
            for (unsigned from = 0; from <= 24; ++from) {
                if (!step.board.MayMove(from, dice[d])) {
                    continue;
                }
                Step child;
                child.board.CopyFrom(step.board);
                child.board.MoveChecker(from, dice[d]);
                child.used = step.used | mark;
                visit(child);
            }
        }
    };
    for (unsigned k = 0; k < playLength; ++k) {
        KeySet seen;
        for (const Step& step : levels[k]) {
            forEachChild(step, [&](const Step& child) {
                if (seen.insert(KeyOf(child.board.points, child.used)).second) {
                    levels[k + 1].push_back(child);
                }
            });
        }
    }

    // 3. Back from the plays' ends: a board is on the way when one of its children is.
    for (const Step& step : levels[playLength]) {
        if (IsPlayEnd(step.board.points)) {
            onTheWay.insert(KeyOf(step.board.points, step.used));
        }
    }
    for (unsigned k = playLength; k-- > 0;) {
        for (const Step& step : levels[k]) {
            bool leads = false;
            forEachChild(step, [&](const Step& child) {
                leads = leads || onTheWay.count(KeyOf(child.board.points, child.used)) != 0;
            });
            if (leads) {
                onTheWay.insert(KeyOf(step.board.points, step.used));
            }
        }
    }
}

bool LegalPlays::Allows(const BoardState& now, unsigned used, unsigned from, unsigned die) const {
    const unsigned mark = playLength == 0 ? 0 : DieBit(used, die);
    if (mark == 0 || !now.MayMove(from, die)) {
        return false;
    }
    BoardState board;
    board.CopyFrom(now);
    board.MoveChecker(from, die);
    return onTheWay.count(KeyOf(board.points, used | mark)) != 0;
}
