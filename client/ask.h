// What the tool and the page ask of the bound library's idiom knowledge, with
// the library's UTF-16 texts as they keep them.
#ifndef QUOVANT_CLIENT_ASK_H
#define QUOVANT_CLIENT_ASK_H

#include <cstdint>
#include <string>
#include <vector>

#include "quovant_knowledge.h"

// A library text as UTF-8, and as a copy of its units; empty for null.
std::string Utf8Of(const QuovantChar *text);
std::u16string TextOf(const QuovantChar *text);

// True when the library can answer under `rules`: false when the readings
// a rule of sound needs are damaged (or memory ran out).
bool CanAnswerBy(int rules);

// The candidates after `text` under `rules` in the game where `played` have
// been played (GetIdiomCandidatesByRule), the first `limit` of them (the
// library works out the facts of those alone); false when the library could
// not answer (out of memory, or no readings for a rule of sound).
bool CandidatesOf(int rules, const std::u16string &text, const std::vector<std::u16string> &played,
                  std::vector<QuovantFacts> &candidates, std::size_t limit = SIZE_MAX);

// The candidates listed after `text` asked for as the next move: as
// CandidatesOf, with `text` itself out of the game too when it is an idiom
// (it has just been played).
bool NextCandidatesOf(int rules, const std::u16string &text, std::vector<std::u16string> played,
                      std::vector<QuovantFacts> &candidates, std::size_t limit = SIZE_MAX);

// A shortest chain from the idiom `from` to the idiom `to` under `rules`
// (GetIdiomChainByRule): its result, with `chain` filled (as UTF-8) on
// QUOVANT_FOUND.
int ChainOf(int rules, const std::u16string &from, const std::u16string &to, std::vector<std::string> &chain);

// The facts of `idiom` (written exactly) under `rules`: the result of
// GetIdiomFactsByRule.
int LookUpFacts(int rules, const std::u16string &idiom, QuovantFacts &facts);

#endif
