// The computer's ranking of moves and its opening.
#include "computer.h"

#include <algorithm>

#include "binding.h"

namespace {

// A dead end first, then a win, a draw, a loss.
int Rank(const QuovantFacts &f)
{
    if (f.followers == 0)
        return 0;
    return f.outcome == QUOVANT_WIN ? 1 : f.outcome == QUOVANT_DRAW ? 2 : 3;
}

}  // namespace

bool IsBetterMove(const QuovantFacts &a, const QuovantFacts &b)
{
    return Rank(a) != Rank(b) ? Rank(a) < Rank(b) : a.followers < b.followers;
}

std::vector<QuovantFacts> RankedMoves(std::vector<QuovantFacts> moves)
{
    std::stable_sort(moves.begin(), moves.end(), IsBetterMove);
    return moves;
}

QuovantFacts ComputerOpening(int rules)
{
    QuovantFacts best{}, f{};
    bool found = false;
    const long count = g_library.GetIdiomCount();
    for (long i = 0; i < count; ++i)
        if (g_library.GetIdiomFactsAtByRule(rules, static_cast<std::size_t>(i), &f) == QUOVANT_FOUND &&
            f.followers > 0 && ((rules & QUOVANT_FOUR_ONLY) == 0 || QuovantIsFourCharacters(f.idiom)) &&
            (!found || IsBetterMove(f, best)))
            best = f, found = true;
    return best;
}
