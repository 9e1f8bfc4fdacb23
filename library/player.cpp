// The player's own idioms: judging each one given, reading it, and
// installing the table with them after the loaded idioms; and the C export
// that sets them.
#include "player.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "analysis.h"
#include "array.h"
#include "dictionary.h"
#include "index.h"
#include "quovant_knowledge.h"
#include "readings.h"
#include "tables.h"
#include "unpack.h"

namespace {

// The player's idioms of the installed table: per unit of each, its reading
// code; per idiom, its origin. Valid only for the tables they were made
// with: after any table is installed since, there are none.
struct PlayerIdioms {
    std::uint64_t installed = 0;  // g_tableInstalls of their table, 0 for none
    Array<unsigned char> codes;
    Array<unsigned char> origins;
};

PlayerIdioms g_player;

struct Stream {
    const unsigned char *data = nullptr;
    std::size_t length = 0;
};

Stream g_customaryStream;

constexpr char16_t IDIOM_COMMA = u'，';  // between the halves of a long saying
constexpr std::size_t MIN_CHARACTERS = 3;

// The entry of `ch` in the pinyin table, or -1.
long PinyinEntryOf(char16_t ch)
{
    const PinyinEntry *begin = g_pinyinTable.entries, *end = begin + g_pinyinTable.count;
    const PinyinEntry *e = std::lower_bound(begin, end, ch, [](const PinyinEntry &p, char16_t c) { return p.ch < c; });
    return e != end && e->ch == ch ? static_cast<long>(e - begin) : -1;
}

// The number of readings of pinyin entry `e`.
unsigned ReadingCount(const PinyinEntry &e)
{
    const std::size_t length = FieldLength(e.readings);
    if (length == 0 || length == FIELD_UNITS)
        return 0;
    return 1 + static_cast<unsigned>(std::count(e.readings, e.readings + length, u' '));
}

// The customary readings, unpacked: per pinyin entry, where its code starts
// in `bytes`. Empty when the stream is missing, damaged or not the pinyin
// table's.
struct Customary {
    unsigned char *bytes = nullptr;
    Array<std::uint32_t> start;
    bool tried = false;
    ~Customary() { std::free(bytes); }

    // The bytes of the code of `ch`'s customary reading and their number;
    // 0 when it has none.
    std::size_t CodeOf(char16_t ch, const unsigned char **code)
    {
        if (!tried)
            Unpack();
        const long e = PinyinEntryOf(ch);
        if (start.Empty() || e < 0 || bytes[start[e]] == NO_SYLLABLE)
            return 0;
        *code = bytes + start[e];
        return start[e + 1] - start[e];
    }

    void Unpack()
    {
        tried = true;
        std::size_t size = 0;
        if (g_customaryStream.data == nullptr ||
            UnpackBlob(g_customaryStream.data, g_customaryStream.length, 1, &bytes, &size) != 0)
            return;
        std::size_t at = 0;
        bool ok = start.Resize(g_pinyinTable.count + 1);
        for (std::size_t e = 0; ok && e < g_pinyinTable.count; ++e) {
            start[e] = static_cast<std::uint32_t>(at);
            ok = at < size;
            if (!ok)
                break;
            const unsigned char code = bytes[at++];
            if (code == SPELLED_SYLLABLE) {
                const std::size_t letters = at;
                while (at < size && bytes[at] >= u'a' && bytes[at] <= u'z' && at - letters < SYLLABLE_LETTERS)
                    ++at;
                ok = at > letters && at < size && bytes[at] < TONES;
                ++at;
            } else if (code != NO_SYLLABLE) {
                ok = code / TONES < ReadingCount(g_pinyinTable.entries[e]);
            }
        }
        if (ok && at == size) {
            start[g_pinyinTable.count] = static_cast<std::uint32_t>(at);
        } else {
            start = Array<std::uint32_t>();
        }
    }
};

struct Syllable {
    char16_t units[SYLLABLE_LETTERS + 1];
};

// Every toneless syllable of the pinyin table, to tell a syllable from a
// slip of the keyboard; built when a reading is first given.
struct Syllables {
    Array<Syllable> slots;
    bool built = false;
    bool outOfMemory = false;

    static constexpr std::size_t SLOTS = 4096;  // far above the table's syllables

    Syllable *SlotOf(const char16_t *letters, std::size_t length)
    {
        return ProbeSlot(slots, Fnv1a(letters, length), [&](const Syllable &s) {
            return s.units[0] == u'\0' ||
                   (StrLen16(s.units) == length && std::memcmp(s.units, letters, length * sizeof(char16_t)) == 0);
        });
    }

    bool Has(const char16_t *letters)
    {
        if (!built)
            Build();
        const std::size_t length = StrLen16(letters);
        const Syllable *slot = slots.Empty() ? nullptr : SlotOf(letters, length);
        return slot != nullptr && slot->units[0] != u'\0';
    }

    void Build()
    {
        built = true;
        if (!slots.Assign(SLOTS, Syllable{})) {
            outOfMemory = true;
            return;
        }
        for (std::size_t e = 0; e < g_pinyinTable.count; ++e) {
            const char16_t *r = g_pinyinTable.entries[e].readings;
            const std::size_t length = FieldLength(r);
            for (std::size_t begin = 0, i = 0; length < FIELD_UNITS && i <= length; ++i) {
                if (i < length && r[i] != u' ')
                    continue;
                const std::size_t n = i - begin;
                if (n > 0 && n <= SYLLABLE_LETTERS)
                    if (Syllable *slot = SlotOf(r + begin, n); slot != nullptr && slot->units[0] == u'\0')
                        std::memcpy(slot->units, r + begin, n * sizeof(char16_t));
                begin = i + 1;
            }
        }
    }
};

// Notes that memory ran out; false, for the caller to return.
bool NoMemory(bool *outOfMemory)
{
    *outOfMemory = true;
    return false;
}

bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t';
}

// The Chinese characters of `text` (`units` of them), or 0 when it is no
// idiom a player may add: 3 to 13 characters of the pinyin table, a "，"
// allowed between two of them.
std::size_t CharactersOf(const char16_t *text, std::size_t units)
{
    std::size_t characters = 0;
    for (std::size_t u = 0; u < units; ++u) {
        if (text[u] == IDIOM_COMMA) {
            if (u == 0 || u + 1 == units || text[u - 1] == IDIOM_COMMA)
                return 0;
        } else if (text[u] < 0x3400 || FindPinyin(text[u]) == nullptr) {
            return 0;
        } else {
            ++characters;
        }
    }
    return characters >= MIN_CHARACTERS ? characters : 0;
}

// Appends the codes of `reading` (one syllable with its tone per character,
// separated by spaces) for the `units` of `text`; false when it is no such
// reading. Sets `*outOfMemory` when memory ran out.
bool AppendGivenReading(const char16_t *text, std::size_t units, std::size_t characters, const char16_t *reading,
                        Syllables &syllables, Array<unsigned char> &codes, bool *outOfMemory)
{
    const char16_t *p = reading;
    std::size_t tokens = 0;
    for (std::size_t u = 0; u < units; ++u) {
        if (text[u] == IDIOM_COMMA) {
            if (!codes.Push(NO_SYLLABLE))
                return NoMemory(outOfMemory);
            continue;
        }
        while (IsSpace(*p))
            ++p;
        char16_t token[SYLLABLE_LETTERS + 3] = {};  // letters, a tone mark or digit, the terminator
        std::size_t length = 0;
        for (; *p != u'\0' && !IsSpace(*p); ++p)
            if (length + 1 < std::size(token))
                token[length++] = *p;
            else
                return false;
        char16_t letters[SYLLABLE_LETTERS + 1];
        int tone = -1;
        if (length == 0 || !ParseSyllable(token, letters, &tone) || tone < 0 || !syllables.Has(letters)) {
            *outOfMemory = syllables.outOfMemory;
            return false;
        }
        ++tokens;
        bool pushed = codes.Push(SPELLED_SYLLABLE);
        for (const char16_t *l = letters; pushed && *l != u'\0'; ++l)
            pushed = codes.Push(static_cast<unsigned char>(*l));
        if (!pushed || !codes.Push(static_cast<unsigned char>(tone)))
            return NoMemory(outOfMemory);
    }
    while (IsSpace(*p))
        ++p;
    return *p == u'\0' && tokens == characters;
}

// Appends the codes of each character's customary reading; false when one
// has none.
bool AppendCustomaryReading(const char16_t *text, std::size_t units, Customary &customary,
                            Array<unsigned char> &codes, bool *outOfMemory)
{
    for (std::size_t u = 0; u < units; ++u) {
        const unsigned char *code = &NO_SYLLABLE;
        const std::size_t n = text[u] == IDIOM_COMMA ? 1 : customary.CodeOf(text[u], &code);
        if (n == 0)
            return false;
        for (std::size_t i = 0; i < n; ++i)
            if (!codes.Push(code[i]))
                return NoMemory(outOfMemory);
    }
    return true;
}

// What is being made: the player's idioms accepted so far, and a table of
// their texts by hash, to find one given twice.
struct Making {
    Array<IdiomEntry> entries;
    Array<unsigned char> codes;
    Array<unsigned char> origins;
    Array<std::uint32_t> slots;  // number of an accepted idiom + 1, or 0 when free
    Customary customary;
    Syllables syllables;
    bool outOfMemory = false;
};

bool IsAdded(Making &m, const char16_t *text, std::size_t units, std::uint32_t **slot)
{
    *slot = ProbeSlot(m.slots, Fnv1a(text, units), [&](std::uint32_t s) {
        return s == 0 || (FieldLength(m.entries[s - 1].text) == units &&
                          std::memcmp(m.entries[s - 1].text, text, units * sizeof(char16_t)) == 0);
    });
    return *slot != nullptr && **slot != 0;
}

// Judges one idiom and its reading (null or blank: the customary one), and
// keeps it when it is accepted. QUOVANT_PLAYER_ADDED or why not.
int Judge(Making &m, const char16_t *text, const char16_t *reading)
{
    std::size_t units = 0;
    while (text != nullptr && units < FIELD_UNITS && text[units] != u'\0')
        ++units;
    const std::size_t characters = units < FIELD_UNITS ? CharactersOf(text, units) : 0;
    if (characters == 0)
        return QUOVANT_PLAYER_NOT_IDIOM;
    const long found = FindIdiom(text);
    if (found >= 0 && static_cast<std::size_t>(found) < g_loadedIdiomCount)
        return QUOVANT_PLAYER_IN_DICTIONARY;
    std::uint32_t *slot = nullptr;
    if (IsAdded(m, text, units, &slot))
        return QUOVANT_PLAYER_REPEATED;

    while (reading != nullptr && IsSpace(*reading))
        ++reading;
    const bool given = reading != nullptr && *reading != u'\0';
    const std::size_t mark = m.codes.Size();
    const bool read = given ? AppendGivenReading(text, units, characters, reading, m.syllables, m.codes, &m.outOfMemory)
                            : AppendCustomaryReading(text, units, m.customary, m.codes, &m.outOfMemory);
    if (!read) {
        m.codes.Resize(mark);
        return given ? QUOVANT_PLAYER_BAD_READING : QUOVANT_PLAYER_NO_READING;
    }
    IdiomEntry entry{};
    std::memcpy(entry.text, text, units * sizeof(char16_t));
    if (!m.entries.Push(entry) || !m.origins.Push(given ? QUOVANT_FROM_PLAYER : QUOVANT_FROM_PLAYER_CUSTOMARY)) {
        m.outOfMemory = true;
        return QUOVANT_PLAYER_NOT_IDIOM;
    }
    *slot = static_cast<std::uint32_t>(m.entries.Size());
    return QUOVANT_PLAYER_ADDED;
}

// Installs the loaded idioms followed by the accepted ones; false without
// memory, and then nothing changed.
bool Install(Making &m)
{
    const std::size_t loaded = g_loadedIdiomCount, count = loaded + m.entries.Size();
    auto *table = static_cast<IdiomEntry *>(std::malloc(count * sizeof(IdiomEntry)));
    if (table == nullptr)
        return false;
    std::memcpy(table, g_idiomTable.entries, loaded * sizeof(IdiomEntry));
    if (!m.entries.Empty())
        std::memcpy(table + loaded, m.entries.Data(), m.entries.Size() * sizeof(IdiomEntry));
    KeyIdioms(table + loaded, m.entries.Size());
    IdiomIndex index;
    if (!IndexOf(table, count, index)) {
        std::free(table);
        return false;
    }
    InstallIdiomTable(table, count, loaded);
    InstallIdiomIndex(std::move(index));
    g_player.installed = g_tableInstalls;
    g_player.codes = std::move(m.codes);
    g_player.origins = std::move(m.origins);
    return true;
}

std::size_t SlotsFor(std::size_t count)
{
    std::size_t slots = 16;
    while (slots < 2 * count)
        slots *= 2;
    return slots;
}

}  // namespace

void OfferCustomaryReadings(const unsigned char *data, std::size_t length)
{
    g_customaryStream = {data, length};
}

const unsigned char *PlayerReadingCodes(std::size_t *size)
{
    const bool current = g_player.installed != 0 && g_player.installed == g_tableInstalls;
    *size = current ? g_player.codes.Size() : 0;
    return current ? g_player.codes.Data() : nullptr;
}

int OriginOf(std::size_t entry)
{
    if (entry < g_loadedIdiomCount || g_player.installed != g_tableInstalls ||
        entry - g_loadedIdiomCount >= g_player.origins.Size())
        return QUOVANT_FROM_DICTIONARY;
    return g_player.origins[entry - g_loadedIdiomCount];
}

extern "C" QUOVANT_API long SetPlayerIdioms(const QuovantChar *const *idioms, const QuovantChar *const *readings,
                                            size_t count, int *results)
{
    if (g_idiomTable.entries == nullptr || g_pinyinTable.entries == nullptr)
        return QUOVANT_NOT_READY;
    Making m;
    if (!EnsureTexts() || !m.slots.Assign(SlotsFor(count), 0))
        return QUOVANT_NO_MEMORY;
    for (std::size_t i = 0; i < count && !m.outOfMemory; ++i) {
        const auto *text = idioms != nullptr ? reinterpret_cast<const char16_t *>(idioms[i]) : nullptr;
        const auto *reading = readings != nullptr ? reinterpret_cast<const char16_t *>(readings[i]) : nullptr;
        const int result = Judge(m, text, reading);
        if (results != nullptr)
            results[i] = result;
    }
    if (m.outOfMemory)
        return QUOVANT_NO_MEMORY;
    // None before and none now: the table stays, and what was built from it.
    if (m.entries.Empty() && g_idiomTable.count == g_loadedIdiomCount)
        return 0;
    if (!Install(m))
        return QUOVANT_NO_MEMORY;
    return static_cast<long>(g_player.origins.Size());
}
