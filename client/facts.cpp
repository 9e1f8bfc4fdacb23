// The words of an idiom's facts.
#include "facts.h"

#include "message.h"
#include "product.h"
#include "quovant_knowledge.h"

namespace {

struct OutcomeWords {
    int outcome;
    const char *english;
    const char *chinese;
};

// Every outcome's words, in both languages.
constexpr OutcomeWords OUTCOMES[] = {
    {QUOVANT_WIN, N_("win"), "胜"},
    {QUOVANT_LOSS, N_("loss"), "负"},
    {QUOVANT_DRAW, N_("draw"), "和"},
};

const OutcomeWords &WordsOf(int outcome)
{
    for (const OutcomeWords &words : OUTCOMES)
        if (words.outcome == outcome)
            return words;
    return OUTCOMES[2];  // play can go on for ever
}

}  // namespace

const char OUTCOME_NOTE[] =
    N_("Outcomes assume best play and let an idiom be played twice, which a real game does not: a strong "
       "guide, not a proof, unless marked proven (searched to the end without repeats).");
const char OUTCOME_NOTE_CHINESE[] = "胜负按双方最佳应对推算，允许重复用词，仅供参考；标“已证”者为不重复用词的精确结果。";

const RuleName RULE_NAMES[4] = {
    {QUOVANT_RULE_CLASSIC, "classic", "经典"},
    {QUOVANT_RULE_CHAR, "char", "同字"},
    {QUOVANT_RULE_SOUND, "sound", "同音"},
    {QUOVANT_RULE_TONE, "tone", "同音同调"},
};

const OrderName ORDER_NAMES[3] = {
    {0, "rule", "规则"},
    {QUOVANT_ORDER_COMMON, "common", "常用"},
    {QUOVANT_ORDER_BEST, "best", "胜负"},
};

int OrderNamed(std::string_view name)
{
    for (const OrderName &o : ORDER_NAMES)
        if (name == o.name)
            return o.order;
    return -1;
}

const char FOUR_ONLY_CHINESE[] = "只接四字成语";
const char PROVEN_CHINESE[] = "已证";

const char *NameOfRule(int rules)
{
    for (const RuleName &r : RULE_NAMES)
        if (r.rule == (rules & QUOVANT_RULE_MASK))
            return r.name;
    return RULE_NAMES[0].name;
}

int RuleNamed(std::string_view name)
{
    for (const RuleName &r : RULE_NAMES)
        if (name == r.name)
            return r.rule;
    return -1;
}

std::string OutcomeTextChinese(const QuovantFacts &facts)
{
    return std::string(OutcomeWordChinese(facts.outcome)) + (facts.proven ? std::string("（") + PROVEN_CHINESE + "）" : "");
}

std::string FactsLineChinese(const QuovantFacts &facts)
{
    std::string line = QUOVANT_TIP_FACTS_TEXT;
    line.replace(line.find("%1"), 2, std::to_string(facts.followers));
    line.replace(line.find("%2"), 2, OutcomeTextChinese(facts));
    if (facts.followers == 0)
        line += QUOVANT_TIP_DEAD_END_TEXT;
    if (facts.origin == QUOVANT_FROM_PLAYER) {
        line += QUOVANT_TIP_OWN_TEXT;
    } else if (facts.origin == QUOVANT_FROM_PLAYER_CUSTOMARY) {
        line += QUOVANT_TIP_OWN_CUSTOMARY_TEXT;
    } else if (facts.commonness != QUOVANT_COMMONNESS_UNAVAILABLE) {
        std::string commonness = QUOVANT_TIP_COMMONNESS_TEXT;
        line += commonness.replace(commonness.find("%1"), 2, std::to_string(facts.commonness));
    }
    return line;
}

const char *OriginWord(int origin)
{
    switch (origin) {
    case QUOVANT_FROM_PLAYER:
        return "player";
    case QUOVANT_FROM_PLAYER_CUSTOMARY:
        return "player-customary";
    default:
        return "dictionary";
    }
}

const char *OutcomeWord(int outcome)
{
    return WordsOf(outcome).english;
}

const char *OutcomeWordChinese(int outcome)
{
    return WordsOf(outcome).chinese;
}
