// Running a program with pipes on POSIX systems: posix_spawn, and poll so
// that neither side waits on a full pipe.
#include "program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

extern char **environ;

// Appends what `fd` has to `text` once poll reported it; closes it at its end.
static void ReadSome(int &fd, short revents, std::string &text)
{
    if (fd < 0 || revents == 0)
        return;
    char buffer[4096];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    } else {
        close(fd);
        fd = -1;
    }
}

ProgramRun RunProgram(const std::string &program, const std::vector<std::string> &args, const std::string &input,
               OutputTo output)
{
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    if (output == OutputTo::DEV_FULL)
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/full", O_WRONLY, 0);
    else
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]})
        posix_spawn_file_actions_addclose(&actions, fd);

    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);

    // An ignored signal stays ignored in the new program.
    struct sigaction ignore = {}, before = {};
    ignore.sa_handler = output == OutputTo::CLOSED ? SIG_IGN : SIG_DFL;
    sigaction(SIGPIPE, &ignore, &before);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    sigaction(SIGPIPE, &before, nullptr);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    close(err[1]);
    if (output == OutputTo::CLOSED)
        close(out[0]), out[0] = -1;
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program);

    // Feeds the input and collects both outputs, whichever is ready.
    signal(SIGPIPE, SIG_IGN);  // a program that stops reading early must not end the test
    ProgramRun run{{}, {}, -1};
    std::size_t written = 0;
    if (input.empty())
        close(in[1]), in[1] = -1;
    while (in[1] >= 0 || out[0] >= 0 || err[0] >= 0) {
        pollfd fds[3] = {{in[1], POLLOUT, 0}, {out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
        if (poll(fds, 3, -1) < 0 && errno != EINTR)
            break;
        if (in[1] >= 0 && fds[0].revents != 0) {
            const ssize_t n = write(in[1], input.data() + written, input.size() - written);
            if (n > 0)
                written += static_cast<std::size_t>(n);
            if (n <= 0 || written == input.size())
                close(in[1]), in[1] = -1;
        }
        ReadSome(out[0], fds[1].revents, run.out);
        ReadSome(err[0], fds[2].revents, run.err);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

ProgramSession::ProgramSession(const std::string &program, const std::vector<std::string> &args)
{
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    for (int fd : {in[0], in[1], out[0], out[1]})
        posix_spawn_file_actions_addclose(&actions, fd);
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    in_ = in[1], out_ = out[0], pid_ = pid;
    if (spawned != 0)
        throw std::runtime_error("cannot start " + program);
    signal(SIGPIPE, SIG_IGN);
}

ProgramSession::~ProgramSession()
{
    close(in_);
    close(out_);
    waitpid(pid_, nullptr, 0);
}

void ProgramSession::Write(const std::string &text)
{
    for (std::size_t written = 0; written < text.size();) {
        const ssize_t n = write(in_, text.data() + written, text.size() - written);
        if (n <= 0)
            throw std::runtime_error("cannot write to the program");
        written += static_cast<std::size_t>(n);
    }
}

std::string ProgramSession::ReadLine(int seconds)
{
    for (int waited = 0; pending_.find('\n') == std::string::npos;) {
        pollfd fd{out_, POLLIN, 0};
        if (waited >= seconds * 10)
            return "(nothing within " + std::to_string(seconds) + " s)";
        if (poll(&fd, 1, 100) == 0) {
            ++waited;
            continue;
        }
        char buffer[4096];
        const ssize_t n = read(out_, buffer, sizeof buffer);
        if (n <= 0)
            return "(the output ended)";
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
    const std::size_t end = pending_.find('\n');
    const std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    return line;
}
