// The idioms' texts beside the dictionary: their meanings and their English,
// a stream each, offered by the programs that carry them and unpacked on
// first use, never at load. A stream's unpacked bytes are UTF-16 texts, each
// ended by a NUL, one per loaded entry of the idiom table in its order (an
// empty text where an idiom has none; the player's own idioms have none). A
// stream that does not unpack, or whose texts are not as many as the loaded
// idioms, leaves its texts
// unavailable. Each is unpacked once under a lock of its own; any number of
// threads may then read it.
#ifndef QUOVANT_TEXTS_H
#define QUOVANT_TEXTS_H

#include <cstddef>

// The kinds of text, each a stream of its own.
enum TextKind { TEXT_MEANINGS, TEXT_ENGLISH, TEXT_KINDS };

// Offers the stream of `kind`, `length` bytes, which must stay readable;
// unpacked when first asked for. Forgets the texts unpacked before.
void OfferTexts(TextKind kind, const unsigned char *data, std::size_t length);

// True when the texts of `kind` are available for the current idiom table;
// unpacks the offered stream on the first call (and after the table changed).
bool TextsAvailable(TextKind kind);

// The text of `kind` of the idiom of `entry`, NUL-terminated and valid until
// the dictionary changes or the stream is offered again; null when it has
// none or the texts are unavailable.
const char16_t *TextOf(TextKind kind, std::size_t entry);

#endif
