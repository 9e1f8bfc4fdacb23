// The suggestion query: trimming, the ASCII test, the pinyin query and the
// two-pass last-character query, all writing into one result buffer.
// GetIdioms itself is declared in include/quovant.h.
#ifndef QUOVANT_QUERY_H
#define QUOVANT_QUERY_H

#include <cstddef>

// Room of the process-wide result buffer, terminator included.
constexpr std::size_t RESULT_BUFFER_UNITS = 262;

// No result lists more than this many idioms.
constexpr int MAX_MATCHES = 8;

// Cuts leading and trailing white space (QuovantIsWhiteSpace of quovant.h)
// from `text` in place, moving the rest to the start of the buffer. A null
// pointer is left alone.
void TrimSpaces(char16_t *text);

// True when every unit of `text` is below 0x80 (also for "" and null).
bool IsAsciiOnly(const char16_t *text);

// Idioms whose key equals `text` exactly. Null for an empty text, else the
// result buffer. Needs an up-to-date index.
char16_t *MatchByPinyin(const char16_t *text);

// Idioms beginning with the last unit of the non-empty `text`, then idioms
// whose key equals that unit's readings. Returns the result buffer. Needs an
// up-to-date index.
char16_t *MatchByLastChar(const char16_t *text);

#endif
