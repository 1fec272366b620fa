# The teacher for `kestrane-ai teach`, run inside GNU Backgammon (gnubg -t -q -r -p teacher.py).
# It is used to label training data only; the game never needs it.
#
# Input (KESTRANE_TEACHER_IN), one position a line: the two dice, then 25 counts for the side
# not on roll and 25 for the side on roll, each from its own side (index 0 is its 1-point, index
# 24 its bar). Output (KESTRANE_TEACHER_OUT): for every input line, the position after the
# teacher's play in the same layout, or "none". Plays are chosen at KESTRANE_TEACHER_PLIES plies
# at double match point, where gammons count for nothing: the game scores wins only.
import os

import gnubg


def Play(board, move):
    other = list(board[0])
    mover = list(board[1])
    for i in range(0, len(move) - 1, 2):
        start, end = move[i], move[i + 1]
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


def Main():
    source = os.environ["KESTRANE_TEACHER_IN"]
    target = os.environ["KESTRANE_TEACHER_OUT"]
    plies = int(os.environ.get("KESTRANE_TEACHER_PLIES", "0"))
    for command in ("set threads 1", "set player 0 human", "set player 1 human", "new game"):
        gnubg.command(command)
    cube = gnubg.cubeinfo(1, -1, 1, 1, (0, 0), 0, 0)
    context = gnubg.evalcontext(0, plies, 1, 1, 0.0)
    dice = None
    with open(source) as lines, open(target + ".part", "w") as out:
        for line in lines:
            numbers = [int(x) for x in line.split()]
            if len(numbers) != 52:
                out.write("none\n")
                continue
            if dice != numbers[:2]:
                dice = numbers[:2]
                gnubg.command("set dice %d %d" % (dice[0], dice[1]))
            board = (tuple(numbers[2:27]), tuple(numbers[27:52]))
            try:
                move = gnubg.findbestmove(board, cube, context)
            except Exception:
                move = None
            out.write(" ".join(map(str, Play(board, move))) + "\n" if move else "none\n")
    os.rename(target + ".part", target)


Main()
