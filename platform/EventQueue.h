#pragma once

#include <deque>

#include "platform/Platform.h"

// The events a window backend has translated but not yet handed to the game. One report of the
// window system can become several events (a key and its character, a minimising and its zero
// size), and a backend makes some up itself (the release of a key carried over a window-mode
// toggle); they wait here and go out one per PollEvent, oldest first.
class EventQueue {
public:
    void Push(const Event& event) { events.push_back(event); }
    void Clear() { events.clear(); }
    // The oldest waiting event; otherwise `translateOne` is called, one report of the window
    // system at a time, until it queues something or answers false (nothing more is waiting).
    bool Take(Event& event, bool (*translateOne)() = nullptr);

private:
    std::deque<Event> events;
};
