// Unpacking the readings stream on first use: each idiom's sounds, the
// idioms by first syllable, and each idiom's reading with tone marks.
#include <cstdlib>
#include <mutex>

#include "dictionary.h"
#include "player.h"
#include "readings.h"
#include "readings_table.h"
#include "stamp.h"
#include "tables.h"
#include "unpack.h"

namespace {

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
        if (r.syllables.Size() >= SYLLABLE_SLOTS / 2)
            return -1;
        if (!r.syllables.Push(added)) {
            r.outOfMemory = true;
            return -1;
        }
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
            sound = SoundOf(number, bytes[(*at)++]);
        } else if (code != NO_SYLLABLE) {
            const char16_t *begin = nullptr;
            std::size_t length = 0;
            if (!TableReading(entry.text[u], code / TONES, &begin, &length))
                return false;
            const long number = Intern(r, begin, length);
            if (number < 0)
                return false;
            sound = SoundOf(number, code % TONES);
        }
        if (!r.sounds.Push(sound)) {
            r.outOfMemory = true;
            return false;
        }
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

// The tone marks that combine with the letter before them, tones 1 to 4.
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
    const auto forEach = [entries, keyOf](auto emit) {
        for (std::size_t e = 0; e < entries; ++e)
            if (const Sound s = FirstSoundOf(e); s != NO_SOUND)
                emit(keyOf(s), static_cast<std::uint32_t>(e));
    };
    return CountingSort(keys, forEach, start, grouped);
}

bool GroupBySound(Readings &r, std::size_t entries)
{
    const std::size_t syllables = r.syllables.Size();
    return GroupBy(entries, syllables * SOUNDS_PER_SYLLABLE, [](Sound s) { return s; }, r.byStart, r.bySound) &&
           GroupBy(entries, syllables, [](Sound s) { return SyllableOf(s); }, r.syllableStart, r.bySyllable);
}

// Unpacks the offered stream; false when it is missing, does not unpack or
// does not fit the table, or memory ran out (then r.outOfMemory is set).
bool Unpack(Readings &r)
{
    unsigned char *bytes = nullptr;
    std::size_t size = 0;
    if (r.stream == nullptr || g_idiomTable.entries == nullptr ||
        UnpackBlob(r.stream, r.length, 1, &bytes, &size) != 0)
        return false;
    // The loaded idioms are read from the stream, the player's own from
    // their codes.
    const std::size_t entries = g_idiomTable.count, loaded = g_loadedIdiomCount;
    std::size_t at = 0;
    bool ok = r.slots.Assign(SYLLABLE_SLOTS, 0) && r.soundStart.Resize(entries + 1);
    r.outOfMemory = !ok;
    for (std::size_t e = 0; ok && e < loaded; ++e) {
        r.soundStart[e] = static_cast<std::uint32_t>(r.sounds.Size());
        ok = ReadEntry(r, g_idiomTable.entries[e], bytes, size, &at);
    }
    std::free(bytes);
    ok = ok && at == size;
    std::size_t playerSize = 0, playerAt = 0;
    const unsigned char *player = PlayerReadingCodes(&playerSize);
    for (std::size_t e = loaded; ok && e < entries; ++e) {
        r.soundStart[e] = static_cast<std::uint32_t>(r.sounds.Size());
        ok = ReadEntry(r, g_idiomTable.entries[e], player, playerSize, &playerAt);
    }
    if (!ok || playerAt != playerSize)
        return false;
    r.soundStart[entries] = static_cast<std::uint32_t>(r.sounds.Size());
    r.outOfMemory = !GroupBySound(r, entries) || !WriteTexts(r, entries);
    return !r.outOfMemory;
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

int ReadingsState()
{
    // Readings that do not unpack or fit are unavailable for this
    // dictionary, tried once; readings that found no memory are tried again.
    const bool current = BuildOnce(g_readingsStamp, g_readingsLock, [] {
        Readings &r = g_readings;
        Release(r);
        const bool unpacked = Unpack(r);
        const bool outOfMemory = r.outOfMemory;
        if (!unpacked)
            Release(r);
        r.available = unpacked;
        return !outOfMemory;
    });
    return !current ? -1 : g_readings.available ? 1 : 0;
}

