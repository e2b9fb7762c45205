// A UCI engine for tests that follows a script of expected lines and replies.
//
// The script is the file named by the first argument, else by QUORVIN_ENGINE_SCRIPT. One command
// per line:
//   expect TEXT     read input lines until one starts with TEXT (end of input: exit 0)
//   send TEXT       write TEXT and a line end
//   raw TEXT        write TEXT as it is, after turning \r, \n and \\ into their characters
//   flood N TEXT    write the line TEXT N times
//   long N          write one line of N letters x
//   sleep MS        pause
//   exit CODE       end at once, as a crash would
//   hang            stop reading and never end by itself
// After the last command the engine reads on until "quit" or the end of its input.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

void writeAll(const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, text.data() + done, text.size() - done);
        if (n <= 0)
            std::exit(3);
        done += static_cast<size_t>(n);
    }
}

std::string unescape(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            const char c = text[++i];
            out += c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Splits "word rest" into the word and the rest.
std::pair<std::string, std::string> command(const std::string& line)
{
    const size_t blank = line.find(' ');
    if (blank == std::string::npos)
        return {line, ""};
    return {line.substr(0, blank), line.substr(blank + 1)};
}

} // namespace

int main(int argc, char** argv)
{
    const char* path = argc > 1 ? argv[1] : std::getenv("QUORVIN_ENGINE_SCRIPT");
    if (!path)
        return 2;
    std::ifstream script(path);
    if (!script)
        return 2;

    std::string step;
    std::string input;
    while (std::getline(script, step)) {
        const auto [word, rest] = command(step);
        if (word == "expect") {
            do {
                if (!std::getline(std::cin, input))
                    return 0;
            } while (input.rfind(rest, 0) != 0);
        } else if (word == "send") {
            writeAll(rest + "\n");
        } else if (word == "raw") {
            writeAll(unescape(rest));
        } else if (word == "flood") {
            const auto [count, text] = command(rest);
            const std::string line = text + "\n";
            std::string block;
            for (long i = std::stol(count); i > 0; --i) {
                block += line;
                if (block.size() > 60000) {
                    writeAll(block);
                    block.clear();
                }
            }
            writeAll(block);
        } else if (word == "long") {
            writeAll(std::string(std::stoul(rest), 'x') + "\n");
        } else if (word == "sleep") {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stol(rest)));
        } else if (word == "exit") {
            std::_Exit(std::atoi(rest.c_str()));
        } else if (word == "hang") {
            for (;;)
                pause();
        }
    }
    while (std::getline(std::cin, input))
        if (input == "quit")
            return 0;
    return 0;
}
