// One line of `kestrane-ai play`, answered by the computer player with the shipped networks: the
// answer is an error line or a position with its moves, never anything else.
#include <string>

#include "fuzz/FuzzSupport.h"
#include "tools/PlayCommand.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static ComputerPlayer player;
    player.weightDirectory = KESTRANE_DATA_DIR;
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::string answer = AnswerPlayLine(player, line);
    if (answer.empty() || answer.find('\n') != std::string::npos) {
        __builtin_trap();
    }
    return 0;
}
