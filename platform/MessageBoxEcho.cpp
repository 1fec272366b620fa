#include "platform/MessageBoxEcho.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

bool EchoMessageBox(const char* text, const char* caption, platform::MessageBoxStyle style,
                    platform::MessageBoxAnswer& answer) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    const char* given = std::getenv("KESTRANE_MESSAGE_BOX_ANSWER");
    if (!given || !*given) {
        return false;
    }
    answer = platform::OkAnswer;
    if (style == platform::YesNoExclamation) {
        answer = std::strcmp(given, "yes") == 0 ? platform::YesAnswer : platform::NoAnswer;
    }
    std::fprintf(stderr, "%s: answered %s\n", caption,
                 answer == platform::YesAnswer  ? "yes"
                 : answer == platform::NoAnswer ? "no"
                                                : "ok");
    return true;
}
