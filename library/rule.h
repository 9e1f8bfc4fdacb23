// The rule of what may follow a text in the idiom chain game, written once:
// GetIdioms, the analysis and the idiom knowledge all ask it.
//
// Text with a character beyond ASCII is continued from its last character
// c: first the idioms that begin with c, in table order, then those whose
// key (the readings of their first character, as a whole) equals c's
// readings and that do not begin with c, in table order. Text made only of
// ASCII characters is a pinyin reading: the idioms whose key equals it
// exactly, in table order. Entries are listed as the table holds them: an
// idiom that stands in two entries comes twice, and a caller that wants
// each text once leaves the later one out.
//
// The rule maps a text, or an idiom, to its follow group: the set of idioms
// that may follow it, as a value. Which idioms a group holds depends only on
// the text it was made from, not on how that text was found; its identity
// tells when two groups hold the same idioms (the same key's idioms after
// two characters of the same readings), though they list them in different
// orders. The keys must be those of the current pinyin table, as every load
// makes them.
#ifndef QUOVANT_RULE_H
#define QUOVANT_RULE_H

#include <cstdint>

#include "dictionary.h"
#include "index.h"

// The idioms that may follow a text: those of `lead`, then those of the key
// RestKeyOf names that do not begin with `last` (they stood in `lead`).
struct FollowGroup {
    EntryRange lead;  // listed first: the idioms that begin with the last character
    char16_t last;    // the character continued; 0 for a reading
    long key;         // for a reading, the number of its key (-1: no idiom has it)
};

// The number of the key whose idioms are listed after `lead`: a reading's
// own, or the readings of the character continued (looked up only when
// asked, since most queries are answered by `lead` alone); -1 for none.
inline long RestKeyOf(const FollowGroup &group)
{
    return group.last == 0 ? group.key : KeyNumberOf(FindPinyin(group.last));
}

// Equal for two groups exactly when they hold the same idioms (in whatever
// order they list them).
std::uint64_t IdentityOf(const FollowGroup &group);

// True when every unit of `text` is below 0x80 (also for "" and null): such
// text is a pinyin reading.
bool IsAsciiOnly(const char16_t *text);

// The follow group of `text`, NUL-terminated and trimmed (ASCII text is a
// reading; the empty text is followed by nothing). Needs an up-to-date index.
FollowGroup FollowGroupOf(const char16_t *text);

// The follow group of the idiom of `entry`. Needs an up-to-date index.
FollowGroup FollowGroupOfIdiom(std::uint32_t entry);

// Calls `visit(entry)` for each idiom of `group` in the rule's order, until
// it returns false. Allocates nothing.
template <typename Visit>
void ForEachFollower(const FollowGroup &group, Visit &&visit)
{
    for (const std::uint32_t *i = group.lead.begin; i != group.lead.end; ++i)
        if (!visit(*i))
            return;
    const long key = RestKeyOf(group);
    const EntryRange rest = key < 0 ? EntryRange{} : EntriesOfKey(static_cast<std::size_t>(key));
    for (const std::uint32_t *i = rest.begin; i != rest.end; ++i)
        if ((group.last == 0 || g_idiomTable.entries[*i].text[0] != group.last) && !visit(*i))
            return;
}

#endif
