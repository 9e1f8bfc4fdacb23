// The quovant tool's entry on Windows: wide-character arguments, and the
// console's own wide-character API where a stream is a console, so that
// Chinese text shows whatever the console's code page; UTF-8 bytes where a
// stream is a file or a pipe.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli.h"
#include "messages.h"
#include "player_idioms.h"
#include "utf8.h"

namespace {

class WindowsConsole : public Console {
public:
    bool ReadLine(std::string &line) override
    {
        line.clear();
        bool any = false;
        char c;
        while (NextByte(c)) {
            any = true;
            if (c == '\n')
                break;
            line += c;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // Ctrl+Z at the start of a typed line ends the input, as it does for
        // every console program on Windows.
        if (any && fromConsole_ && !line.empty() && line[0] == '\x1A')
            return false;
        return any;
    }
    // Lines are answered one by one here, each answer written at once.
    bool LineWaiting() const override { return false; }

    bool Out(std::string_view text) override
    {
        if (!Write(GetStdHandle(STD_OUTPUT_HANDLE), text)) {
            outputError_ = GetLastError();
            return false;
        }
        return true;
    }

    void Err(std::string_view text) override { Write(GetStdHandle(STD_ERROR_HANDLE), text); }

    bool InputIsTerminal() const override { return IsConsole(GetStdHandle(STD_INPUT_HANDLE)); }

    bool ReadTextFile(const std::string &path, std::string &content) override
    {
        const std::u16string wide = Utf8ToUtf16(path).value_or(u"");
        FILE *file = _wfopen(reinterpret_cast<const wchar_t *>(wide.c_str()), L"rb");
        if (file == nullptr)
            return false;
        content.clear();
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, file)) > 0;)
            content.append(buffer, n);
        const bool ok = !ferror(file);
        fclose(file);
        return ok;
    }

    std::string OutputError() const override
    {
        if (outputError_ == ERROR_NO_DATA || outputError_ == ERROR_BROKEN_PIPE)
            return {};
        return ErrorText(outputError_);
    }

    bool FileExists(const std::string &path) const override
    {
        const std::u16string wide = Utf8ToUtf16(path).value_or(u"");
        return GetFileAttributesW(reinterpret_cast<const wchar_t *>(wide.c_str())) != INVALID_FILE_ATTRIBUTES ||
               (GetLastError() != ERROR_FILE_NOT_FOUND && GetLastError() != ERROR_PATH_NOT_FOUND);
    }

    std::string PlayerFile() const override
    {
        const wchar_t *appData = _wgetenv(L"APPDATA");
        return PlayerFilePathUnder(
            appData != nullptr ? Utf16ToUtf8(reinterpret_cast<const char16_t *>(appData)).c_str() : nullptr);
    }

    std::string ReplaceTextFile(const std::string &path, const std::string &content) override
    {
        const std::u16string wide = Utf8ToUtf16(path).value_or(u"");
        // The folders on the way, each made where missing (the drive's own fails, harmlessly).
        for (std::size_t at = wide.find(u'\\'); at != std::u16string::npos; at = wide.find(u'\\', at + 1))
            CreateDirectoryW(reinterpret_cast<const wchar_t *>(wide.substr(0, at).c_str()), nullptr);
        const std::u16string written = wide + u".new";
        const auto *writtenName = reinterpret_cast<const wchar_t *>(written.c_str());
        HANDLE file = CreateFileW(writtenName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return path + ".new: " + ErrorText(GetLastError());
        const bool ok = Write(file, content) && FlushFileBuffers(file);
        const DWORD writeError = GetLastError();
        CloseHandle(file);
        if (!ok) {
            DeleteFileW(writtenName);
            return path + ".new: " + ErrorText(writeError);
        }
        if (!MoveFileExW(writtenName, reinterpret_cast<const wchar_t *>(wide.c_str()),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            const DWORD moveError = GetLastError();
            DeleteFileW(writtenName);
            return path + ": " + ErrorText(moveError);
        }
        return {};
    }

private:
    // The system's description of `error`, without its closing full stop.
    static std::string ErrorText(DWORD error)
    {
        wchar_t *message = nullptr;
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t *>(&message), 0, nullptr);
        std::string text = message != nullptr ? Utf16ToUtf8(reinterpret_cast<const char16_t *>(message))
                                              : "error " + std::to_string(error);
        LocalFree(message);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
            text.pop_back();
        return text;
    }

    static bool IsConsole(HANDLE handle)
    {
        DWORD mode = 0;
        return GetConsoleMode(handle, &mode) != 0;
    }

    // Writes all of `text`; false with GetLastError set when that failed.
    static bool Write(HANDLE handle, std::string_view text)
    {
        if (IsConsole(handle)) {
            const std::u16string wide = Utf8ToUtf16(text).value_or(u"?");
            DWORD written = 0;
            return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
        }
        while (!text.empty()) {
            DWORD written = 0;
            if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
                return false;
            text.remove_prefix(written);
        }
        return true;
    }

    // Standard input a byte at a time, as UTF-8: typed console text is read
    // with ReadConsoleW and converted.
    bool NextByte(char &c)
    {
        if (next_ == pending_.size() && !Fill())
            return false;
        c = pending_[next_++];
        return true;
    }

    bool Fill()
    {
        HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
        DWORD read = 0;
        fromConsole_ = IsConsole(input);
        if (fromConsole_) {
            char16_t wide[512];
            if (!ReadConsoleW(input, wide, 512, &read, nullptr) || read == 0)
                return false;
            pending_ = Utf16ToUtf8(std::u16string_view(wide, read));
            next_ = 0;
            return !pending_.empty();
        } else {
            char bytes[4096];
            if (!ReadFile(input, bytes, sizeof bytes, &read, nullptr) || read == 0)
                return false;
            pending_.assign(bytes, read);
            next_ = 0;
        }
        return true;
    }

    std::string pending_;     // input read but not yet taken
    std::size_t next_ = 0;    // the next byte of pending_ to take
    bool fromConsole_ = false;  // pending_ was typed at a console
    DWORD outputError_ = 0;     // why standard output last failed
};

}  // namespace

int wmain(int argc, wchar_t **argv)
{
    InitMessages();
    WindowsConsole console;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t *>(argv[i])));
    return RunQuovant(args, console);
}
