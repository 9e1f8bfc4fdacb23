// The quovant tool's entry on POSIX systems: UTF-8 arguments and streams.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "binding.h"
#include "cli.h"

namespace {

class StdConsole : public Console {
public:
    bool ReadLine(std::string &line) override
    {
        if (!std::getline(std::cin, line))
            return false;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    }
    void Out(std::string_view text) override { std::cout << text << std::flush; }
    void Err(std::string_view text) override { std::cerr << text << std::flush; }
};

}  // namespace

int main(int argc, char **argv)
{
    std::ios::sync_with_stdio(false);
    StdConsole console;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool help = !args.empty() && (args[0] == "--help" || args[0] == "-h");
    if (!help && !BindLibrary(LIBRARY_FILE_NAME)) {
        console.Err("quovant: " + Utf16ToUtf8(MISSING_LIBRARY_TEXT) + "\n");
        return 2;
    }
    return RunQuovant(args, console);
}
