// The words of an idiom's facts.
#include "facts.h"

#include "quovant_knowledge.h"

namespace {

struct OutcomeWords {
    int outcome;
    const char *english;
    const char *chinese;
};

// Every outcome's words, in both languages.
constexpr OutcomeWords OUTCOMES[] = {
    {QUOVANT_WIN, "win", "胜"},
    {QUOVANT_LOSS, "loss", "负"},
    {QUOVANT_DRAW, "draw", "和"},
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
    "Outcomes assume best play and let an idiom be played twice, which a real game does not: a strong "
    "guide, not a proof.";
const char OUTCOME_NOTE_CHINESE[] = "胜负按双方最佳应对推算，允许重复用词，仅供参考。";

const char *OutcomeWord(int outcome)
{
    return WordsOf(outcome).english;
}

const char *OutcomeWordChinese(int outcome)
{
    return WordsOf(outcome).chinese;
}
