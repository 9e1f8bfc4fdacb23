// The rule of what may follow a text, over the index's entry lists.
#include "rule.h"

#include <algorithm>

namespace {

// Identities: a key's number, or one of these above every key number.
constexpr std::uint64_t NOTHING = std::uint64_t{1} << 40;       // no idiom may follow
constexpr std::uint64_t OWN_IDIOMS = std::uint64_t{1} << 41;    // | c: the idioms of c alone

constexpr FollowGroup NO_FOLLOWERS = {{}, 0, -1};

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

FollowGroup FollowGroupOf(const char16_t *text)
{
    if (text == nullptr || text[0] == u'\0')
        return NO_FOLLOWERS;
    if (IsAsciiOnly(text))
        return {{}, 0, KeyNumberOf(text)};
    const char16_t last = text[StrLen16(text) - 1];
    return {EntriesOfFirst(last), last, -1};
}

FollowGroup FollowGroupOfIdiom(std::uint32_t entry)
{
    // Its text, terminated even where a damaged field is not.
    char16_t text[FIELD_UNITS + 1] = {};
    std::copy_n(g_idiomTable.entries[entry].text, FIELD_UNITS, text);
    return FollowGroupOf(text);
}

std::uint64_t IdentityOf(const FollowGroup &group)
{
    // The idioms that begin with the character continued have its readings
    // as their key: that key's idioms, when any has it, are the whole group.
    const long number = RestKeyOf(group);
    if (number >= 0)
        return static_cast<std::uint64_t>(number);
    return group.lead.Size() > 0 ? OWN_IDIOMS | group.last : NOTHING;
}
