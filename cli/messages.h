// What the tool says to people, in their language: English in the source,
// translated from a gettext catalogue where the platform has one
// (messages_gettext.cpp) and left English where it has none
// (messages_english.cpp). JSON, idioms, readings and meanings never come
// through here; nor do the product's own Chinese texts, the same in every
// language.
#ifndef QUOVANT_CLI_MESSAGES_H
#define QUOVANT_CLI_MESSAGES_H

#include <initializer_list>
#include <string>
#include <string_view>

#include "message.h"
#include "quovant_knowledge.h"

// Chooses the language from the environment (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG) and finds the catalogue in ../share/locale from the program's own
// folder. Called once, first; without a catalogue the tool speaks English.
void InitMessages();

// `message` in the user's language; itself where there is no translation
// (and the empty message empty).
const char *Tr(const char *message);

// The system's description of the error number `error` (errno), in the
// user's language where the system has it, always UTF-8.
std::string SystemErrorText(int error);

// `message` translated, with its places (%1...) filled with `values`.
std::string Said(const char *message, std::initializer_list<std::string_view> values = {});

// A note set aside in brackets, %1.
inline constexpr char NOTE_ASIDE[] = N_("(%1)");

// An outcome as the text output says it: its word, marked where proven
// ("loss (proven)").
std::string OutcomeSaid(const QuovantFacts &facts);

#endif
