// Bytes in, checked records out: unpacking a dictionary stream and the
// checks every unpacked record must pass (load.h installs them). Knows
// nothing of where streams live.
//
// A stream is a 13-byte header (properties byte, 4-byte dictionary size,
// 8-byte little-endian uncompressed size) followed by LZMA data without an
// end marker. The header must hold the exact unpacked size.
#ifndef QUOVANT_UNPACK_H
#define QUOVANT_UNPACK_H

#include <cstddef>

#include "dictionary.h"

// Size of an LZMA-alone header in bytes.
constexpr std::size_t STREAM_HEADER_SIZE = 13;

// Largest unpacked table accepted: a guard against absurd size fields.
constexpr std::size_t MAX_UNPACKED_SIZE = 64u << 20;

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

#endif
