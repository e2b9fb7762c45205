// The engine process layer: starts a console engine with its standard input and output on pipes
// and exchanges text lines with it, never blocking the caller.
#pragma once

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

// One engine process and its two pipes. Closing (or destroying) the channel ends the process:
// it is given a short grace time to quit by itself, then killed, and always reaped.
class EngineChannel {
public:
    EngineChannel() = default;
    ~EngineChannel();
    EngineChannel(const EngineChannel&) = delete;
    EngineChannel& operator=(const EngineChannel&) = delete;

    // Starts the program at path (no arguments); a channel already open is closed first. A
    // program that cannot be started shows up as end of input.
    void open(const std::string& path);
    // Sends one line; the line end is added. Lines to a dead or closed engine are dropped.
    void writeLine(std::string_view line);
    // The next complete output line without its line end, or nothing when none is waiting. The
    // view stays valid until the next call on this channel.
    std::optional<std::string_view> readLine();
    // True once the process has closed its output and every line of it has been read.
    bool atEnd() const;
    // Ends the process (see above) and releases both pipes.
    void close();

    bool isOpen() const { return opened; }
    // The read end of the output pipe, for waiting on it; -1 once it is closed.
    int outputDescriptor() const { return fromChild; }
    pid_t processId() const { return child; }

    // Output lines longer than this are delivered in pieces of this length.
    static constexpr size_t MaxLineLength = 64 * 1024;
    // How long close waits for a process to end by itself before killing it.
    static constexpr int CloseGraceMs = 1000;

private:
    void fillBuffer();
    void flushPending();
    void reap(bool force);

    bool opened = false;
    pid_t child = -1;
    int toChild = -1;
    int fromChild = -1;
    bool inputEnded = false; // the read pipe reported end of file
    std::string input;       // bytes read and not yet handed out
    size_t inputStart = 0;   // first byte of input not handed out
    size_t scanned = 0;      // bytes after inputStart already searched for a line end
    std::string line;        // the line last handed out
    std::string pending;     // output the pipe could not take yet
};

// The calls the rest of the program makes, one channel per engine.
void VorselOpen(EngineChannel& channel, const QString& commandLine);
void VorselLineOutput(EngineChannel& channel, const QString& line);
// One complete line, or nothing; never blocks.
std::optional<QString> VorselLineInput(EngineChannel& channel);
// True once the child has ended and all its output was read.
bool VorselEof(EngineChannel& channel);
void VorselClose(EngineChannel& channel);
// 3 for a regular executable file that is an ELF binary or a "#!" script, else 0.
int GetMeldro(const QString& path);
