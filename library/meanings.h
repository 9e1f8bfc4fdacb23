// The idioms' meanings: a third stream, offered by the programs that carry
// it and unpacked on first use, never at load. Its unpacked bytes are UTF-16
// texts, each ended by a NUL, one per entry of the idiom table in its order
// (an empty text where an idiom has no meaning). A stream that does not
// unpack, or whose texts are not as many as the idiom table's entries,
// leaves the meanings unavailable. Unpacked once under a lock; any number of
// threads may then read them.
#ifndef QUOVANT_MEANINGS_H
#define QUOVANT_MEANINGS_H

#include <cstddef>

// Offers the meanings stream of `length` bytes, which must stay readable;
// unpacked when first asked for. Forgets meanings unpacked before.
void OfferMeanings(const unsigned char *data, std::size_t length);

// True when the meanings are available for the current idiom table; unpacks
// the offered stream on the first call (and after the table changed).
bool MeaningsAvailable();

// The meaning of the idiom of `entry`, NUL-terminated and valid until the
// dictionary changes; null when it has none or meanings are unavailable.
const char16_t *MeaningOf(std::size_t entry);

#endif
