// The player's own idioms: texts the dictionary lacks, appended after the
// loaded idioms of the table (g_loadedIdiomCount) with their readings, so
// that every query, rule and analysis takes them as it takes the others;
// and the customary readings that read one written without a reading.
//
// The customary readings stream holds, for each entry of the pinyin table
// in its order, the most customary reading of that character with its tone,
// as one code of the readings stream's format (readings.h): 5 * r + t, or
// SPELLED_SYLLABLE, its letters and tone, or NO_SYLLABLE where there is
// none. Unpacked when an idiom needs it, under the same rule as the others:
// a stream that does not unpack or fit the pinyin table reads nothing.
//
// Setting the player's idioms installs a new idiom table, as loading does:
// not while other threads ask.
#ifndef QUOVANT_PLAYER_H
#define QUOVANT_PLAYER_H

#include <cstddef>

// Offers the customary readings stream of `length` bytes, which must stay
// readable; unpacked when first needed.
void OfferCustomaryReadings(const unsigned char *data, std::size_t length);

// The codes of the player's idioms' units, in the readings stream's format,
// in the order of their entries after the loaded idioms; `*size` bytes,
// valid until the player's idioms are set again.
const unsigned char *PlayerReadingCodes(std::size_t *size);

// Where the idiom of `entry` comes from: QUOVANT_FROM_DICTIONARY, or for a
// player's idiom QUOVANT_FROM_PLAYER or QUOVANT_FROM_PLAYER_CUSTOMARY.
int OriginOf(std::size_t entry);

#endif
