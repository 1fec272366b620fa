#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "platform/Platform.h"

// A run's input, kept to reproduce a bug: every message the game took, with the number of idle
// passes (frames) before it, every reading of the clock (the seeds of the dice and of the
// computer player), and every pass that took other than one step of game time (a slow display,
// a stall). Replaying feeds the same messages at the same passes, the same clock readings and the
// same steps, so the same frames see the same input and the same dice.
//
// The file is plain text, one entry a line (version 1, without steps lines, still replays):
//   kestrane-journal 2
//   clock <pass> <seconds>
//   steps <pass> <count>
//   message <pass> <message> <wParam> <lParam>
// A file that cannot be read, or a line that does not parse, is reported on stderr with its
// line number and nothing is replayed; the game then runs on live input.
class InputJournal {
public:
    ~InputJournal();

    bool StartRecording(const char* path);
    bool StartReplay(const char* path);
    // Stops either, closing the recording; the clock goes back to the real one.
    void Stop();

    bool Recording() const { return file != nullptr; }
    // True while replayed messages remain.
    bool Replaying() const { return replaying && nextMessage < messages.size(); }

    // The pass the game is in; recorded with each entry.
    void SetPass(long pass) { currentPass = pass; }
    void Record(const WindowMessage& message);
    // The next replayed message, if it is due at the current pass.
    bool Next(WindowMessage& message);
    // The steps of game time this pass takes: the replayed count while replaying, otherwise
    // `live`, recorded when it is not one.
    int Steps(int live);
    // The clock as the journal sees it: replayed readings first, then the real clock.
    std::time_t Clock();

    // Parses one journal's text; false with `error` set (and the line number) on a bad line.
    bool Parse(const std::string& text, std::string& error);

private:
    struct Entry {
        long pass = 0;
        WindowMessage message;
    };
    std::FILE* file = nullptr;
    bool replaying = false;
    bool ownsClock = false;
    long currentPass = 0;
    std::vector<Entry> messages;
    std::vector<std::time_t> clocks;
    struct StepEntry {
        long pass;
        int count;
    };
    std::vector<StepEntry> steps;
    std::size_t nextSteps = 0;
    std::size_t nextMessage = 0;
    std::size_t nextClock = 0;
};

// The one journal of the game, switched on by KESTRANE_RECORD=<file> or KESTRANE_REPLAY=<file>.
extern InputJournal inputJournal;
