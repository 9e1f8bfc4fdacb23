// How each idiom is read, syllable by syllable with its tone: a stream
// offered by the programs that carry it and unpacked on first use, never at
// load. The rules of play by sound ask it for an idiom's first and last
// syllable and for the idioms that begin with a syllable; the facts show an
// idiom's reading with tone marks.
//
// The unpacked stream holds, for each loaded entry of the idiom table (the
// player's own idioms bring their codes with them: player.h), in its order
// and each unit of its text, one code: a byte below SPELLED_SYLLABLE is
// 5 * r + t, the r-th reading (from 0) of that character in the pinyin table
// with tone t (0 for the neutral tone); SPELLED_SYLLABLE is followed by the
// syllable's letters (a-z, ü as v) and then its tone as one byte below 5;
// NO_SYLLABLE marks a unit that has no syllable (punctuation). A stream that
// does not unpack, or whose codes do not fit the table (one per unit of
// every text, each a reading the character has), leaves the readings
// unavailable; a stream for another table of the same shape is not told
// apart. Unpacked once under a lock; any number of threads may then read
// them.
#ifndef QUOVANT_READINGS_H
#define QUOVANT_READINGS_H

#include <cstddef>
#include <cstdint>

#include "index.h"

// Codes of the stream beside 5 * r + t.
constexpr unsigned char SPELLED_SYLLABLE = 0xFE;
constexpr unsigned char NO_SYLLABLE = 0xFF;

// A syllable as the rules compare it: its number (one per toneless
// syllable met in the readings) times SOUNDS_PER_SYLLABLE, plus its tone
// 0-4. Packed and unpacked only by the three functions below.
using Sound = std::uint16_t;
constexpr Sound NO_SOUND = 0xFFFF;
constexpr unsigned TONES = 5;
constexpr unsigned SOUNDS_PER_SYLLABLE = 8;  // codes per syllable number, room for every tone

// The sound of syllable `number` (from 0) in `tone` (below TONES).
inline Sound SoundOf(long number, unsigned tone)
{
    return static_cast<Sound>(number * SOUNDS_PER_SYLLABLE + tone);
}

// The syllable number and the tone of `sound`.
inline unsigned SyllableOf(Sound sound) { return sound / SOUNDS_PER_SYLLABLE; }
inline unsigned ToneOf(Sound sound) { return sound % SOUNDS_PER_SYLLABLE; }

// Letters of the longest syllable ("zhuang"), terminator excluded.
constexpr std::size_t SYLLABLE_LETTERS = 6;

// Offers the readings stream of `length` bytes, which must stay readable;
// unpacked when first asked for. Counts as a change of the dictionary, so
// that what is built from the readings is built again.
void OfferReadings(const unsigned char *data, std::size_t length);

// Whether the readings are available for the current idiom table: 1 when
// they are, 0 when they are not (none offered, or the stream is damaged),
// -1 when memory ran out (tried again on the next call). Unpacks the offered
// stream on the first call (and after the dictionary changed).
int ReadingsState();
inline bool ReadingsAvailable() { return ReadingsState() == 1; }

// Below, the readings must be available.

// The first and the last syllable of the idiom of `entry` as read in it;
// NO_SOUND where its first or last unit has none.
Sound FirstSoundOf(std::size_t entry);
Sound LastSoundOf(std::size_t entry);

// The reading of the idiom of `entry` for people: its syllables with tone
// marks, separated by spaces ("yán chū fǎ suí"; a unit without a syllable
// is left out). NUL-terminated, valid until the dictionary changes.
const char16_t *ReadingOf(std::size_t entry);

// The number of the toneless syllable `letters` (`length` units of a-z, ü
// as v), or -1 when no idiom's reading has it (or it is longer than any
// syllable).
long SyllableNumber(const char16_t *letters, std::size_t length);

// The entries whose first syllable is `syllable` (a number from
// SyllableNumber), in table order, whatever its tone; and those whose first
// syllable is `sound`, in its tone.
EntryRange EntriesOfSyllable(unsigned syllable);
EntryRange EntriesOfSound(Sound sound);

// Reads `text` as one syllable written in Latin letters ("xing", "xing2",
// "xíng", "lü", "lv4"): letters, at most one tone mark, and at most one
// tone digit 0-5 (5 is the neutral tone too) at its end, agreeing with the
// mark. Writes the toneless letters (lower case, ü as v, NUL-terminated)
// to `letters` and the tone (0-4, or -1 when none is written) to `*tone`.
// False when `text` is no such syllable.
bool ParseSyllable(const char16_t *text, char16_t (&letters)[SYLLABLE_LETTERS + 1], int *tone);

#endif
