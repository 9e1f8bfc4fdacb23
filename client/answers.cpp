// The knowledge's answers as JSON.
#include "answers.h"

#include "ask.h"
#include "facts.h"
#include "facts_json.h"

using Json = nlohmann::ordered_json;

Json RuleFields(int rules)
{
    return Json{{"rule", NameOfRule(rules)}, {"four", (rules & QUOVANT_FOUR_ONLY) != 0}};
}

Json CandidatesAnswer(const std::string &text, int rules, const std::vector<QuovantFacts> &candidates)
{
    Json list = Json::array();
    for (const QuovantFacts &f : candidates) {
        Json idiom{{"idiom", Utf8Of(f.idiom)}};
        AppendFactsJson(idiom, f);
        list.push_back(idiom);
    }
    Json answer{{"text", text}};
    answer.update(RuleFields(rules));
    answer["candidates"] = list;
    return answer;
}

Json IdiomAnswer(const std::string &idiom, int rules, const QuovantFacts *facts)
{
    Json answer{{"idiom", idiom}, {"known", facts != nullptr}};
    if (facts != nullptr)
        answer["readings"] = facts->readings == nullptr ? Json(nullptr) : Json(Utf8Of(facts->readings));
    answer.update(RuleFields(rules));
    if (facts != nullptr)
        AppendFactsJson(answer, *facts);
    return answer;
}

Json ChainAnswer(const std::string &from, const std::string &to, int rules, const std::vector<std::string> *chain,
                 const std::vector<std::string> &unknown)
{
    Json answer{{"from", from}, {"to", to}};
    answer.update(RuleFields(rules));
    answer["chain"] = chain == nullptr ? Json(nullptr) : Json(*chain);
    if (!unknown.empty())
        answer["unknown"] = unknown;
    return answer;
}

Json TurnAnswer(const Turn &turn, int rules, const std::string &message, const DressFacts &dress)
{
    const auto factsOf = [&](const QuovantFacts &f) {
        Json facts = IdiomAnswer(Utf8Of(f.idiom), rules, &f);
        return dress ? dress(std::move(facts), f) : facts;
    };
    const auto optional = [&](const std::optional<QuovantFacts> &f) { return f ? factsOf(*f) : Json(nullptr); };
    Json hint = Json::array();
    for (const QuovantFacts &f : turn.hints)
        hint.push_back(factsOf(f));
    return Json{{"verdict", VerdictName(turn.verdict)},
                {"message", message},
                {"player", optional(turn.player)},
                {"computer", optional(turn.computer)},
                {"over", turn.over ? Json(VerdictName(*turn.over)) : Json(nullptr)},
                {"position", turn.position ? Json(OutcomeWord(*turn.position)) : Json(nullptr)},
                {"hint", hint}};
}
