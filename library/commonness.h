// How common each idiom is: a stream offered by the programs that carry it
// and unpacked on first use, never at load. Its unpacked bytes are one
// figure per loaded entry of the idiom table, in its order, from 0 to
// QUOVANT_COMMONNESS_MAX. A stream that does not unpack, whose size is not
// the number of loaded idioms or that holds a figure out of range leaves the
// figures unavailable. Unpacked once under a lock; any number of threads may
// then read them.
#ifndef QUOVANT_COMMONNESS_H
#define QUOVANT_COMMONNESS_H

#include <cstddef>

// Offers the stream, `length` bytes, which must stay readable; unpacked
// when first asked for. Forgets the figures unpacked before.
void OfferCommonness(const unsigned char *data, std::size_t length);

// The figure of the idiom of `entry` (QUOVANT_COMMONNESS_KNOWN for a
// player's own idiom), or QUOVANT_COMMONNESS_UNAVAILABLE when the figures
// are unavailable; unpacks the offered stream on the first call
// (and after the table changed).
int CommonnessOf(std::size_t entry);

#endif
