#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "platform/Platform.h"

// A run's input, kept to reproduce a bug: every event the game took, with the number of idle
// passes (frames) before it, every reading of the clock (the seeds of the dice and of the
// computer player), and every pass that took other than one step of game time (a slow display,
// a stall). Replaying feeds the same events at the same passes, the same clock readings and the
// same steps, so the same frames see the same input and the same dice.
//
// The file is plain text, one entry a line:
//   kestrane-journal 5
//   rules full|loose
//   clock <pass> <seconds>
//   steps <pass> <count>
//   event <pass> pointer <x> <y> | click left|right <x> <y> | key-down <key> | key-up <key> |
//                char <code> | resize <width> <height> | minimise | restore | close
// where a key is its letter or digit, or Escape, Left, Right, Up, Down, F1, KeypadPlus,
// KeypadMinus, LeftSuper or Menu. The rules line says which rules the run was played by; a replay
// plays by them whatever the command line asks. Journals of versions 1 to 3 have no rules line:
// they were all played by the looser rules, and replay so. Those of versions 1 and 2 still replay
// their "message <pass> <number> <wParam> <lParam>" lines, in the numbering of the game's first
// window system (OldJournalCodes.h), as the events they stood for. Up to version 4 the game
// applied a pass's keys after its steps of game time, not before: those journals replay so, or
// a key held while the hand moves would land on another step and the run would go elsewhere.
// A file that cannot be read, or a line that does not parse, is reported on stderr with its
// line number and nothing is replayed; the game then runs on live input.
class InputJournal {
public:
    ~InputJournal();

    // `looseRules`: the rules the recorded run is played by.
    bool StartRecording(const char* path, bool looseRules);
    bool StartReplay(const char* path);
    // Stops either, closing the recording; the clock goes back to the real one.
    void Stop();

    bool Recording() const { return file != nullptr; }
    // The rules of the replayed run: the looser ones for journals of versions 1 to 3.
    bool LooseRules() const { return looseRules; }
    // True while replaying a journal of version 4 or older: the keys of a pass act after its
    // steps of game time.
    bool KeysAfterSteps() const { return replaying && keysAfterSteps; }
    // True while replayed events remain.
    bool Replaying() const { return replaying && nextEvent < events.size(); }

    // The pass the game is in; recorded with each entry.
    void SetPass(long pass) { currentPass = pass; }
    void Record(const Event& event);
    // The next replayed event, if it is due at the current pass.
    bool Next(Event& event);
    // The steps of game time this pass takes: the replayed count while replaying, otherwise
    // `live`, recorded when it is not one.
    int Steps(int live);
    // The clock as the journal sees it: replayed readings first, then the real clock.
    std::time_t Clock();

    // Parses one journal's text; false with `error` set (and the line number) on a bad line.
    bool Parse(const std::string& text, std::string& error);

private:
    void OwnClock();
    struct Entry {
        long pass = 0;
        Event event;
    };
    std::FILE* file = nullptr;
    bool replaying = false;
    bool looseRules = false;
    bool keysAfterSteps = false;
    long currentPass = 0;
    std::vector<Entry> events;
    std::vector<std::time_t> clocks;
    struct StepEntry {
        long pass;
        int count;
    };
    std::vector<StepEntry> steps;
    std::size_t nextSteps = 0;
    std::size_t nextEvent = 0;
    std::size_t nextClock = 0;
};
