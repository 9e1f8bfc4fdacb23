// The computer's moves, opening and hints at each level.
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

bool IsBetterMove(const QuovantFacts &a, const QuovantFacts &b)
{
    return Rank(a) != Rank(b) ? Rank(a) < Rank(b) : a.followers < b.followers;
}

// How many of the most common moves of the best kind the normal computer
// chooses among.
constexpr std::size_t NORMAL_CHOICES = 3;

// How many moves the easy computer plays before it may play a dead end.
constexpr std::size_t EASY_NO_DEAD_END_MOVES = 3;

// After those, the easy computer takes a known dead end one time in this many.
constexpr std::uint64_t EASY_DEAD_END_ODDS = 20;

// How many moves (or openings) the easy computer looks at for one that
// leaves the player a known reply.
constexpr std::size_t EASY_TRIES = 24;

// One of `choices` (not empty) at random.
const QuovantFacts &AnyOf(const std::vector<QuovantFacts> &choices, std::mt19937_64 &random)
{
    return choices[random() % choices.size()];
}

// Whether the player has a known idiom to play after `move` in the game
// `chain`: a known idiom comes first when known ones are asked for first.
bool LeavesKnownReply(int rules, std::vector<std::u16string> played, const QuovantFacts &move, bool *failed)
{
    const std::u16string text(reinterpret_cast<const char16_t *>(move.idiom));
    played.push_back(text);
    std::vector<const QuovantChar *> left;
    for (const std::u16string &p : played)
        left.push_back(reinterpret_cast<const QuovantChar *>(p.c_str()));
    QuovantFacts first{};
    const long count = g_library.GetIdiomCandidatesByRule(rules | QUOVANT_ORDER_COMMON | QUOVANT_GUIDE_ONLY,
                                                          move.idiom, left.data(), left.size(), &first, 1);
    if (count < 0)
        *failed = true;
    return count > 0 && IsKnown(first);
}

// Up to EASY_TRIES of `pool` in a random order, the first that leaves a
// known reply; else any of them.
QuovantFacts WithKnownReply(int rules, const std::vector<std::u16string> &chain, std::vector<QuovantFacts> pool,
                            std::mt19937_64 &random, bool *failed)
{
    for (std::size_t i = 0; i + 1 < pool.size() && i < EASY_TRIES; ++i)
        std::swap(pool[i], pool[i + random() % (pool.size() - i)]);
    for (std::size_t i = 0; i < pool.size() && i < EASY_TRIES && !*failed; ++i)
        if (LeavesKnownReply(rules, chain, pool[i], failed))
            return pool[i];
    // None of those: one that goes on where one does, a dead end only if all are.
    const auto going = std::find_if(pool.begin(), pool.end(), [](const QuovantFacts &f) { return f.followers > 0; });
    return going != pool.end() ? *going : pool.front();
}

// The known ones of `moves`, or all of them when none is known.
std::vector<QuovantFacts> KnownOrAll(const std::vector<QuovantFacts> &moves)
{
    std::vector<QuovantFacts> known;
    std::copy_if(moves.begin(), moves.end(), std::back_inserter(known), IsKnown);
    return known.empty() ? moves : known;
}

// The normal computer's choice among `pool` (not empty): of the best kind,
// one of the most common at random.
QuovantFacts BestCommon(std::vector<QuovantFacts> pool, std::mt19937_64 &random)
{
    const int best = Rank(*std::min_element(pool.begin(), pool.end(),
                                            [](const QuovantFacts &a, const QuovantFacts &b) { return Rank(a) < Rank(b); }));
    std::erase_if(pool, [best](const QuovantFacts &f) { return Rank(f) != best; });
    std::stable_sort(pool.begin(), pool.end(),
                     [](const QuovantFacts &a, const QuovantFacts &b) { return a.commonness > b.commonness; });
    pool.resize(std::min(pool.size(), NORMAL_CHOICES));
    return AnyOf(pool, random);
}

}  // namespace

const LevelName LEVEL_NAMES[3] = {
    {Level::EASY, "easy", "入门"},
    {Level::NORMAL, "normal", "普通"},
    {Level::HARD, "hard", "高手"},
};

std::optional<Level> LevelNamed(std::string_view name)
{
    for (const LevelName &l : LEVEL_NAMES)
        if (name == l.name)
            return l.level;
    return std::nullopt;
}

std::mt19937_64 TurnRandom(std::uint64_t seed, std::size_t played)
{
    // splitmix64 of the two, so that near seeds give unrelated games.
    std::uint64_t z = seed + 0x9E3779B97F4A7C15ull * (played + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return std::mt19937_64(z ^ (z >> 31));
}

bool IsKnown(const QuovantFacts &f)
{
    return f.commonness >= QUOVANT_COMMONNESS_KNOWN;
}

std::vector<QuovantFacts> RankedMoves(std::vector<QuovantFacts> moves)
{
    std::stable_sort(moves.begin(), moves.end(), IsBetterMove);
    return moves;
}

std::vector<QuovantFacts> HintedMoves(std::vector<QuovantFacts> moves)
{
    std::stable_sort(moves.begin(), moves.end(), [](const QuovantFacts &a, const QuovantFacts &b) {
        if (Rank(a) != Rank(b))
            return Rank(a) < Rank(b);
        if (IsKnown(a) != IsKnown(b))
            return IsKnown(a);
        return a.followers < b.followers;
    });
    moves.resize(std::min<std::size_t>(moves.size(), QUOVANT_MAX_IDIOMS));
    return moves;
}

QuovantFacts ComputerMove(int rules, Level level, const std::vector<std::u16string> &chain,
                          const std::vector<QuovantFacts> &moves, std::mt19937_64 &random, bool *failed)
{
    switch (level) {
    case Level::HARD:
        return RankedMoves(moves).front();
    case Level::NORMAL:
        return BestCommon(KnownOrAll(moves), random);
    case Level::EASY:
        break;
    }
    std::vector<QuovantFacts> pool = KnownOrAll(moves);
    // The computer's moves so far: every other idiom, from the last one back.
    // After its first few it takes a known dead end now and then, and so
    // wins a game now and then.
    const bool early = chain.size() / 2 < EASY_NO_DEAD_END_MOVES;
    const auto deadEnd = std::find_if(pool.begin(), pool.end(), [](const QuovantFacts &f) {
        return f.followers == 0 && IsKnown(f);
    });
    if (!early && deadEnd != pool.end() && random() % EASY_DEAD_END_ODDS == 0)
        return *deadEnd;
    if (early) {
        // No dead end, unless nothing else follows: a known idiom that goes
        // on, else any that does.
        const auto going = [](std::vector<QuovantFacts> from) {
            std::erase_if(from, [](const QuovantFacts &f) { return f.followers == 0; });
            return from;
        };
        if (std::vector<QuovantFacts> known = going(pool); !known.empty())
            pool = std::move(known);
        else if (std::vector<QuovantFacts> any = going(moves); !any.empty())
            pool = std::move(any);
    }
    return WithKnownReply(rules, chain, std::move(pool), random, failed);
}

QuovantFacts ComputerOpening(int rules, Level level, std::mt19937_64 &random, bool *failed,
                             const std::vector<std::u16string> &played)
{
    QuovantFacts best{}, f{};
    bool found = false;
    std::vector<QuovantFacts> known;
    const long count = g_library.GetIdiomCount();
    if (count < 0)
        *failed = true;
    for (long i = 0; i < count; ++i) {
        if (g_library.GetIdiomFactsAtByRule(rules, static_cast<std::size_t>(i), &f) != QUOVANT_FOUND ||
            f.followers == 0 || ((rules & QUOVANT_FOUR_ONLY) != 0 && !QuovantIsFourCharacters(f.idiom)) ||
            std::find(played.begin(), played.end(), reinterpret_cast<const char16_t *>(f.idiom)) != played.end())
            continue;
        if (!found || IsBetterMove(f, best))
            best = f, found = true;
        if (IsKnown(f))
            known.push_back(f);
    }
    if (level == Level::HARD || known.empty())
        return best;
    if (level == Level::NORMAL) {
        const int top = Rank(*std::min_element(known.begin(), known.end(),
                                               [](const QuovantFacts &a, const QuovantFacts &b) { return Rank(a) < Rank(b); }));
        std::erase_if(known, [top](const QuovantFacts &k) { return Rank(k) != top; });
        return AnyOf(known, random);
    }
    return WithKnownReply(rules, played, std::move(known), random, failed);
}
