// The quovant tool's entry on POSIX systems: UTF-8 arguments and streams.
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

    bool Out(std::string_view text) override
    {
        if (!WriteAll(STDOUT_FILENO, text)) {
            outputErrno_ = errno;
            return false;
        }
        return true;
    }

    void Err(std::string_view text) override { WriteAll(STDERR_FILENO, text); }

    // Why standard output failed, for the user; empty when its reader has
    // gone (a closed pipe), which ends the tool quietly.
    std::string OutputError() const
    {
        return outputErrno_ == EPIPE ? std::string() : std::strerror(outputErrno_);
    }

private:
    static bool WriteAll(int fd, std::string_view text)
    {
        while (!text.empty()) {
            const ssize_t n = write(fd, text.data(), text.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            text.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }

    int outputErrno_ = 0;
};

}  // namespace

int main(int argc, char **argv)
{
    StdConsole console;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool help = !args.empty() && (args[0] == "--help" || args[0] == "-h");
    if (!help && !BindLibrary(LIBRARY_FILE_NAME)) {
        console.Err("quovant: " + Utf16ToUtf8(MISSING_LIBRARY_TEXT) + "\n");
        return EXIT_NO_LIBRARY;
    }
    const int code = RunQuovant(args, console);
    if (code == EXIT_OUTPUT_FAILED && !console.OutputError().empty())
        console.Err("quovant: cannot write standard output: " + console.OutputError() + "\n");
    return code;
}
