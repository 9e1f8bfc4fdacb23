// The subcommands that use the idiom knowledge: next, info and path (in text
// or as JSON), and play, a game against the computer. Their arguments come
// without the subcommand's name; each returns the tool's exit code.
#ifndef QUOVANT_CLI_EXPLORE_H
#define QUOVANT_CLI_EXPLORE_H

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli.h"
#include "quovant_knowledge.h"

int RunNext(const std::vector<std::string> &args, Console &console);
int RunInfo(const std::vector<std::string> &args, Console &console);
int RunPath(const std::vector<std::string> &args, Console &console);
int RunPlay(const std::vector<std::string> &args, Console &console);

// What the tool says of outcomes wherever it shows them.
extern const char OUTCOME_NOTE[];

// UTF-8 of a library text; empty for null.
std::string Utf8Of(const QuovantChar *text);

// A copy of a library text; empty for null.
std::u16string TextOf(const QuovantChar *text);

// "win", "loss" or "draw".
const char *OutcomeWord(int outcome);

// The candidates after `text` (GetIdiomCandidates), leaving out `played`;
// false when the library could not answer (out of memory).
bool CandidatesOf(const std::u16string &text, const std::vector<std::u16string> &played,
                  std::vector<QuovantFacts> &candidates);

// A JSON document as text; text that is not valid UTF-8 has U+FFFD.
std::string JsonText(const nlohmann::ordered_json &document);

// Tells the user why a subcommand failed: "quovant: MESSAGE" on standard
// error, and with `json` the one document on standard output,
// {"error": ERROR} (fixed English, for programs; MESSAGE when not given).
// Returns `code`, or EXIT_OUTPUT_FAILED when the document was not written.
int Fail(Console &console, bool json, int code, const std::string &message, const std::string &error);
int Fail(Console &console, bool json, int code, const std::string &message);

// True when a subcommand's arguments ask for JSON (--json before any "--").
bool WantsJson(const std::vector<std::string> &args);

// Tells the user that the library could not answer; the exit code for it.
int LibraryFailed(Console &console, bool json);

// Why `word` (UTF-8 or not) is not an idiom, for a message: the empty text,
// text that is not valid UTF-8 (shown with U+FFFD), or not in the dictionary.
std::string NotAnIdiom(std::string_view word);

// The facts of one idiom; false when it is not an idiom of the dictionary.
bool FactsOf(const std::u16string &idiom, QuovantFacts &facts);

#endif
