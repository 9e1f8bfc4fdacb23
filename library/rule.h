// The rules of what may follow a text in the idiom chain game, written
// once: GetIdioms (always by the classic rule), the analysis and the idiom
// knowledge all ask them. A rule is one of the C interface's QUOVANT_RULE_*
// values, optionally ORed with QUOVANT_FOUR_ONLY, which leaves out every
// idiom that is not four characters long.
//
// Text with a character beyond ASCII is continued from its last character
// c; under every rule the idioms that begin with c come first, then the
// others, each in table order:
//   classic  the idioms that begin with c, then those whose key (the
//            readings of their first character, as a whole) equals c's
//            readings;
//   char     the idioms that begin with c;
//   sound    the idioms whose first syllable, as read in them, is the
//            syllable in which the idiom continued reads c, tone ignored
//            (for a text that is no idiom: any reading the pinyin table
//            gives c); an idiom that begins with c but reads it otherwise
//            does not follow;
//   tone     the same with the same tone (for a text that is no idiom, as
//            under sound).
// Under classic and char, text made only of ASCII characters is a pinyin
// reading: the idioms whose key equals it exactly. Under sound and tone,
// text written as one syllable in Latin letters (readings.h,
// ParseSyllable) is that syllable: the idioms that begin with it (under
// tone, in its tone where one is written). Entries are listed as the table
// holds them: an idiom that stands in two entries comes twice, and a caller
// that wants each text once leaves the later one out (under sound and tone,
// the reading of a text's first entry then counts). Sound and tone need the
// readings (readings.h) to be available.
//
// The rule maps a text, or an idiom, to its follow group: the set of idioms
// that may follow it, as a value. Which idioms a group holds depends only on
// the text it was made from and the rule, not on how that text was found;
// the identity of an idiom's group tells when two hold the same idioms,
// though they list them in different orders. The keys must be those of the
// current pinyin table, as every load makes them.
#ifndef QUOVANT_RULE_H
#define QUOVANT_RULE_H

#include <cstdint>

#include "dictionary.h"
#include "index.h"
#include "quovant_knowledge.h"
#include "readings.h"

// The rule of `rules` without the four-character switch.
inline int RuleOf(int rules) { return rules & QUOVANT_RULE_MASK; }

// True when `rules` is a rule, with or without the switch.
inline bool IsRule(int rules) { return (rules & ~(QUOVANT_RULE_MASK | QUOVANT_FOUR_ONLY)) == 0; }

// Most syllables a group of the sound rules starts from: every reading of
// one character.
constexpr unsigned MAX_GROUP_SOUNDS = 8;

// The idioms that may follow a text: those of `lead` that the rule admits,
// then the rest that the rule names, without those that begin with `last`
// (they stood in `lead`).
struct FollowGroup {
    int rules;        // QUOVANT_RULE_*, maybe | QUOVANT_FOUR_ONLY
    EntryRange lead;  // the idioms that begin with the last character
    char16_t last;    // the character continued; 0 for a reading or a syllable
    long key;         // classic and char: for a reading, the number of its key (-1: no idiom has it)
    Sound sounds[MAX_GROUP_SOUNDS];  // sound and tone: the syllables that may begin a follower
    unsigned soundCount;
    bool toned;       // the tones of `sounds` count too
};

// The number of the key whose idioms are listed after `lead` under the
// classic rule and for readings: a reading's own, or the readings of the
// character continued (looked up only when asked, since most queries are
// answered by `lead` alone); -1 for none.
inline long RestKeyOf(const FollowGroup &group)
{
    if (group.last == 0)
        return group.key;
    return RuleOf(group.rules) == QUOVANT_RULE_CLASSIC ? KeyNumberOf(FindPinyin(group.last)) : -1;
}

// For the group of an idiom: equal for two groups exactly when they hold
// the same idioms (in whatever order they list them).
std::uint64_t IdentityOf(const FollowGroup &group);

// True when every unit of `text` is below 0x80 (also for "" and null): such
// text is a pinyin reading under the classic and char rules.
bool IsAsciiOnly(const char16_t *text);

// The follow group of `text`, NUL-terminated and trimmed, taken as no idiom
// (the empty text is followed by nothing). Needs an up-to-date index.
FollowGroup FollowGroupOf(int rules, const char16_t *text);

// The follow group of the idiom of `entry`. Needs an up-to-date index.
FollowGroup FollowGroupOfIdiom(int rules, std::uint32_t entry);

// True when the rule lets the idiom of `entry`, which begins with the
// group's last character, follow.
inline bool AdmitsLead(const FollowGroup &group, std::uint32_t entry)
{
    if (group.soundCount == 0)
        return RuleOf(group.rules) < QUOVANT_RULE_SOUND;
    const Sound first = FirstSoundOf(entry);
    for (unsigned i = 0; i < group.soundCount; ++i)
        if (group.toned ? first == group.sounds[i] : SyllableOf(first) == SyllableOf(group.sounds[i]))
            return first != NO_SOUND;
    return false;
}

// True when the switch leaves the idiom of `entry` in.
inline bool LengthAdmits(const FollowGroup &group, std::uint32_t entry)
{
    return (group.rules & QUOVANT_FOUR_ONLY) == 0 ||
           QuovantIsFourCharacters(reinterpret_cast<const QuovantChar *>(g_idiomTable.entries[entry].text));
}

// Calls `visit(entry)` for each idiom of the sound rules' rest: the
// entries that begin with one of the group's syllables and not with its
// last character, merged into table order. False when `visit` stopped it.
template <typename Visit>
bool ForEachBySound(const FollowGroup &group, Visit &&visit)
{
    EntryRange lists[MAX_GROUP_SOUNDS];
    for (unsigned i = 0; i < group.soundCount; ++i)
        lists[i] = group.toned ? EntriesOfSound(group.sounds[i]) : EntriesOfSyllable(SyllableOf(group.sounds[i]));
    for (;;) {
        unsigned least = MAX_GROUP_SOUNDS;
        for (unsigned i = 0; i < group.soundCount; ++i)
            if (lists[i].begin != lists[i].end && (least == MAX_GROUP_SOUNDS || *lists[i].begin < *lists[least].begin))
                least = i;
        if (least == MAX_GROUP_SOUNDS)
            return true;
        const std::uint32_t entry = *lists[least].begin++;
        if (g_idiomTable.entries[entry].text[0] != group.last && LengthAdmits(group, entry) && !visit(entry))
            return false;
    }
}

// Calls `visit(entry)` for each idiom of `group` in the rule's order, until
// it returns false. Allocates nothing. The classic and char rules over all
// lengths (GetIdioms' case) take the entry lists as they are.
template <typename Visit>
void ForEachFollower(const FollowGroup &group, Visit &&visit)
{
    const bool filtered = RuleOf(group.rules) >= QUOVANT_RULE_SOUND || (group.rules & QUOVANT_FOUR_ONLY) != 0;
    for (const std::uint32_t *i = group.lead.begin; i != group.lead.end; ++i)
        if ((!filtered || (AdmitsLead(group, *i) && LengthAdmits(group, *i))) && !visit(*i))
            return;
    if (group.soundCount > 0) {
        ForEachBySound(group, visit);
        return;
    }
    const long key = RestKeyOf(group);
    const EntryRange rest = key < 0 ? EntryRange{} : EntriesOfKey(static_cast<std::size_t>(key));
    for (const std::uint32_t *i = rest.begin; i != rest.end; ++i)
        if ((group.last == 0 || g_idiomTable.entries[*i].text[0] != group.last) &&
            (!filtered || LengthAdmits(group, *i)) && !visit(*i))
            return;
}

#endif
