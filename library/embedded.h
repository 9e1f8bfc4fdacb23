// The dictionary that travels inside the library: its two streams in
// read-only data, generated into the build from library/data/*.lzma, and the
// loaders that the library's entries run (DllMain, InitIdioms). Linked only
// into the programs that carry the dictionary.
#ifndef QUOVANT_EMBEDDED_H
#define QUOVANT_EMBEDDED_H

#include <cstddef>

extern const unsigned char PINYIN_STREAM[];
extern const std::size_t PINYIN_STREAM_SIZE;
extern const unsigned char IDIOM_STREAM[];
extern const std::size_t IDIOM_STREAM_SIZE;

// Unpacks, checks and installs the embedded pinyin table. Non-zero on
// success; 0 on failure, with the table left as it was.
int LoadPinyinTable();

// Unpacks, checks, keys, indexes and installs the embedded idiom table; runs
// after LoadPinyinTable. Non-zero on success; 0 on failure, with the table
// and its index left as they were.
int LoadIdiomTable();

// Loads the embedded dictionary: the pinyin table, then, only when that
// loaded, the idiom table. False when either could not be loaded.
bool LoadEmbeddedDictionary();

// Offer the embedded texts (meanings, English) and the readings,
// commonness and customary readings streams, to be unpacked when first
// needed. Only in the programs that offer the idiom knowledge
// (library/embedded_meanings.cpp).
void OfferEmbeddedTexts();
void OfferEmbeddedReadings();
void OfferEmbeddedCommonness();
void OfferEmbeddedCustomaryReadings();

#endif
