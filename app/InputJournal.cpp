#include "app/InputJournal.h"

#include <cerrno>
#include <cinttypes>
#include <cstring>
#include <fstream>
#include <sstream>

#include "ai/Chance.h"

InputJournal inputJournal;

static std::time_t JournalClock() {
    return inputJournal.Clock();
}

InputJournal::~InputJournal() {
    Stop();
}

bool InputJournal::StartRecording(const char* path) {
    Stop();
    file = std::fopen(path, "w");
    if (!file) {
        std::fprintf(stderr, "kestrane: cannot record the journal to %s: %s\n", path,
                     std::strerror(errno));
        return false;
    }
    std::fprintf(file, "kestrane-journal 2\n");
    SetClockSource(JournalClock);
    ownsClock = true;
    return true;
}

bool InputJournal::StartReplay(const char* path) {
    Stop();
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "kestrane: cannot read the journal %s: %s\n", path,
                     std::strerror(errno));
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    if (!Parse(text.str(), error)) {
        std::fprintf(stderr, "kestrane: journal %s: %s; not replayed\n", path, error.c_str());
        messages.clear();
        clocks.clear();
        steps.clear();
        return false;
    }
    replaying = true;
    SetClockSource(JournalClock);
    ownsClock = true;
    return true;
}

void InputJournal::Stop() {
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
    if (ownsClock) {
        SetClockSource(nullptr);
        ownsClock = false;
    }
    replaying = false;
    messages.clear();
    clocks.clear();
    steps.clear();
    nextMessage = 0;
    nextClock = 0;
    nextSteps = 0;
    currentPass = 0;
}

void InputJournal::Record(const WindowMessage& message) {
    if (!file) {
        return;
    }
    std::fprintf(file, "message %ld %u %" PRIu32 " %" PRIu32 "\n", currentPass, message.message,
                 message.wParam, message.lParam);
    // Flushed at once: the journal matters most when the game crashes.
    std::fflush(file);
}

bool InputJournal::Next(WindowMessage& message) {
    if (!Replaying() || messages[nextMessage].pass > currentPass) {
        return false;
    }
    message = messages[nextMessage++].message;
    return true;
}

int InputJournal::Steps(int live) {
    if (replaying && nextSteps < steps.size()) {
        while (nextSteps < steps.size() && steps[nextSteps].pass < currentPass) {
            ++nextSteps;
        }
        if (nextSteps < steps.size() && steps[nextSteps].pass == currentPass) {
            return steps[nextSteps++].count;
        }
        return 1;
    }
    if (file && live != 1) {
        std::fprintf(file, "steps %ld %d\n", currentPass, live);
        std::fflush(file);
    }
    return live;
}

std::time_t InputJournal::Clock() {
    if (replaying && nextClock < clocks.size()) {
        return clocks[nextClock++];
    }
    std::time_t now = std::time(nullptr);
    if (file) {
        std::fprintf(file, "clock %ld %lld\n", currentPass, static_cast<long long>(now));
        std::fflush(file);
    }
    return now;
}

static bool ReadNumber(std::istringstream& in, long long low, long long high, long long& value) {
    if (!(in >> value)) {
        return false;
    }
    return value >= low && value <= high;
}

bool InputJournal::Parse(const std::string& text, std::string& error) {
    messages.clear();
    clocks.clear();
    steps.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    long lastPass = 0;
    while (std::getline(lines, line)) {
        ++number;
        std::istringstream in(line);
        std::string kind;
        if (!(in >> kind)) {
            continue;
        }
        if (number == 1) {
            long long version = 0;
            if (kind != "kestrane-journal" || !ReadNumber(in, 1, 2, version)) {
                error = "line 1: not a journal of this game (\"kestrane-journal 2\" expected)";
                return false;
            }
            continue;
        }
        long long pass = 0;
        bool ok = ReadNumber(in, lastPass, 1LL << 40, pass);
        if (ok && kind == "clock") {
            long long seconds = 0;
            ok = ReadNumber(in, 0, 1LL << 40, seconds);
            if (ok) {
                clocks.push_back(static_cast<std::time_t>(seconds));
            }
        } else if (ok && kind == "steps") {
            long long n = 0;
            ok = ReadNumber(in, 0, 60, n);
            if (ok) {
                steps.push_back({static_cast<long>(pass), static_cast<int>(n)});
            }
        } else if (ok && kind == "message") {
            long long m = 0;
            long long w = 0;
            long long l = 0;
            ok = ReadNumber(in, 0, 0xFFFF, m) && ReadNumber(in, 0, 0xFFFFFFFFLL, w) &&
                 ReadNumber(in, 0, 0xFFFFFFFFLL, l);
            if (ok) {
                Entry e;
                e.pass = static_cast<long>(pass);
                e.message.message = static_cast<unsigned>(m);
                e.message.wParam = static_cast<std::uint32_t>(w);
                e.message.lParam = static_cast<std::uint32_t>(l);
                messages.push_back(e);
            }
        } else {
            ok = false;
        }
        std::string rest;
        if (!ok || in >> rest) {
            error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
            return false;
        }
        lastPass = static_cast<long>(pass);
    }
    if (number == 0) {
        error = "empty file";
        return false;
    }
    return true;
}
