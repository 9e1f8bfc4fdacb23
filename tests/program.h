// Running a program of the project as a user does, for the tests of its
// streams and exit codes.
#ifndef QUOVANT_TESTS_PROGRAM_H
#define QUOVANT_TESTS_PROGRAM_H

#include <string>
#include <vector>

// Where the program's standard output goes.
enum class OutputTo {
    PIPE,       // read back into ProgramRun::out
    DEV_FULL,   // a device that is always full
    CLOSED,     // a pipe whose reader has gone, with SIGPIPE ignored
};

struct ProgramRun {
    std::string out;  // standard output
    std::string err;  // standard error
    int code;         // exit code, or 128 + the signal that ended it
};

// Runs `program` with `args`, `input` on its standard input, and waits for it.
ProgramRun RunProgram(const std::string &program, const std::vector<std::string> &args, const std::string &input = "",
               OutputTo output = OutputTo::PIPE);

// A program kept running with pipes to its standard input and output, for a
// test that writes a line and waits for the answer before the next.
class ProgramSession {
public:
    ProgramSession(const std::string &program, const std::vector<std::string> &args);
    ~ProgramSession();  // ends its input and waits for it
    ProgramSession(const ProgramSession &) = delete;
    ProgramSession &operator=(const ProgramSession &) = delete;

    // Writes `text` to its standard input.
    void Write(const std::string &text);
    // The next line of its standard output without its "\n", or "(nothing
    // within N s)" when none comes within `seconds`.
    std::string ReadLine(int seconds);

private:
    int pid_ = -1, in_ = -1, out_ = -1;
    std::string pending_;  // output read and not yet taken as a line
};

#endif
