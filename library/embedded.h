// The embedded dictionary: two LZMA-alone streams in the library's read-only
// data, their unpacking, the checks every unpacked record must pass, and the
// loaders that install the checked tables.
//
// A stream is a 13-byte header (properties byte, 4-byte dictionary size,
// 8-byte little-endian uncompressed size) followed by LZMA data without an
// end marker. The header must hold the exact unpacked size.
#ifndef QUOVANT_EMBEDDED_H
#define QUOVANT_EMBEDDED_H

#include <cstddef>

#include "dictionary.h"

// Size of an LZMA-alone header in bytes.
constexpr std::size_t STREAM_HEADER_SIZE = 13;

// Largest unpacked table accepted: a guard against absurd size fields.
constexpr std::size_t MAX_UNPACKED_SIZE = 64u << 20;

// The two streams, generated into the build from library/data/*.lzma.
extern const unsigned char PINYIN_STREAM[];
extern const std::size_t PINYIN_STREAM_SIZE;
extern const unsigned char IDIOM_STREAM[];
extern const std::size_t IDIOM_STREAM_SIZE;

// Unpacks the stream `data` of `length` bytes into a new malloc'd buffer of
// exactly the header's size, which must be a whole number of `recordSize`
// records and at most MAX_UNPACKED_SIZE. On success returns 0 and hands the
// buffer (the caller frees it) and its size over; on failure returns
// non-zero, allocates nothing that survives, and leaves *buffer and *size
// untouched.
int UnpackBlob(const unsigned char *data, std::size_t length, std::size_t recordSize,
               unsigned char **buffer, std::size_t *size);

// True when every readings field is terminated within its 14 units and
// matches [a-z]+( [a-z]+)*, and the characters ascend without duplicates.
bool CheckPinyinRecords(const PinyinEntry *entries, std::size_t count);

// True when every idiom's text and key are terminated within 14 units.
bool CheckIdiomRecords(const IdiomEntry *entries, std::size_t count);

// Unpacks and checks a pinyin stream and installs it as the pinyin table.
// Returns non-zero on success; 0 on failure, with the table left as it was.
int LoadPinyinTableFrom(const unsigned char *data, std::size_t length);

// Unpacks and checks an idiom stream, installs it as the idiom table and
// keys it (needs the pinyin table). Non-zero on success; 0 on failure, with
// the table left as it was.
int LoadIdiomTableFrom(const unsigned char *data, std::size_t length);

// The two loaders over the embedded streams, run in this order at load.
int LoadPinyinTable();
int LoadIdiomTable();

#endif
