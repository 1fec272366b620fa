#include "platform/EventQueue.h"

bool EventQueue::Take(Event& event, bool (*translateOne)()) {
    while (events.empty()) {
        if (translateOne == nullptr || !translateOne()) {
            return false;
        }
    }
    event = events.front();
    events.pop_front();
    return true;
}
