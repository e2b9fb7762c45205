#include "engine/vorsel.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr size_t ReadChunk = 64 * 1024;
// At most this much output is taken from the pipe in one poll.
constexpr size_t MaxReadPerPoll = 1024 * 1024;

// A write to an engine that has died must fail with EPIPE instead of ending the program.
void ignoreBrokenPipes()
{
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

void closeDescriptor(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

void sleepOneMs()
{
    const timespec pause{0, 1000 * 1000};
    nanosleep(&pause, nullptr);
}

} // namespace

EngineChannel::~EngineChannel()
{
    close();
}

void EngineChannel::open(const std::string& path)
{
    close();
    ignoreBrokenPipes();
    opened = true;
    inputEnded = false;

    int toPipe[2] = {-1, -1};
    int fromPipe[2] = {-1, -1};
    if (pipe2(toPipe, O_CLOEXEC) != 0) {
        inputEnded = true;
        return;
    }
    if (pipe2(fromPipe, O_CLOEXEC) != 0) {
        closeDescriptor(toPipe[0]);
        closeDescriptor(toPipe[1]);
        inputEnded = true;
        return;
    }

    // dup2 clears close-on-exec on the child's copies; everything else above 2 is closed.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toPipe[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);

    // Ignored signals stay ignored across exec: the engine gets SIGPIPE back at its default, and
    // no signal blocked by one of our threads stays blocked in it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::string program = path;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);

    closeDescriptor(toPipe[0]);
    closeDescriptor(fromPipe[1]);
    if (failed != 0) {
        closeDescriptor(toPipe[1]);
        closeDescriptor(fromPipe[0]);
        inputEnded = true;
        return;
    }
    child = pid;
    toChild = toPipe[1];
    fromChild = fromPipe[0];
    fcntl(toChild, F_SETFL, fcntl(toChild, F_GETFL) | O_NONBLOCK);
    fcntl(fromChild, F_SETFL, fcntl(fromChild, F_GETFL) | O_NONBLOCK);
}

void EngineChannel::flushPending()
{
    while (toChild >= 0 && !pending.empty()) {
        const ssize_t written = ::write(toChild, pending.data(), pending.size());
        if (written > 0) {
            pending.erase(0, static_cast<size_t>(written));
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else {
            if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
                // The engine closed its input: nothing more can reach it.
                pending.clear();
                closeDescriptor(toChild);
            }
            return;
        }
    }
}

void EngineChannel::writeLine(std::string_view text)
{
    if (toChild < 0)
        return;
    pending.append(text);
    pending.push_back('\n');
    flushPending();
}

void EngineChannel::fillBuffer()
{
    if (inputStart > 0 && inputStart >= input.size() / 2) {
        input.erase(0, inputStart);
        inputStart = 0;
    }
    // An engine that writes as fast as we read must not keep the caller here.
    char chunk[ReadChunk];
    for (size_t taken = 0; fromChild >= 0 && taken < MaxReadPerPoll;) {
        const ssize_t got = ::read(fromChild, chunk, sizeof chunk);
        if (got > 0) {
            input.append(chunk, static_cast<size_t>(got));
            taken += static_cast<size_t>(got);
            if (static_cast<size_t>(got) < sizeof chunk)
                return;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        inputEnded = true;
        closeDescriptor(fromChild);
        reap(false);
        return;
    }
}

std::optional<std::string_view> EngineChannel::readLine()
{
    if (!opened)
        return std::nullopt;
    flushPending();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const char* begin = input.data() + inputStart;
        const size_t available = input.size() - inputStart;
        const void* found =
            scanned < available ? std::memchr(begin + scanned, '\n', available - scanned) : nullptr;
        size_t length = 0;
        size_t consumed = 0;
        if (found && static_cast<const char*>(found) - begin <= std::ptrdiff_t(MaxLineLength)) {
            length = static_cast<size_t>(static_cast<const char*>(found) - begin);
            consumed = length + 1;
        } else if (available >= MaxLineLength) {
            length = consumed = MaxLineLength;
        } else if (inputEnded && available > 0) {
            length = consumed = available; // the last line had no line end
        } else {
            scanned = available;
            if (attempt == 0 && !inputEnded) {
                fillBuffer();
                continue;
            }
            return std::nullopt;
        }
        line.assign(begin, length);
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        inputStart += consumed;
        scanned = 0;
        return std::string_view(line);
    }
    return std::nullopt;
}

bool EngineChannel::atEnd() const
{
    return opened && inputEnded && inputStart >= input.size();
}

void EngineChannel::reap(bool force)
{
    if (child <= 0)
        return;
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
        child = -1;
        return;
    }
    if (!force)
        return;
    for (int waited = 0; waited < CloseGraceMs; ++waited) {
        sleepOneMs();
        if (waitpid(child, &status, WNOHANG) == child) {
            child = -1;
            return;
        }
    }
    ::kill(child, SIGKILL);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    child = -1;
}

void EngineChannel::close()
{
    if (!opened)
        return;
    flushPending();
    // End of input is the last word to an engine that ignored "quit".
    closeDescriptor(toChild);
    reap(true);
    closeDescriptor(fromChild);
    opened = false;
    inputEnded = false;
    input.clear();
    inputStart = scanned = 0;
    line.clear();
    pending.clear();
}

void VorselOpen(EngineChannel& channel, const QString& commandLine)
{
    channel.open(commandLine.toStdString());
}

void VorselLineOutput(EngineChannel& channel, const QString& line)
{
    const QByteArray text = line.toUtf8();
    channel.writeLine(std::string_view(text.constData(), static_cast<size_t>(text.size())));
}

std::optional<QString> VorselLineInput(EngineChannel& channel)
{
    const std::optional<std::string_view> line = channel.readLine();
    if (!line)
        return std::nullopt;
    return QString::fromUtf8(line->data(), static_cast<qsizetype>(line->size()));
}

bool VorselEof(EngineChannel& channel)
{
    return channel.atEnd();
}

void VorselClose(EngineChannel& channel)
{
    channel.close();
}

int GetMeldro(const QString& path)
{
    if (path.isEmpty())
        return 0;
    const QByteArray name = path.toLocal8Bit();
    struct stat info {};
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode) ||
        ::access(name.constData(), X_OK) != 0)
        return 0;
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    char head[4] = {};
    const ssize_t got = ::read(fd, head, sizeof head);
    ::close(fd);
    const bool elf = got == 4 && std::memcmp(head,
                                             "\x7f"
                                             "ELF",
                                             4) == 0;
    const bool script = got >= 2 && head[0] == '#' && head[1] == '!';
    return elf || script ? 3 : 0;
}
