// The answers of the idiom knowledge as JSON documents, in the one shape
// that the tool's --json and the page give: the candidates after a text, an
// idiom's facts, a shortest chain, a turn of the game. Each names the rule it was asked under.
// Strings are UTF-8.
#ifndef QUOVANT_CLIENT_ANSWERS_H
#define QUOVANT_CLIENT_ANSWERS_H

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

#include "game.h"
#include "quovant_knowledge.h"

// {"rule": its name, "four": the switch} of `rules`.
nlohmann::ordered_json RuleFields(int rules);

// {"text", "rule", "four", "candidates": [{"idiom", facts...}...]}: the
// candidates after `text` (as queries trim it).
nlohmann::ordered_json CandidatesAnswer(const std::string &text, int rules, const std::vector<QuovantFacts> &candidates);

// One idiom of an info answer: {"idiom", "known": true, "readings", "rule",
// "four", facts...}, or {"idiom", "known": false, "rule", "four"} when
// `facts` is null.
nlohmann::ordered_json IdiomAnswer(const std::string &idiom, int rules, const QuovantFacts *facts);

// {"from", "to", "rule", "four", "chain": [...] or null, "unknown": [...]
// only when not empty}.
nlohmann::ordered_json ChainAnswer(const std::string &from, const std::string &to, int rules,
                                   const std::vector<std::string> *chain, const std::vector<std::string> &unknown);

// A turn of the game (game.h): {"verdict": its name, "message": `message`,
// "player", "computer": facts as IdiomAnswer gives them, or null, "over":
// the end's name or null, "position": an outcome's word or null (over, or
// the move refused),
// "hint": [facts...]}; each facts object passed through `dress` where given.
using DressFacts = std::function<nlohmann::ordered_json(nlohmann::ordered_json, const QuovantFacts &)>;
nlohmann::ordered_json TurnAnswer(const Turn &turn, int rules, const std::string &message, const DressFacts &dress = {});

#endif
