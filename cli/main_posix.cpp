// The quovant tool's entry on POSIX systems: UTF-8 arguments and streams.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

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

    bool InputIsTerminal() const override { return isatty(STDIN_FILENO) != 0; }

    bool ReadTextFile(const std::string &path, std::string &content) override
    {
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error))
            return false;
        std::ifstream in(path, std::ios::binary);
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return in.good() || in.eof();
    }

    std::string OutputError() const override
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
    return RunQuovant(std::vector<std::string>(argv + 1, argv + argc), console);
}
