#include "ai/Chance.h"

#include <cstdint>

static ClockSource clockSource = nullptr;

// The additive feedback generator the game has always drawn from: 31 words, each new word the sum
// of the words 31 and 3 places back, the lowest bit dropped. Seeding and the 310 discarded draws
// are those of the GNU C library's rand(), so a seed plays the games it has always played, and
// the same games on every system whatever its own C library does.
namespace {
struct Generator {
    static constexpr int Degree = 31;
    static constexpr int Separation = 3;
    std::uint32_t words[Degree];
    int front = Separation;
    int rear = 0;

    explicit Generator(unsigned seed) { Seed(seed); }

    void Seed(unsigned seed) {
        if (seed == 0) {
            seed = 1;
        }
        // The seed is taken as a signed 32-bit word and the recurrence word * 16807 mod 2^31 - 1
        // is computed the way the C library does it, negative seeds included.
        std::int32_t word = static_cast<std::int32_t>(seed);
        words[0] = static_cast<std::uint32_t>(word);
        for (int i = 1; i < Degree; ++i) {
            const std::int32_t hi = word / 127773;
            const std::int32_t lo = word % 127773;
            word = 16807 * lo - 2836 * hi;
            if (word < 0) {
                word += 2147483647;
            }
            words[i] = static_cast<std::uint32_t>(word);
        }
        front = Separation;
        rear = 0;
        for (int i = 0; i < Degree * 10; ++i) {
            Next();
        }
    }

    int Next() {
        words[front] += words[rear];
        const int result = static_cast<int>(words[front] >> 1);
        front = front + 1 == Degree ? 0 : front + 1;
        rear = rear + 1 == Degree ? 0 : rear + 1;
        return result;
    }
};

Generator generator(1);
}  // namespace

int Rand() {
    return generator.Next();
}

void Srand(unsigned seed) {
    generator.Seed(seed);
}

std::time_t ClockSeconds() {
    return clockSource ? clockSource() : std::time(nullptr);
}

void SetClockSource(ClockSource source) {
    clockSource = source;
}
