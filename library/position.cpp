// The position after the idioms played: the guide over what is left, and
// the exact search of a game without repeats.
#include "position.h"

namespace {

// Deeper than any search of PROOF_NODES steps needs in practice; a search
// that goes deeper gives up, so the stack stays small.
constexpr unsigned MAX_DEPTH = 256;

struct Search {
    const Analysis &a;
    const signed char *mover;  // the guide, to try the likely winning moves first
    unsigned char *used;       // per entry: played so far or on the path searched
    std::size_t steps = 0;
};

enum class Exact { UNKNOWN, WINS, LOSES };

// Whether the player to move in group `g` wins when nothing used may be
// played again.
Exact MoverWins(Search &s, std::uint32_t g, unsigned depth)
{
    if (depth > MAX_DEPTH)
        return Exact::UNKNOWN;
    bool unknown = false;
    // First the moves that the guide says leave the opponent losing.
    for (int pass = 0; pass < 2; ++pass)
        for (std::uint32_t i = s.a.memberStart[g]; i < s.a.memberStart[g + 1]; ++i) {
            if (++s.steps > PROOF_NODES)
                return Exact::UNKNOWN;
            const std::uint32_t m = s.a.members[i];
            if (s.used[m] != 0)
                continue;
            const std::uint32_t next = s.a.groupOf[m];
            if ((pass == 0) != (s.mover[next] == static_cast<signed char>(Outcome::LOSS)))
                continue;
            s.used[m] = 1;
            const Exact reply = MoverWins(s, next, depth + 1);
            s.used[m] = 0;
            if (reply == Exact::LOSES)
                return Exact::WINS;
            unknown = unknown || reply == Exact::UNKNOWN;
        }
    return unknown ? Exact::UNKNOWN : Exact::LOSES;
}

}  // namespace

bool MakePosition(const Analysis &a, const std::uint32_t *played, std::size_t count, Position &out)
{
    out.analysis = &a;
    out.anyPlayed = count > 0;
    out.played = Array<unsigned char>();  // made when first needed
    if (count > 0 && !out.played.Assign(a.groupOf.Size(), 0))
        return false;
    for (std::size_t i = 0; i < count; ++i)
        out.played[FirstOfText(played[i])] = 1;
    return !out.anyPlayed || SolveOutcomes(a, out.played.Data(), out.mover);
}

bool ReadyForProofs(Position &p)
{
    return !p.played.Empty() || p.played.Assign(p.analysis->groupOf.Size(), 0);
}

bool WasPlayed(const Position &p, std::uint32_t entry)
{
    return p.anyPlayed && p.played[FirstOfText(entry)] != 0;
}

std::size_t FollowersIn(const Position &p, std::uint32_t entry)
{
    const Analysis &a = *p.analysis;
    const std::uint32_t g = GroupOf(a, entry);
    if (!p.anyPlayed)
        return a.memberStart[g + 1] - a.memberStart[g];
    std::size_t count = 0;
    for (std::uint32_t i = a.memberStart[g]; i < a.memberStart[g + 1]; ++i)
        count += p.played[a.members[i]] == 0 ? 1 : 0;
    return count;
}

Outcome OutcomeIn(const Position &p, std::uint32_t entry)
{
    const signed char *mover = p.anyPlayed ? p.mover.Data() : p.analysis->mover.Data();
    return static_cast<Outcome>(-mover[GroupOf(*p.analysis, entry)]);
}

bool ProveOutcome(Position &p, std::uint32_t entry, Outcome *outcome)
{
    if (p.played.Empty() || WasPlayed(p, entry))
        return false;
    const std::uint32_t first = FirstOfText(entry);
    Search s{*p.analysis, p.anyPlayed ? p.mover.Data() : p.analysis->mover.Data(), p.played.Data()};
    p.played[first] = 1;
    const Exact reply = MoverWins(s, p.analysis->groupOf[first], 0);
    p.played[first] = 0;
    if (reply == Exact::UNKNOWN)
        return false;
    *outcome = reply == Exact::LOSES ? Outcome::WIN : Outcome::LOSS;
    return true;
}
