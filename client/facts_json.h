// An idiom's facts as JSON, the one shape that the tool's answers give (the
// page's add its Chinese words to it): its followers, outcome, whether that
// is proven, reading, meaning, English and commonness. Strings are UTF-8.
#ifndef QUOVANT_CLIENT_FACTS_JSON_H
#define QUOVANT_CLIENT_FACTS_JSON_H

#include <nlohmann/json.hpp>

#include <string>

#include "quovant_knowledge.h"

// A JSON document as one line of text with its line end; text that is not
// valid UTF-8 shows U+FFFD.
std::string JsonText(const nlohmann::ordered_json &document);

// Appends "followers", "outcome" (facts.h's English word), "proven" (true
// or false), "reading", "meaning", "english" (each null where there is
// none) and "commonness" (0 to QUOVANT_COMMONNESS_MAX, null where the
// figures are unavailable) to `object`, in that order.
void AppendFactsJson(nlohmann::ordered_json &object, const QuovantFacts &facts);

#endif
