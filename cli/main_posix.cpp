// The quovant tool's entry on POSIX systems: UTF-8 arguments and streams.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli.h"
#include "messages.h"
#include "player_idioms.h"

namespace {

class StdConsole : public Console {
public:
    // Standard input is read in large chunks into a buffer of its own, so
    // that LineWaiting can see whether a further line has come already.
    bool ReadLine(std::string &line) override
    {
        for (;;) {
            // Only what came since the last look is searched: a long line
            // read in many chunks is scanned once.
            const std::size_t end = input_.find('\n', std::max(start_, scanned_));
            if (end != std::string::npos || (ended_ && start_ < input_.size())) {
                const std::size_t stop = end != std::string::npos ? end : input_.size();
                line.assign(input_, start_, stop - start_);
                start_ = scanned_ = stop + (end != std::string::npos ? 1 : 0);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                return true;
            }
            if (ended_)
                return false;
            input_.erase(0, start_);
            start_ = 0;
            const std::size_t kept = scanned_ = input_.size();
            input_.resize(kept + INPUT_CHUNK);
            ssize_t n;
            while ((n = read(STDIN_FILENO, input_.data() + kept, INPUT_CHUNK)) < 0 && errno == EINTR) {
            }
            input_.resize(kept + (n > 0 ? static_cast<std::size_t>(n) : 0));
            ended_ = n <= 0;  // the end of input, or an error reading it
        }
    }

    bool LineWaiting() const override { return input_.find('\n', start_) != std::string::npos; }

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
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        content.clear();
        char buffer[64 * 1024];
        ssize_t n;
        while ((n = read(fd, buffer, sizeof buffer)) != 0) {
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                break;  // a read that fails midway is no content
            content.append(buffer, static_cast<std::size_t>(n));
        }
        close(fd);
        return n == 0;
    }

    bool FileExists(const std::string &path) const override
    {
        std::error_code error;
        // What cannot be looked at may be there: it counts as existing.
        return std::filesystem::exists(path, error) || error;
    }

    std::string PlayerFile() const override { return PlayerFilePath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME")); }

    std::string ReplaceTextFile(const std::string &path, const std::string &content) override
    {
        // A link to the file (dotfiles kept elsewhere) stays a link: its
        // target is what is replaced, keeping its mode.
        std::error_code error;
        std::string target = path;
        if (std::filesystem::is_symlink(path, error))
            if (const auto real = std::filesystem::canonical(path, error); !error)
                target = real.string();
        std::filesystem::create_directories(std::filesystem::path(target).parent_path(), error);
        struct stat before {};
        const mode_t mode = stat(target.c_str(), &before) == 0 ? (before.st_mode & 07777) : 0644;
        // A name of its own beside the file, so that two runs at once never share one.
        std::string written = target + ".XXXXXX";
        const int fd = mkstemp(written.data());
        if (fd < 0)
            return target + ": " + SystemErrorText(errno);
        const bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, content) && fsync(fd) == 0;
        const int writeErrno = errno;
        if (close(fd) != 0 || !ok) {
            const int closeErrno = errno;
            unlink(written.c_str());
            return written + ": " + SystemErrorText(ok ? closeErrno : writeErrno);
        }
        if (rename(written.c_str(), target.c_str()) != 0) {
            const int renameErrno = errno;
            unlink(written.c_str());
            return target + ": " + SystemErrorText(renameErrno);
        }
        return {};
    }

    std::string OutputError() const override
    {
        return outputErrno_ == EPIPE ? std::string() : SystemErrorText(outputErrno_);
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

    static constexpr std::size_t INPUT_CHUNK = 64 * 1024;
    std::string input_;      // standard input read so far and not yet taken
    std::size_t start_ = 0;    // where the next line begins in input_
    std::size_t scanned_ = 0;  // input_ before this holds no line end after start_
    bool ended_ = false;     // no more input comes
    int outputErrno_ = 0;
};

}  // namespace

int main(int argc, char **argv)
{
    InitMessages();
    StdConsole console;
    return RunQuovant(std::vector<std::string>(argv + 1, argv + argc), console);
}
