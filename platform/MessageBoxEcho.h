#pragma once

#include "platform/Platform.h"

// Every backend's message box writes its text to stderr first, so that a player who started the
// game from a terminal, and a test, can read it. Where KESTRANE_MESSAGE_BOX_ANSWER is set (a test
// on a display nobody watches) no box comes up: the box is answered "yes" when it is set to yes
// and "no" otherwise for a question, OK for anything else, and the answer is written too.
// True, with `answer` set, when the box has been answered so.
bool EchoMessageBox(const char* text, const char* caption, platform::MessageBoxStyle style,
                    platform::MessageBoxAnswer& answer);
