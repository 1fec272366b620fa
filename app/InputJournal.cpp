#include "app/InputJournal.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "ai/Chance.h"
#include "app/OldJournalCodes.h"
#include "platform/Events.h"

// The journal that owns the game's clock while it records or replays.
static InputJournal* clockJournal = nullptr;

static std::time_t JournalClock() {
    return clockJournal->Clock();
}

// The names of the keys that are neither letters nor digits, spelled out beside each key so that
// the journals already written keep their meaning whatever Key's order becomes.
struct KeyName {
    Key key;
    const char* name;
};
static const KeyName keyNames[] = {
    {Key::None, "None"},
    {Key::Escape, "Escape"},
    {Key::Left, "Left"},
    {Key::Right, "Right"},
    {Key::Up, "Up"},
    {Key::Down, "Down"},
    {Key::F1, "F1"},
    {Key::KeypadPlus, "KeypadPlus"},
    {Key::KeypadMinus, "KeypadMinus"},
    {Key::LeftSuper, "LeftSuper"},
    {Key::Menu, "Menu"},
};

static std::string NameOf(Key key) {
    for (const KeyName& k : keyNames) {
        if (k.key == key) {
            return k.name;
        }
    }
    return std::string(1, static_cast<char>(key));
}

static bool ReadKey(const std::string& name, Key& key) {
    const char c = name.size() == 1 ? name[0] : '\0';
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
        key = Key{static_cast<unsigned char>(c)};
        return true;
    }
    for (const KeyName& k : keyNames) {
        if (name == k.name) {
            key = k.key;
            return true;
        }
    }
    return false;
}

InputJournal::~InputJournal() {
    Stop();
}

bool InputJournal::StartRecording(const char* path, bool loose) {
    Stop();
    file = std::fopen(path, "wb");
    if (!file) {
        std::fprintf(stderr, "kestrane: cannot record the journal to %s: %s\n", path,
                     std::strerror(errno));
        return false;
    }
    std::fprintf(file, "kestrane-journal 5\nrules %s\n", loose ? "loose" : "full");
    std::fflush(file);
    OwnClock();
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
        events.clear();
        clocks.clear();
        steps.clear();
        return false;
    }
    replaying = true;
    OwnClock();
    return true;
}

void InputJournal::Stop() {
    if (file) {
        std::fclose(file);
        file = nullptr;
    }
    if (clockJournal == this) {
        SetClockSource(nullptr);
        clockJournal = nullptr;
    }
    replaying = false;
    events.clear();
    clocks.clear();
    steps.clear();
    nextEvent = 0;
    nextClock = 0;
    nextSteps = 0;
    currentPass = 0;
}

void InputJournal::OwnClock() {
    clockJournal = this;
    SetClockSource(JournalClock);
}

// Each event type's word in a journal line, in EventType's order, and what the line gives next:
// the button, the position or size, the key, the character code.
struct EventWord {
    const char* word;
    bool button = false;
    bool position = false;
    bool key = false;
    bool character = false;
};
static const EventWord eventWords[] = {
    {"pointer", false, true},
    {"click", true, true},
    {"key-down", false, false, true},
    {"key-up", false, false, true},
    {"char", false, false, false, true},
    {"resize", false, true},
    {"minimise"},
    {"restore"},
    {"close"},
};

void InputJournal::Record(const Event& event) {
    if (!file) {
        return;
    }
    const EventWord& w = eventWords[static_cast<int>(event.type)];
    std::string line = "event " + std::to_string(currentPass) + " " + w.word;
    if (w.button) {
        line += event.button == Button::Right ? " right" : " left";
    }
    if (w.position) {
        line += " " + std::to_string(event.x) + " " + std::to_string(event.y);
    }
    if (w.key) {
        line += " " + NameOf(event.key);
    }
    if (w.character) {
        line += " " + std::to_string(event.character);
    }
    std::fprintf(file, "%s\n", line.c_str());
    // Flushed at once: the journal matters most when the game crashes.
    std::fflush(file);
}

bool InputJournal::Next(Event& event) {
    if (!Replaying() || events[nextEvent].pass > currentPass) {
        return false;
    }
    event = events[nextEvent++].event;
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

// The rest of an "event" line after its pass; false when it does not parse.
static bool ReadEvent(std::istringstream& in, Event& event) {
    std::string what;
    in >> what;
    int type = 0;
    while (type < static_cast<int>(std::size(eventWords)) && what != eventWords[type].word) {
        ++type;
    }
    if (type == static_cast<int>(std::size(eventWords))) {
        return false;
    }
    const EventWord& w = eventWords[type];
    event.type = static_cast<EventType>(type);
    std::string button;
    if (w.button && (!(in >> button) || (button != "left" && button != "right"))) {
        return false;
    }
    event.button = button == "right" ? Button::Right : Button::Left;
    // A size is never negative; a position may be, and lie far off the window.
    const long long highest = event.type == EventType::Resized ? 0xFFFF : 1LL << 20;
    const long long lowest = event.type == EventType::Resized ? 0 : -highest;
    long long x = 0;
    long long y = 0;
    if (w.position && !(ReadNumber(in, lowest, highest, x) && ReadNumber(in, lowest, highest, y))) {
        return false;
    }
    event.x = static_cast<int>(x);
    event.y = static_cast<int>(y);
    std::string name;
    if (w.key && !((in >> name) && ReadKey(name, event.key))) {
        return false;
    }
    long long character = 0;
    if (w.character && !ReadNumber(in, 0, 0xFFFFFFFFLL, character)) {
        return false;
    }
    event.character = static_cast<unsigned>(character);
    return true;
}

bool InputJournal::Parse(const std::string& text, std::string& error) {
    events.clear();
    clocks.clear();
    steps.clear();
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    long long version = 0;
    long lastPass = 0;
    looseRules = true;
    while (std::getline(lines, line)) {
        ++number;
        std::istringstream in(line);
        std::string kind;
        if (!(in >> kind)) {
            continue;
        }
        if (number == 1) {
            if (kind != "kestrane-journal" || !ReadNumber(in, 1, 5, version) || in >> kind) {
                error = "line 1: not a journal of this game (\"kestrane-journal 5\" expected)";
                return false;
            }
            looseRules = version < 4;
            keysAfterSteps = version < 5;
            continue;
        }
        if (kind == "rules" && version >= 4) {
            std::string which;
            std::string rest;
            if (!(in >> which) || (which != "full" && which != "loose") || in >> rest) {
                error = "line " + std::to_string(number) + ": cannot read \"" + line + "\"";
                return false;
            }
            looseRules = which == "loose";
            continue;
        }
        long long pass = 0;
        bool ok = ReadNumber(in, lastPass, 1LL << 40, pass);
        Entry e;
        e.pass = static_cast<long>(pass);
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
        } else if (ok && kind == "message" && version < 3) {
            long long m = 0;
            long long w = 0;
            long long l = 0;
            ok = ReadNumber(in, 0, 0xFFFF, m) && ReadNumber(in, 0, 0xFFFFFFFFLL, w) &&
                 ReadNumber(in, 0, 0xFFFFFFFFLL, l);
            if (ok && EventOfOldMessage(static_cast<unsigned>(m), static_cast<std::uint32_t>(w),
                                        static_cast<std::uint32_t>(l), e.event)) {
                events.push_back(e);
            }
        } else if (ok && kind == "event" && version >= 3) {
            ok = ReadEvent(in, e.event);
            if (ok) {
                events.push_back(e);
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
