// An input journal given to the game to replay: the game parses it and plays a short run of it
// through the scripted window system; a journal it cannot read leaves the game on live input.
#include <cstdlib>
#include <string>

#include "app/App.h"
#include "fuzz/FuzzSupport.h"
#include "platform/FakePlatform.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = WriteInput("journal.txt", data, size);
    setenv("KESTRANE_REPLAY", path.c_str(), 1);
    ResetFakePlatform();
    // A few seconds of game time at the most, then the scripted window system closes the game.
    Fake().swapLimit = 120;
    App app;
    app.Run();
    if (Fake().windowOpen || app.window.IsOpen()) {
        __builtin_trap();
    }
    return 0;
}
