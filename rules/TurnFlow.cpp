#include "table/GameTable.h"

void GameTable::StepTurn() {
    // The table's own watchdogs run on every frame, moving or idle; a frame in which one of them
    // acts does nothing else.
    if (StepIdleRules()) {
        return;
    }
    // 1. Nothing is under way.
    if (!hand.moving) {
        return;
    }
    // 2. The hand move goes on.
    if (hand.Step()) {
        return;
    }
    // 3. It has just ended: act on its arrival.
    switch (hand.mode) {
        case ReachMode:
            hand.carried = points[fromPoint].Pop();
            hand.attached = 1;
            hand.arc = true;
            hand.StartMove(CarryMode, toPose);
            break;
        case CarryMode:
            PutDown(toPoint, toPose);
            AfterPutDown();
            break;
        case ReachHitMode:
            hand.carried = points[fromPoint].Pop();
            hand.attached = 1;
            hand.arc = true;
            hand.StartMove(CarryHitMode, toPose);
            break;
        case CarryHitMode: {
            // The mover takes the blot's slot; the blot stays in the hand, bound for the bar.
            Checker* blot = points[toPoint].Pop();
            points[toPoint].Push(hand.carried);
            if (hand.carried != nullptr) {
                hand.carried->current = toPose;
            }
            hand.arc = true;
            hand.carried = blot;
            hand.StartMove(CarryToBarMode, barPose);
            break;
        }
        case CarryToBarMode:
            PutDown(barPoint, barPose);
            AfterPutDown();
            break;
        case RestMode:
            TurnBookkeeping();
            break;
        default:
            break;
    }
}

void GameTable::PutDown(int point, const Pose& pose) {
    points[point].Push(hand.carried);
    if (hand.carried != nullptr) {
        hand.carried->current = pose;
    }
    hand.carried = nullptr;
    hand.attached = 0;
    hand.arc = false;
}

void GameTable::AfterPutDown() {
    // 1. The computer goes straight on with its next planned move, if any.
    if (currentSide == ComputerSide) {
        hand.mode = RestMode;
        computerMovesDone++;
        if (movesLeft > 0) {
            movesLeft--;
        }
        if (movesLeft > 0) {
            hand.arc = true;
            StartPlannedMove(computerMovesDone);
        }
    }
    // 2. Otherwise the hand goes back to the pointer.
    if (currentSide == HumanSide || movesLeft == 0) {
        hand.StartMove(RestMode, PointerPose());
    }
}

Pose GameTable::PointerPose() {
    // The mouse position on the board, as MouseToBoard maps it; where there is no client area the
    // hand comes back to where it is.
    float x = hand.current.x;
    float z = hand.current.z;
    PointerToBoard(x, z);
    pointerPose.x = x;
    pointerPose.y = 0.22f;
    pointerPose.z = z;
    return pointerPose;
}

void GameTable::TurnBookkeeping() {
    // A game that has just been won pauses on its final position instead of passing the turn.
    if (BeginGameOverIfWon()) {
        return;
    }
    if (currentSide == ComputerSide) {
        // The computer's turn ends when its last planned move is done.
        if (movesLeft != 0) {
            return;
        }
        hand.arc = false;
        inputEnabled = 1;
        MouseToBoard();
        SwitchSide();
        RollForTurn();
        HoverStep();
        return;
    }
    // 1. After the first of two moves the other die comes into play.
    if (movesLeft == 2) {
        SwitchDie();
    }
    // 2. A die that cannot be used ends the turn.
    if (!CanMove(dice[selectedDie].value)) {
        movesLeft = 0;
    }
    // 3. This move is done.
    if (movesLeft > 0) {
        movesLeft--;
    }
    // 4. The hand is the pointer again.
    inputEnabled = 1;
    MouseToBoard();
    // 5. The human goes on with the turn ...
    if (movesLeft > 0) {
        HoverStep();
        return;
    }
    // 6. ... or it is the computer's turn.
    PassTurnToComputer();
}

void GameTable::PassTurnToComputer() {
    SwitchSide();
    RollForTurn();
    PlanComputerTurn();
    computerMovesDone = 0;
    if (movesLeft > 0) {
        StartPlannedMove(0);
        hand.moving = true;
        inputEnabled = 0;
        return;
    }
    // The computer cannot move: the human rolls again at once.
    SwitchSide();
    RollForTurn();
    HoverStep();
}

void GameTable::SwitchSide() {
    currentSide = currentSide == HumanSide ? ComputerSide : HumanSide;
    hand.ToggleColourSelector();
}

void GameTable::SwitchDie() {
    // With one move left the die is already settled.
    if (movesLeft == 1) {
        return;
    }
    selectedDie = selectedDie == 0 ? 1 : 0;
    dice[0].active = selectedDie == 0;
    dice[1].active = selectedDie == 1;
}

void GameTable::FillSnapshot(BoardState& board) const {
    // In the snapshot the computer is player 1 and the human player 2; the trays are left out.
    for (int p = 0; p < 26; p++) {
        const unsigned count = points[p].count;
        board.points[p].count = count;
        if (count == 0) {
            board.points[p].owner = 0;
        } else {
            board.points[p].owner = points[p].Owner() == ComputerSide ? 1 : 2;
        }
    }
}

void GameTable::PlanComputerTurn() {
    // 1. The position as the computer sees it.
    FillSnapshot(snapshot);
    // 2. Its choice.
    const unsigned player = currentSide == ComputerSide ? 1 : 2;
    const unsigned roll[2] = {static_cast<unsigned>(dice[0].value),
                              static_cast<unsigned>(dice[1].value)};
    computerPlayer.ChooseMove(snapshot, player, roll, computerPlay);
    ReadComputerMoves(computerPlay);
}

void GameTable::ReadComputerMoves(const Play& play) {
    // 3. How many moves it makes, and the source and die of each.
    const unsigned n = play.count > 4 ? 4 : play.count;
    movesLeft = static_cast<int>(n);
    for (unsigned k = 0; k < n; k++) {
        plannedSources[k] = static_cast<int>(play.moves[k].from);
        plannedDice[k] = static_cast<int>(play.moves[k].die);
    }
}

void GameTable::StartPlannedMove(int k) {
    if (hand.mode != RestMode || currentSide != ComputerSide || k < 0 || k > 3) {
        return;
    }
    // 1. The source must hold the computer's checkers.
    const int s = plannedSources[k];
    if (s < 0 || s > ComputerTray || points[s].Owner() != ComputerSide) {
        return;
    }
    // 2. The table's own check of the move.
    const MoveTarget move = ComputerMoveTarget(s, plannedDice[k]);
    if (!move.allowed) {
        return;
    }
    // 3./4. The hand fetches the top checker of the source.
    fromPoint = s;
    toPoint = move.to;
    inputEnabled = 0;
    fromPose = points[s].Top()->current;
    // 5. A hit sends the human's blot to the human's bar.
    if (move.hits) {
        toPose = points[toPoint].Top()->current;
        barPoint = HumanBar;
        barPose = points[HumanBar].SlotPosition();
        hand.StartMove(ReachHitMode, fromPose);
        return;
    }
    // 6. A plain move or a bear-off.
    toPose = points[toPoint].SlotPosition();
    hand.StartMove(ReachMode, fromPose);
}
