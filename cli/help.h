// The tool's help: the usage, the note on outcomes and the exit codes, in
// the user's language, wrapped where it is not written in lines already.
#ifndef QUOVANT_CLI_HELP_H
#define QUOVANT_CLI_HELP_H

#include <string>

// The usage, the note on outcomes, then every exit code with its meaning.
std::string HelpText();

#endif
