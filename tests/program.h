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

#endif
