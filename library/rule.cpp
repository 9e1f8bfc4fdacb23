// The rules of what may follow a text, over the index's entry lists and,
// for the sound rules, the readings' lists by first syllable.
#include "rule.h"

#include <algorithm>

namespace {

// Identities: a key's number, or one of these above every key number.
constexpr std::uint64_t NOTHING = std::uint64_t{1} << 40;       // no idiom may follow
constexpr std::uint64_t OWN_IDIOMS = std::uint64_t{1} << 41;    // | c: the idioms of c alone
constexpr std::uint64_t BY_SYLLABLE = std::uint64_t{1} << 42;   // | syllable: the idioms that begin with it
constexpr std::uint64_t BY_SOUND = std::uint64_t{1} << 43;      // | sound: ... in that tone

FollowGroup NoFollowers(int rules)
{
    return {rules, {}, 0, -1, {}, 0, false};
}

// The group of the sound rules that begins with the syllables of `sounds`.
FollowGroup BySounds(int rules, char16_t last, const Sound *sounds, unsigned count, bool toned)
{
    FollowGroup group = NoFollowers(rules);
    group.last = last;
    group.lead = last != 0 ? EntriesOfFirst(last) : EntryRange{};
    group.toned = toned;
    for (unsigned i = 0; i < count && group.soundCount < MAX_GROUP_SOUNDS; ++i)
        if (sounds[i] != NO_SOUND)
            group.sounds[group.soundCount++] = sounds[i];
    return group;
}

// The syllables that the pinyin table gives `ch`, those that some idiom
// begins with, into `sounds` (tone 0); how many.
unsigned TableSounds(char16_t ch, Sound (&sounds)[MAX_GROUP_SOUNDS])
{
    unsigned count = 0;
    const char16_t *readings = FindPinyin(ch);
    for (const char16_t *p = readings; p != nullptr && *p != u'\0' && count < MAX_GROUP_SOUNDS;) {
        const char16_t *end = p;
        while (*end != u'\0' && *end != u' ')
            ++end;
        const long number = SyllableNumber(p, static_cast<std::size_t>(end - p));
        if (number >= 0)
            sounds[count++] = SoundOf(number, 0);
        p = *end == u' ' ? end + 1 : end;
    }
    return count;
}

}  // namespace

bool IsAsciiOnly(const char16_t *text)
{
    if (text == nullptr)
        return true;
    for (; *text != u'\0'; ++text)
        if (*text >= 0x80)
            return false;
    return true;
}

FollowGroup FollowGroupOf(int rules, const char16_t *text)
{
    if (text == nullptr || text[0] == u'\0')
        return NoFollowers(rules);
    const int rule = RuleOf(rules);
    if (rule >= QUOVANT_RULE_SOUND) {
        char16_t letters[SYLLABLE_LETTERS + 1];
        int tone = -1;
        if (ParseSyllable(text, letters, &tone)) {
            const long number = SyllableNumber(letters, StrLen16(letters));
            if (number < 0)
                return NoFollowers(rules);
            const Sound sound = SoundOf(number, tone < 0 ? 0 : tone);
            return BySounds(rules, 0, &sound, 1, rule == QUOVANT_RULE_TONE && tone >= 0);
        }
        const char16_t last = text[StrLen16(text) - 1];
        Sound sounds[MAX_GROUP_SOUNDS];
        const unsigned count = TableSounds(last, sounds);
        return BySounds(rules, last, sounds, count, false);
    }
    if (IsAsciiOnly(text))
        return {rules, {}, 0, KeyNumberOf(text), {}, 0, false};
    const char16_t last = text[StrLen16(text) - 1];
    return {rules, EntriesOfFirst(last), last, -1, {}, 0, false};
}

FollowGroup FollowGroupOfIdiom(int rules, std::uint32_t entry)
{
    // Its text, terminated even where a damaged field is not.
    char16_t text[FIELD_UNITS + 1] = {};
    std::copy_n(g_idiomTable.entries[entry].text, FIELD_UNITS, text);
    const int rule = RuleOf(rules);
    if (rule < QUOVANT_RULE_SOUND || text[0] == u'\0')
        return FollowGroupOf(rules, text);
    const Sound last = LastSoundOf(entry);
    return BySounds(rules, text[StrLen16(text) - 1], &last, 1, rule == QUOVANT_RULE_TONE);
}

std::uint64_t IdentityOf(const FollowGroup &group)
{
    if (RuleOf(group.rules) >= QUOVANT_RULE_SOUND) {
        if (group.soundCount == 0)
            return NOTHING;
        const Sound sound = group.sounds[0];
        return group.toned ? BY_SOUND | sound : BY_SYLLABLE | SyllableOf(sound);
    }
    // The idioms that begin with the character continued have its readings
    // as their key: under the classic rule, that key's idioms, when any has
    // it, are the whole group.
    const long number = RestKeyOf(group);
    if (number >= 0)
        return static_cast<std::uint64_t>(number);
    return group.lead.Size() > 0 ? OWN_IDIOMS | group.last : NOTHING;
}
