// The readings' tables, shared by their lookups (readings.cpp, in every
// build of the library) and their unpacking (readings_unpack.cpp, only where
// the readings travel): private to the two.
#ifndef QUOVANT_READINGS_TABLE_H
#define QUOVANT_READINGS_TABLE_H

#include <cstddef>
#include <cstdint>

#include "array.h"
#include "readings.h"

struct Letters {
    char16_t units[SYLLABLE_LETTERS + 1];
};

// The readings of the current idiom table, once unpacked.
struct Readings {
    const unsigned char *stream = nullptr;  // the offered stream, or null
    std::size_t length = 0;
    bool available = false;
    bool outOfMemory = false;          // the last unpacking failed for want of memory
    Array<Letters> syllables;          // per syllable number, its letters
    Array<std::uint32_t> slots;        // open addressing by letters: number + 1, or 0 when free
    Array<Sound> sounds;               // per entry, the sounds of its units
    Array<std::uint32_t> soundStart;   // per entry, where its sounds start; entries + 1
    Array<std::uint32_t> byStart;      // per sound code, where its entries start in bySound; codes + 1
    Array<std::uint32_t> bySound;      // entries grouped by first sound, table order within
    Array<std::uint32_t> syllableStart;  // per syllable, where its entries start in bySyllable; syllables + 1
    Array<std::uint32_t> bySyllable;   // entries grouped by first syllable (any tone), table order within
    Array<char16_t> texts;             // the readings for people, each ended by a NUL
    Array<std::uint32_t> textStart;    // per entry, where its reading starts in texts
};

extern Readings g_readings;

// Slots of the open-addressing table of syllables: well above the ~420
// syllables of Mandarin.
constexpr std::size_t SYLLABLE_SLOTS = 2048;

// The slot of `letters` in the table of syllables: the one holding its
// number, or the free one where it belongs (null when the table is full).
std::uint32_t *SlotOf(Readings &r, const char16_t *letters, std::size_t length);

// The vowels with their tone marks, tones 1 to 4; ü stands for v.
extern const char16_t MARKED[6][5];

#endif
