// Unpacking the readings stream on first use: each idiom's sounds, the
// idioms by first syllable, and each idiom's reading with tone marks.
#include "readings.h"

#include <cstdlib>
#include <mutex>

#include "array.h"
#include "dictionary.h"
#include "stamp.h"
#include "unpack.h"

namespace {

struct Letters {
    char16_t units[SYLLABLE_LETTERS + 1];
};

struct Readings {
    const unsigned char *stream = nullptr;  // the offered stream, or null
    std::size_t length = 0;
    bool available = false;
    Array<Letters> syllables;          // per syllable number, its letters
    Array<std::uint32_t> slots;        // open addressing by letters: number + 1, or 0 when free
    Array<Sound> sounds;               // per entry, the sounds of its units
    Array<std::uint32_t> soundStart;   // per entry, where its sounds start; entries + 1
    Array<std::uint32_t> byStart;      // per sound code, where its entries start in bySound; codes + 1
    Array<std::uint32_t> bySound;      // entries grouped by first sound, table order within
    Array<std::uint32_t> syllableStart;  // per syllable, where its entries start in bySyllable; syllables + 1
    Array<std::uint32_t> bySyllable;   // entries grouped by first syllable (any tone), table order within
    Array<char16_t> texts;             // the readings for people, each ended by a NUL
    Array<std::uint32_t> textStart;    // per entry, where its reading starts in texts
};

Readings g_readings;
DictionaryStamp g_readingsStamp;
std::mutex g_readingsLock;

// Forgets what was unpacked; keeps the offered stream.
void Release(Readings &r)
{
    const unsigned char *stream = r.stream;
    const std::size_t length = r.length;
    r = Readings();
    r.stream = stream;
    r.length = length;
}

std::uint32_t HashLetters(const char16_t *letters, std::size_t length)
{
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < length; ++i)
        h = (h ^ letters[i]) * 16777619u;
    return h;
}

bool SameLetters(const Letters &a, const char16_t *letters, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        if (a.units[i] != letters[i])
            return false;
    return a.units[length] == u'\0';
}

constexpr std::size_t SYLLABLE_SLOTS = 2048;  // well above the ~420 syllables of Mandarin

// The slot of `letters` in the table of syllables: the one holding its
// number, or the free one where it belongs (0 when the table is full).
std::uint32_t *SlotOf(Readings &r, const char16_t *letters, std::size_t length)
{
    const std::size_t mask = SYLLABLE_SLOTS - 1;
    std::size_t i = HashLetters(letters, length) & mask;
    for (std::size_t probes = 0; probes < SYLLABLE_SLOTS; ++probes, i = (i + 1) & mask) {
        std::uint32_t &slot = r.slots[i];
        if (slot == 0 || SameLetters(r.syllables[slot - 1], letters, length))
            return &slot;
    }
    return nullptr;
}

// The number of the syllable `letters`, given one when it is new; -1 when
// it is no syllable (empty, too long, not a-z) or memory ran out.
long Intern(Readings &r, const char16_t *letters, std::size_t length)
{
    if (length == 0 || length > SYLLABLE_LETTERS)
        return -1;
    for (std::size_t i = 0; i < length; ++i)
        if (letters[i] < u'a' || letters[i] > u'z')
            return -1;
    std::uint32_t *slot = SlotOf(r, letters, length);
    if (slot == nullptr)
        return -1;
    if (*slot == 0) {
        Letters added{};
        for (std::size_t i = 0; i < length; ++i)
            added.units[i] = letters[i];
        if (r.syllables.Size() >= SYLLABLE_SLOTS / 2 || !r.syllables.Push(added))
            return -1;
        *slot = static_cast<std::uint32_t>(r.syllables.Size());
    }
    return static_cast<long>(*slot) - 1;
}

// The r-th reading of `ch` in the pinyin table: where it starts and its
// length; false when the character has fewer readings.
bool TableReading(char16_t ch, unsigned r, const char16_t **begin, std::size_t *length)
{
    const char16_t *readings = FindPinyin(ch);
    if (readings == nullptr)
        return false;
    for (const char16_t *p = readings;; ++p) {
        if (*p == u' ' || *p == u'\0') {
            if (r == 0) {
                *begin = readings;
                *length = static_cast<std::size_t>(p - readings);
                return *length > 0;
            }
            if (*p == u'\0')
                return false;
            --r;
            readings = p + 1;
        }
    }
}

// Reads the codes of one entry's units from `bytes` at `*at`.
bool ReadEntry(Readings &r, const IdiomEntry &entry, const unsigned char *bytes, std::size_t size, std::size_t *at)
{
    const std::size_t units = FieldLength(entry.text);
    for (std::size_t u = 0; u < units; ++u) {
        if (*at >= size)
            return false;
        const unsigned char code = bytes[(*at)++];
        Sound sound = NO_SOUND;
        if (code == SPELLED_SYLLABLE) {
            char16_t letters[SYLLABLE_LETTERS + 1] = {};
            std::size_t length = 0;
            while (*at < size && bytes[*at] >= TONES && length <= SYLLABLE_LETTERS)
                letters[length++] = bytes[(*at)++];
            if (*at >= size || length > SYLLABLE_LETTERS)
                return false;
            const long number = Intern(r, letters, length);
            if (number < 0)
                return false;
            sound = static_cast<Sound>(number * 8 + bytes[(*at)++]);
        } else if (code != NO_SYLLABLE) {
            const char16_t *begin = nullptr;
            std::size_t length = 0;
            if (!TableReading(entry.text[u], code / TONES, &begin, &length))
                return false;
            const long number = Intern(r, begin, length);
            if (number < 0)
                return false;
            sound = static_cast<Sound>(number * 8 + code % TONES);
        }
        if (!r.sounds.Push(sound))
            return false;
    }
    return true;
}

// The vowel of a syllable that carries its tone mark: a or e where it has
// one, the o of "ou", else its last vowel; -1 when it has none.
long MarkedVowel(const Letters &s)
{
    long last = -1;
    for (long i = 0; s.units[i] != u'\0'; ++i) {
        const char16_t c = s.units[i];
        if (c == u'a' || c == u'e' || (c == u'o' && s.units[i + 1] == u'u'))
            return i;
        if (c == u'i' || c == u'o' || c == u'u' || c == u'v')
            last = i;
    }
    return last;
}

// The vowels with their tone marks, tones 1 to 4; ü stands for v.
constexpr char16_t MARKED[][5] = {
    {u'a', u'ā', u'á', u'ǎ', u'à'}, {u'e', u'ē', u'é', u'ě', u'è'}, {u'i', u'ī', u'í', u'ǐ', u'ì'},
    {u'o', u'ō', u'ó', u'ǒ', u'ò'}, {u'u', u'ū', u'ú', u'ǔ', u'ù'}, {u'v', u'ǖ', u'ǘ', u'ǚ', u'ǜ'},
};
constexpr char16_t COMBINING_MARKS[5] = {0, 0x0304, 0x0301, 0x030C, 0x0300};

// Appends `sound` written for people: ü for v, the tone marked on its
// vowel (a combining mark where the syllable has none: "m̀").
bool AppendMarked(Array<char16_t> &out, const Letters &s, unsigned tone)
{
    const long vowel = tone == 0 ? -2 : MarkedVowel(s);
    for (long i = 0; s.units[i] != u'\0'; ++i) {
        char16_t c = s.units[i];
        if (i == vowel) {
            for (const auto &row : MARKED)
                if (row[0] == c)
                    c = row[tone];
        } else if (c == u'v') {
            c = u'ü';
        }
        if (!out.Push(c))
            return false;
        if (vowel == -1 && i == 0 && tone != 0 && !out.Push(COMBINING_MARKS[tone]))
            return false;
    }
    return true;
}

bool WriteTexts(Readings &r, std::size_t entries)
{
    if (!r.textStart.Resize(entries))
        return false;
    for (std::size_t e = 0; e < entries; ++e) {
        r.textStart[e] = static_cast<std::uint32_t>(r.texts.Size());
        bool first = true;
        for (std::uint32_t i = r.soundStart[e]; i < r.soundStart[e + 1]; ++i) {
            const Sound sound = r.sounds[i];
            if (sound == NO_SOUND)
                continue;
            if ((!first && !r.texts.Push(u' ')) || !AppendMarked(r.texts, r.syllables[SyllableOf(sound)], ToneOf(sound)))
                return false;
            first = false;
        }
        if (!r.texts.Push(u'\0'))
            return false;
    }
    return true;
}

// Groups the entries by `keyOf` their first sound (a counting sort, table
// order kept within each of the `keys` groups).
template <typename KeyOf>
bool GroupBy(std::size_t entries, std::size_t keys, KeyOf keyOf, Array<std::uint32_t> &start,
             Array<std::uint32_t> &grouped)
{
    if (!start.Assign(keys + 1, 0))
        return false;
    for (std::size_t e = 0; e < entries; ++e)
        if (const Sound s = FirstSoundOf(e); s != NO_SOUND)
            ++start[keyOf(s) + 1];
    for (std::size_t k = 0; k < keys; ++k)
        start[k + 1] += start[k];
    Array<std::uint32_t> fill;
    if (!fill.Resize(keys) || !grouped.Resize(start[keys]))
        return false;
    for (std::size_t k = 0; k < keys; ++k)
        fill[k] = start[k];
    for (std::size_t e = 0; e < entries; ++e)
        if (const Sound s = FirstSoundOf(e); s != NO_SOUND)
            grouped[fill[keyOf(s)]++] = static_cast<std::uint32_t>(e);
    return true;
}

bool GroupBySound(Readings &r, std::size_t entries)
{
    const std::size_t syllables = r.syllables.Size();
    return GroupBy(entries, syllables * 8, [](Sound s) { return s; }, r.byStart, r.bySound) &&
           GroupBy(entries, syllables, [](Sound s) { return SyllableOf(s); }, r.syllableStart, r.bySyllable);
}

bool Unpack(Readings &r)
{
    unsigned char *bytes = nullptr;
    std::size_t size = 0;
    if (r.stream == nullptr || g_idiomTable.entries == nullptr ||
        UnpackBlob(r.stream, r.length, 1, &bytes, &size) != 0)
        return false;
    const std::size_t entries = g_idiomTable.count;
    std::size_t at = 0;
    bool ok = r.slots.Assign(SYLLABLE_SLOTS, 0) && r.soundStart.Resize(entries + 1);
    for (std::size_t e = 0; ok && e < entries; ++e) {
        r.soundStart[e] = static_cast<std::uint32_t>(r.sounds.Size());
        ok = ReadEntry(r, g_idiomTable.entries[e], bytes, size, &at);
    }
    std::free(bytes);
    if (!ok || at != size)
        return false;
    r.soundStart[entries] = static_cast<std::uint32_t>(r.sounds.Size());
    return GroupBySound(r, entries) && WriteTexts(r, entries);
}

}  // namespace

void OfferReadings(const unsigned char *data, std::size_t length)
{
    const std::lock_guard<std::mutex> held(g_readingsLock);
    Release(g_readings);
    g_readings.stream = data;
    g_readings.length = length;
    g_readingsStamp.Clear();
    ++g_dictionaryGeneration;
}

bool ReadingsAvailable()
{
    // Readings that do not unpack are unavailable for this dictionary: tried once.
    BuildOnce(g_readingsStamp, g_readingsLock, [] {
        Readings &r = g_readings;
        Release(r);
        r.available = Unpack(r);
        if (!r.available)
            Release(r);
        return true;
    });
    return g_readings.available;
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
