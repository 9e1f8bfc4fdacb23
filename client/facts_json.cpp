// An idiom's facts as JSON.
#include "facts_json.h"

#include "facts.h"
#include "utf8.h"

namespace {

// A text of the library as a JSON string, or null where there is none.
nlohmann::ordered_json TextOrNull(const QuovantChar *text)
{
    return text == nullptr ? nlohmann::ordered_json(nullptr)
                           : nlohmann::ordered_json(Utf16ToUtf8(reinterpret_cast<const char16_t *>(text)));
}

}  // namespace

void AppendFactsJson(nlohmann::ordered_json &object, const QuovantFacts &facts)
{
    object["followers"] = facts.followers;
    object["outcome"] = OutcomeWord(facts.outcome);
    object["proven"] = facts.proven != 0;
    object["reading"] = TextOrNull(facts.reading);
    object["meaning"] = TextOrNull(facts.meaning);
    object["english"] = TextOrNull(facts.english);
    object["commonness"] = facts.commonness == QUOVANT_COMMONNESS_UNAVAILABLE ? nlohmann::ordered_json(nullptr)
                                                                              : nlohmann::ordered_json(facts.commonness);
    object["origin"] = OriginWord(facts.origin);
}

std::string JsonText(const nlohmann::ordered_json &document)
{
    return document.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}
