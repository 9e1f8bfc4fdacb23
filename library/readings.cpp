// Looking up the unpacked readings: each idiom's sounds, the idioms by
// first syllable, syllables written in Latin letters. No locks and no
// unpacking here (readings_unpack.cpp), so that Quovant.dll, which never
// carries the readings, stays as small as it was.
#include "readings.h"

#include "readings_table.h"
#include "tables.h"

Readings g_readings;

const char16_t MARKED[6][5] = {
    {u'a', u'ā', u'á', u'ǎ', u'à'}, {u'e', u'ē', u'é', u'ě', u'è'}, {u'i', u'ī', u'í', u'ǐ', u'ì'},
    {u'o', u'ō', u'ó', u'ǒ', u'ò'}, {u'u', u'ū', u'ú', u'ǔ', u'ù'}, {u'v', u'ǖ', u'ǘ', u'ǚ', u'ǜ'},
};

namespace {

bool SameLetters(const Letters &a, const char16_t *letters, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        if (a.units[i] != letters[i])
            return false;
    return a.units[length] == u'\0';
}

}  // namespace

std::uint32_t *SlotOf(Readings &r, const char16_t *letters, std::size_t length)
{
    return ProbeSlot(r.slots, Fnv1a(letters, length), [&](std::uint32_t slot) {
        return slot == 0 || SameLetters(r.syllables[slot - 1], letters, length);
    });
}

Sound FirstSoundOf(std::size_t entry)
{
    const Readings &r = g_readings;
    return r.soundStart[entry] == r.soundStart[entry + 1] ? NO_SOUND : r.sounds[r.soundStart[entry]];
}

Sound LastSoundOf(std::size_t entry)
{
    const Readings &r = g_readings;
    return r.soundStart[entry] == r.soundStart[entry + 1] ? NO_SOUND : r.sounds[r.soundStart[entry + 1] - 1];
}

const char16_t *ReadingOf(std::size_t entry)
{
    return g_readings.texts.Data() + g_readings.textStart[entry];
}

long SyllableNumber(const char16_t *letters, std::size_t length)
{
    if (length == 0 || length > SYLLABLE_LETTERS)
        return -1;
    const std::uint32_t *slot = SlotOf(g_readings, letters, length);
    return slot == nullptr ? -1 : static_cast<long>(*slot) - 1;
}

EntryRange EntriesOfSound(Sound sound)
{
    const Readings &r = g_readings;
    if (sound == NO_SOUND || sound + 1u >= r.byStart.Size())
        return {};
    return {r.bySound.Data() + r.byStart[sound], r.bySound.Data() + r.byStart[sound + 1]};
}

EntryRange EntriesOfSyllable(unsigned syllable)
{
    const Readings &r = g_readings;
    if (syllable + 1u >= r.syllableStart.Size())
        return {};
    return {r.bySyllable.Data() + r.syllableStart[syllable], r.bySyllable.Data() + r.syllableStart[syllable + 1]};
}

bool ParseSyllable(const char16_t *text, char16_t (&letters)[SYLLABLE_LETTERS + 1], int *tone)
{
    if (text == nullptr)
        return false;
    std::size_t length = 0;
    int marked = -1, digit = -1;
    for (const char16_t *p = text; *p != u'\0'; ++p) {
        char16_t c = *p;
        if (digit >= 0)
            return false;  // the digit ends it
        if (c >= u'0' && c <= u'5') {
            if (length == 0)
                return false;
            digit = c == u'5' ? 0 : c - u'0';
            continue;
        }
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        if (c == u'ü' || c == u'Ü')
            c = u'v';
        for (const auto &row : MARKED)
            for (int t = 1; t < 5; ++t)
                if (c == row[t]) {
                    if (marked >= 0)
                        return false;
                    marked = t;
                    c = row[0];
                }
        if (c < u'a' || c > u'z' || length == SYLLABLE_LETTERS)
            return false;
        letters[length++] = c;
    }
    if (length == 0 || (marked >= 0 && digit >= 0 && marked != digit))
        return false;
    letters[length] = u'\0';
    *tone = marked >= 0 ? marked : digit;
    return true;
}
