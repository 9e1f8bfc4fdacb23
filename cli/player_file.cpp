// The player's own idioms in the tool: read from their file at start, and
// add and remove, which edit the file.
#include <string>
#include <vector>

#include "ask.h"
#include "binding.h"
#include "cli.h"
#include "messages.h"
#include "options.h"
#include "player_idioms.h"
#include "utf8.h"

namespace {

const char NO_PLACE[] = N_("there is no place for your own idioms: set HOME (or XDG_DATA_HOME)");

// Reads the file into `content` ("" when it does not exist yet); false,
// after telling the user, when it exists and cannot be read, for nothing
// may then be written over it.
bool ReadPlayerFile(Console &console, const std::string &path, std::string &content)
{
    content.clear();
    if (!console.FileExists(path) || console.ReadTextFile(path, content))
        return true;
    console.Err("quovant: " + Said(N_("cannot read %1"), {ShownUtf8(path)}) + "\n");
    return false;
}

// The file's place and its content before an edit; 0, or the exit code
// after telling the user why not.
int ReadForEdit(Console &console, std::string &path, std::string &before)
{
    path = console.PlayerFile();
    if (path.empty())
        return Fail(console, false, EXIT_FILE_FAILED, NO_PLACE);
    return ReadPlayerFile(console, path, before) ? 0 : EXIT_FILE_FAILED;
}

// Puts the edited `content` in the file; 0, or the exit code after telling
// the user why not.
int WriteEdited(Console &console, const std::string &path, const std::string &content)
{
    if (const std::string error = console.ReplaceTextFile(path, content); !error.empty())
        return Fail(console, false, EXIT_FILE_FAILED, N_("cannot write your own idioms: %1"), {error});
    return 0;
}

// True when `idiom` could name a line of the file: one word, not empty.
bool IsOneWord(const std::string &idiom)
{
    return !idiom.empty() && idiom.find_first_of(" \t\r\n") == std::string::npos;
}

// The message of a line left out: the reason, and the line's place.
std::string LeftOut(const std::string &path, const PlayerLine &line, int result)
{
    return ShownUtf8(path) + ":" + std::to_string(line.number) + ": " +
           Said(PlayerResultMessage(result), {ShownUtf8(line.idiom)}) + " " + Said(N_("(left out of the game)"));
}

}  // namespace

void LoadPlayerIdioms(Console &console)
{
    if (g_library.SetPlayerIdioms == nullptr)
        return;
    const std::string path = console.PlayerFile();
    std::string content;
    if (path.empty() || !ReadPlayerFile(console, path, content))
        return;
    const std::vector<PlayerLine> lines = PlayerLines(content);
    if (lines.empty())
        return;
    std::vector<int> results;
    if (SetPlayerLines(lines, results) < 0) {
        console.Err("quovant: " + Said(N_("your own idioms could not be taken (out of memory)")) + "\n");
        return;
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (results[i] != QUOVANT_PLAYER_ADDED)
            console.Err("quovant: " + LeftOut(path, lines[i], results[i]) + "\n");
}

int RunAdd(const Options &options, Console &console)
{
    if (options.words.empty())
        return Fail(console, false, EXIT_USAGE, N_("add takes an idiom and, if you like, its reading (see quovant --help)"));
    const std::string &idiom = options.words[0];
    std::string reading;
    for (std::size_t i = 1; i < options.words.size(); ++i)
        reading += (i > 1 ? " " : "") + options.words[i];
    if (!Utf8ToUtf16(idiom) || !Utf8ToUtf16(reading))
        return Fail(console, false, EXIT_USAGE, N_("the idiom or its reading is not valid UTF-8"));
    if (!IsOneWord(idiom) || reading.find_first_of("\r\n") != std::string::npos)
        return Fail(console, false, EXIT_USAGE, PlayerResultMessage(QUOVANT_PLAYER_NOT_IDIOM), {ShownUtf8(idiom)});
    // The file as it would be, tried on the library first: nothing is
    // written for an idiom it would not take.
    std::string path, before;
    if (const int code = ReadForEdit(console, path, before))
        return code;
    const std::string content = WithPlayerIdiom(before, idiom, reading);
    const std::vector<PlayerLine> lines = PlayerLines(content);
    std::vector<int> results;
    if (SetPlayerLines(lines, results) < 0)
        return LibraryFailed(console, false);
    bool named = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].idiom != idiom)
            continue;
        named = true;
        if (results[i] != QUOVANT_PLAYER_ADDED)
            return Fail(console, false, EXIT_USAGE, PlayerResultMessage(results[i]), {idiom});
    }
    if (!named)
        return Fail(console, false, EXIT_USAGE, PlayerResultMessage(QUOVANT_PLAYER_NOT_IDIOM), {idiom});
    if (const int code = WriteEdited(console, path, content))
        return code;

    QuovantFacts facts{};
    std::string told = Said(N_("added %1 to your own idioms (%2)"), {idiom, ShownUtf8(path)}) + "\n";
    if (LookUpFacts(options.rules, Utf8ToUtf16Lossy(idiom), facts) == QUOVANT_FOUND && facts.reading != nullptr) {
        told += "  " + Utf8Of(facts.reading) + "\n";
        if (facts.origin == QUOVANT_FROM_PLAYER_CUSTOMARY)
            told += Said(N_("(each character read by its most customary reading; to read it otherwise, give the "
                            "reading: quovant add %1 wan4 li3 ...)"),
                         {idiom}) +
                    "\n";
    }
    return console.Out(told) ? EXIT_ALL_FOUND : EXIT_OUTPUT_FAILED;
}

int RunRemove(const Options &options, Console &console)
{
    if (options.words.size() != 1)
        return Fail(console, false, EXIT_USAGE, N_("remove takes one idiom (see quovant --help)"));
    const std::string &idiom = options.words[0];
    if (!IsOneWord(idiom))
        return Fail(console, false, EXIT_NOT_FOUND, N_("%1 is not one of your own idioms (%2)"),
                    {ShownUtf8(idiom), ShownUtf8(console.PlayerFile())});
    std::string path, before;
    if (const int code = ReadForEdit(console, path, before))
        return code;
    bool found = false;
    const std::string content = WithoutPlayerIdiom(before, idiom, &found);
    if (!found)
        return Fail(console, false, EXIT_NOT_FOUND, N_("%1 is not one of your own idioms (%2)"),
                    {ShownUtf8(idiom), ShownUtf8(path)});
    if (const int code = WriteEdited(console, path, content))
        return code;
    return console.Out(Said(N_("removed %1 from your own idioms"), {idiom}) + "\n") ? EXIT_ALL_FOUND
                                                                                     : EXIT_OUTPUT_FAILED;
}
