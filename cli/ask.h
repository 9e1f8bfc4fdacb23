// What the subcommands ask of the bound library's idiom knowledge, with the
// library's UTF-16 texts as the tool keeps them.
#ifndef QUOVANT_CLI_ASK_H
#define QUOVANT_CLI_ASK_H

#include <string>
#include <vector>

#include "quovant_knowledge.h"

// A library text as UTF-8, and as a copy of its units; empty for null.
std::string Utf8Of(const QuovantChar *text);
std::u16string TextOf(const QuovantChar *text);

// The candidates after `text` (GetIdiomCandidates), leaving out `played`;
// false when the library could not answer (out of memory).
bool CandidatesOf(const std::u16string &text, const std::vector<std::u16string> &played,
                  std::vector<QuovantFacts> &candidates);

// The facts of `idiom` (written exactly); false when it is not an idiom of
// the dictionary.
bool LookUpFacts(const std::u16string &idiom, QuovantFacts &facts);

#endif
