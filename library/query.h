// The suggestion query: GetIdioms (declared in include/quovant.h) trims the
// text and lists the first eight idioms that the rule (rule.h) lets follow
// it, in one result buffer.
#ifndef QUOVANT_QUERY_H
#define QUOVANT_QUERY_H

#include <cstddef>

#include "quovant.h"

// Room of the process-wide result buffer, terminator included.
constexpr std::size_t RESULT_BUFFER_UNITS = 262;

// No result lists more than this many idioms.
constexpr int MAX_MATCHES = QUOVANT_MAX_IDIOMS;

// Cuts leading and trailing white space (QuovantIsWhiteSpace of quovant.h)
// from `text` in place, moving the rest to the start of the buffer. A null
// pointer is left alone.
void TrimSpaces(char16_t *text);

#endif
