#include "tools/PlayCommand.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <vector>

#include "ai/Move.h"

static const unsigned lineItems = 28;

bool ParsePlayLine(const std::string& line, BoardState& board, unsigned dice[2],
                   std::string& error) {
    // 1. Whitespace-separated integers, 28 of them.
    std::istringstream words(line);
    std::vector<long> values;
    std::string word;
    while (words >> word) {
        errno = 0;
        char* end = nullptr;
        const long value = std::strtol(word.c_str(), &end, 10);
        if (end == word.c_str() || *end != '\0' || errno == ERANGE || value < -1000 ||
            value > 1000) {
            error = "item " + std::to_string(values.size() + 1) + " is not a number: " + word;
            if (end != word.c_str() && *end == '\0') {
                error = "item " + std::to_string(values.size() + 1) + " is out of range: " + word;
            }
            return false;
        }
        values.push_back(value);
    }
    if (values.size() != lineItems) {
        error =
            "expected 28 integers (b0 .. b25 and two dice), got " + std::to_string(values.size());
        return false;
    }
    // 2. The dice and the two bars.
    for (unsigned d = 0; d < 2; ++d) {
        if (values[26 + d] < 1 || values[26 + d] > 6) {
            error = "die " + std::to_string(values[26 + d]) + " is outside 1..6";
            return false;
        }
    }
    if (values[0] < 0) {
        error = "b0 (the mover's bar) is negative";
        return false;
    }
    if (values[25] > 0) {
        error = "b25 (the opponent's bar) is positive";
        return false;
    }
    // 3. At most 15 checkers a side.
    long mover = 0;
    long opponent = 0;
    for (unsigned p = 0; p < 26; ++p) {
        if (values[p] > 0) {
            mover += values[p];
        } else {
            opponent -= values[p];
        }
    }
    if (mover > 15) {
        error = "the mover has " + std::to_string(mover) + " checkers, more than 15";
        return false;
    }
    if (opponent > 15) {
        error = "the opponent has " + std::to_string(opponent) + " checkers, more than 15";
        return false;
    }
    for (unsigned p = 0; p < 26; ++p) {
        const long v = values[p];
        board.points[p].owner = v > 0 ? 1 : (v < 0 ? 2 : 0);
        board.points[p].count = static_cast<unsigned>(v < 0 ? -v : v);
    }
    board.Save();
    dice[0] = static_cast<unsigned>(values[26]);
    dice[1] = static_cast<unsigned>(values[27]);
    return true;
}

std::string AnswerPlayLine(ComputerPlayer& player, const std::string& line) {
    BoardState board;
    unsigned dice[2];
    std::string error;
    if (!ParsePlayLine(line, board, dice, error)) {
        return "error: " + error;
    }
    Play play;
    player.ChooseMove(board, 1, dice, play);
    if (!MakePlay(board, play)) {
        return "error: the computer's play does not fit the position";
    }
    std::string played;
    for (unsigned m = 0; m < play.count; ++m) {
        played += (m == 0 ? "" : " ") + std::to_string(play.moves[m].from) + "/" +
                  std::to_string(play.moves[m].to);
    }
    std::string answer;
    for (unsigned p = 0; p < 26; ++p) {
        const long count = static_cast<long>(board.points[p].count);
        answer += (p == 0 ? "" : " ") + std::to_string(board.points[p].owner == 2 ? -count : count);
    }
    return answer + " ; " + played;
}

int RunPlay(ComputerPlayer& player, std::istream& in, std::ostream& out) {
    std::string line;
    while (std::getline(in, line)) {
        out << AnswerPlayLine(player, line) << '\n' << std::flush;
    }
    return 0;
}

int PlayCommand(int argc, char** argv) {
    ComputerPlayer player;
    for (int a = 0; a < argc; ++a) {
        if (std::strcmp(argv[a], "--weights") == 0 && a + 1 < argc) {
            player.weightDirectory = argv[++a];
        } else {
            std::cerr << "usage: kestrane-ai play [--weights DIR]\n";
            return 2;
        }
    }
    return RunPlay(player, std::cin, std::cout);
}
