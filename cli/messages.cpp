// The messages' helpers that every platform shares.
#include "messages.h"

#include "facts.h"

std::string Said(const char *message, std::initializer_list<std::string_view> values)
{
    return FilledMessage(Tr(message), values);
}

std::string OutcomeSaid(const QuovantFacts &facts)
{
    const char *word = Tr(OutcomeWord(facts.outcome));
    return facts.proven ? Said(N_("%1 (proven)"), {word}) : std::string(word);
}
