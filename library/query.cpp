// The suggestion query: the first eight idioms that the rule lets follow
// the trimmed text, in one process-wide buffer.
#include "query.h"

#include "dictionary.h"
#include "index.h"
#include "quovant.h"
#include "rule.h"

static_assert(sizeof(QuovantChar) == sizeof(char16_t));

// The last result, returned to callers of GetIdioms; overwritten by the next
// non-empty query.
static char16_t ResultBuffer[RESULT_BUFFER_UNITS];

// Length of ResultBuffer's current string, kept so appending is not quadratic.
static std::size_t g_resultLength;

static void ClearResult()
{
    ResultBuffer[0] = u'\0';
    g_resultLength = 0;
}

// MAX_MATCHES idioms of at most FIELD_UNITS - 1 units, each with its space,
// and the terminator always fit.
static_assert(MAX_MATCHES * FIELD_UNITS + 1 <= RESULT_BUFFER_UNITS);

// Appends an idiom's text (at most FIELD_UNITS - 1 units of it) and one
// space; one of at most MAX_MATCHES since the buffer was cleared.
static void AppendResult(const char16_t *text)
{
    std::size_t n = 0;
    while (n + 1 < FIELD_UNITS && text[n] != u'\0')
        ++n;
    for (std::size_t i = 0; i < n; ++i)
        ResultBuffer[g_resultLength++] = text[i];
    ResultBuffer[g_resultLength++] = u' ';
    ResultBuffer[g_resultLength] = u'\0';
}

void TrimSpaces(char16_t *text)
{
    if (text == nullptr)
        return;
    std::size_t begin = 0;
    while (text[begin] != u'\0' && QuovantIsWhiteSpace(text[begin]))
        ++begin;
    std::size_t end = begin + StrLen16(text + begin);
    while (end > begin && QuovantIsWhiteSpace(text[end - 1]))
        --end;
    // Moving left within one buffer: a forward copy never overwrites a unit
    // before it is read.
    for (std::size_t i = begin; i < end; ++i)
        text[i - begin] = text[i];
    text[end - begin] = u'\0';
}

// Lists up to MAX_MATCHES idioms of `group` in the result buffer.
static char16_t *ListFollowers(const FollowGroup &group)
{
    ClearResult();
    int taken = 0;
    ForEachFollower(group, [&taken](std::uint32_t entry) {
        AppendResult(g_idiomTable.entries[entry].text);
        return ++taken < MAX_MATCHES;
    });
    return ResultBuffer;
}

extern "C" QUOVANT_API QuovantChar *QUOVANT_CALL GetIdioms(QuovantChar *text)
{
    // Until a dictionary is installed there is nothing to answer from.
    if (text == nullptr || !EnsureIdiomIndex())
        return nullptr;
    char16_t *units = reinterpret_cast<char16_t *>(text);
    TrimSpaces(units);
    if (units[0] == u'\0')
        return nullptr;  // the result buffer keeps the last result
    return reinterpret_cast<QuovantChar *>(ListFollowers(FollowGroupOf(QUOVANT_RULE_CLASSIC, units)));
}
