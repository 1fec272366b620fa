# The teacher for `kestrane-ai teach`, run inside GNU Backgammon (gnubg -t -q -r -p teacher.py).
# It is used to label training data only; the game never needs it.
#
# Input (KESTRANE_TEACHER_IN), one position a line: the two dice, then 25 counts for the side
# not on roll and 25 for the side on roll, each from its own side (index 0 is its 1-point, index
# 24 its bar). Output (KESTRANE_TEACHER_OUT): for every input line, the number of plays the
# teacher lists for the roll, then for each the position after it (the 50 counts in the same
# layout, one hex digit each) and the mover's winning chance after it; or "none". Plays are
# valued at KESTRANE_TEACHER_PLIES plies. The winning chance is the one gnubg gives whatever the
# score: the game scores wins only, with no gammons and no cube.
import os

import gnubg


def Play(board, move):
    other = list(board[0])
    mover = list(board[1])
    for start, end in move:
        if start <= 0:
            break
        mover[start - 1] -= 1
        if end > 0:
            mover[end - 1] += 1
            # The same point seen from the other side; a lone checker there goes to its bar.
            if other[24 - end] == 1:
                other[24 - end] = 0
                other[24] += 1
    return other + mover


def Key(counts):
    return "".join("%x" % c for c in counts)


def Main():
    source = os.environ["KESTRANE_TEACHER_IN"]
    target = os.environ["KESTRANE_TEACHER_OUT"]
    plies = int(os.environ.get("KESTRANE_TEACHER_PLIES", "0"))
    for command in ("set threads 1", "set player 0 human", "set player 1 human",
                    "set display off", "new game",
                    "set evaluation chequerplay evaluation plies %d" % plies):
        gnubg.command(command)
    dice = None
    with open(source) as lines, open(target + ".part", "w") as out:
        for line in lines:
            numbers = [int(x) for x in line.split()]
            if len(numbers) != 52:
                out.write("none\n")
                continue
            board = (tuple(numbers[2:27]), tuple(numbers[27:52]))
            try:
                gnubg.command("set board " + gnubg.positionid(board))
                if dice != numbers[:2]:
                    dice = numbers[:2]
                    gnubg.command("set dice %d %d" % (dice[0], dice[1]))
                plays = gnubg.hint(10000)["hint"]
                answer = [str(len(plays))]
                for play in plays:
                    after = Play(board, gnubg.parsemove(play["move"]))
                    answer.append("%s %.6f" % (Key(after), play["details"]["probs"][0]))
                out.write(" ".join(answer) + "\n")
            except Exception:
                out.write("none\n")
    os.rename(target + ".part", target)


Main()
