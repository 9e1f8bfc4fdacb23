// What is known of an idiom, as people are told it, said once for the tool,
// the windows and the page: the words for outcomes and the note that
// outcomes are a guide. Plain C++, without a toolkit or a platform, so that
// every front end compiles it. facts_json.h gives the same facts to programs.
#ifndef QUOVANT_CLIENT_FACTS_H
#define QUOVANT_CLIENT_FACTS_H

#include <string>
#include <string_view>

#include "quovant_knowledge.h"

// An outcome's word (QUOVANT_WIN, QUOVANT_LOSS, QUOVANT_DRAW): in English, as
// the tool writes it in JSON ("win", "loss", "draw", and translated in text),
// and in Chinese, as the window shows it (胜, 负, 和).
const char *OutcomeWord(int outcome);
const char *OutcomeWordChinese(int outcome);

// Where an idiom comes from (QuovantFacts.origin), as JSON names it:
// "dictionary", "player" (the player's own, read as written) or
// "player-customary" (each character read by its most customary reading).
const char *OriginWord(int origin);

// An outcome as people read it in Chinese: its word, marked where it is
// proven (负（已证）).
std::string OutcomeTextChinese(const QuovantFacts &facts);

// An idiom's followers, outcome and commonness (or that it is the
// player's own) as the window and the page tell them:
// 可接成语：0 个　出此成语：胜（无可接，必胜）　常用度：12.
std::string FactsLineChinese(const QuovantFacts &facts);

// The rules a player chooses from: QUOVANT_RULE_* and its names, in the
// tool ("classic") and in the window (经典), in the order offered.
struct RuleName {
    int rule;
    const char *name;
    const char *chinese;
};
extern const RuleName RULE_NAMES[4];

// The orders a list of candidates may be given in: QUOVANT_ORDER_* (0 for
// the rule's) and its names, in the tool ("best") and on the page (胜负), in
// the order offered.
struct OrderName {
    int order;
    const char *name;
    const char *chinese;
};
extern const OrderName ORDER_NAMES[3];

// The order named `name`, or -1 for none.
int OrderNamed(std::string_view name);

// The name of the rule of `rules` (the switch aside), "classic" for none.
const char *NameOfRule(int rules);

// The rule named `name`, or -1 for no rule.
int RuleNamed(std::string_view name);

// The mark of a proven outcome, in Chinese (已证).
extern const char PROVEN_CHINESE[];

// The four-character switch, in the window's words.
extern const char FOUR_ONLY_CHINESE[];

// Outcomes assume best play and let an idiom be played twice, which a real
// game does not, unless proven: the note that says so, in English and in
// Chinese.
extern const char OUTCOME_NOTE[];
extern const char OUTCOME_NOTE_CHINESE[];

#endif
