// make_midi: turns a tune written as note text into a Standard MIDI File (format 1).
//
// Input, one directive per line; a word starting with "#" begins a comment:
//   title <text>                 the name stored in the file
//   tempo <quarter notes per minute>
//   meter <beats>/<unit>         bar length, checked at every "|"
//   track <program> <velocity>   starts a part on the next free channel (GM program 0..127)
//   anything else                notes of the current part
// A note is PITCH[+PITCH...][/LENGTH]: PITCH is R (rest) or a letter A..G, an optional # or b
// and an octave (C4 = middle C); LENGTH is 1, 2, 4, 8, 16 or 32, optionally followed by "."
// (dotted) and "t" (triplet); without it the previous length holds. "|" marks a bar line,
// "[" ... "]xN" plays a passage N times, "~[/LENGTH]" holds the previous note longer.
//
// Usage: make_midi <tune.txt> <out.MID>
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int ticksPerQuarter = 480;
constexpr int ticksPerWhole = 4 * ticksPerQuarter;

struct ParseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Note {
    std::vector<int> keys; // empty for a rest
    int ticks = 0;
};

struct Part {
    int program = 0;
    int velocity = 80;
    int channel = 0;
    std::vector<Note> notes;
    // Open repeats: where each passage starts in notes.
    std::vector<std::size_t> repeatStarts;
    int barTicks = 0;    // length since the last bar line
    bool sawBar = false; // the first bar may be a pick-up
};

struct Tune {
    std::string title;
    int tempo = 120;
    int meterBeats = 4;
    int meterUnit = 4;
    std::vector<Part> parts;
};

// The MIDI key of a pitch name such as "C#4" or "Bb2".
int parseKey(const std::string& text)
{
    static const std::map<char, int> steps{{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                           {'G', 7}, {'A', 9}, {'B', 11}};
    const auto step = text.empty() ? steps.end() : steps.find(text[0]);
    if (step == steps.end())
        throw ParseError("bad pitch '" + text + "'");
    std::size_t pos = 1;
    int key = step->second;
    if (pos < text.size() && (text[pos] == '#' || text[pos] == 'b'))
        key += text[pos++] == '#' ? 1 : -1;
    if (pos >= text.size())
        throw ParseError("pitch '" + text + "' lacks its octave");
    int octave = 0;
    try {
        std::size_t used = 0;
        octave = std::stoi(text.substr(pos), &used);
        if (pos + used != text.size())
            throw ParseError("bad octave in '" + text + "'");
    } catch (const std::logic_error&) {
        throw ParseError("bad octave in '" + text + "'");
    }
    key += (octave + 1) * 12;
    if (key < 0 || key > 127)
        throw ParseError("pitch '" + text + "' out of range");
    return key;
}

// Ticks of a length such as "4", "8.", "8t".
int parseLength(std::string text)
{
    bool triplet = false;
    bool dotted = false;
    if (!text.empty() && text.back() == 't') {
        triplet = true;
        text.pop_back();
    }
    if (!text.empty() && text.back() == '.') {
        dotted = true;
        text.pop_back();
    }
    static const std::map<std::string, int> lengths{{"1", 1}, {"2", 2},   {"4", 4},
                                                    {"8", 8}, {"16", 16}, {"32", 32}};
    const auto found = lengths.find(text);
    if (found == lengths.end())
        throw ParseError("bad length '" + text + "'");
    int ticks = ticksPerWhole / found->second;
    if (dotted)
        ticks += ticks / 2;
    if (triplet)
        ticks = ticks * 2 / 3;
    return ticks;
}

// A "#" at the start of a word begins a comment; inside a word it is a sharp.
std::string withoutComment(const std::string& line)
{
    for (std::size_t i = 0; i < line.size(); ++i)
        if (line[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(line[i - 1]))))
            return line.substr(0, i);
    return line;
}

void addToken(Tune& tune, const std::string& token, int& lastLength)
{
    if (tune.parts.empty())
        throw ParseError("notes before the first 'track'");
    Part& part = tune.parts.back();
    if (token == "|") {
        const int bar = ticksPerWhole * tune.meterBeats / tune.meterUnit;
        if (part.sawBar && part.barTicks != bar)
            throw ParseError("bar of " + std::to_string(part.barTicks) + " ticks, expected " +
                             std::to_string(bar));
        part.sawBar = true;
        part.barTicks = 0;
        return;
    }
    if (token == "[") {
        part.repeatStarts.push_back(part.notes.size());
        return;
    }
    if (token.size() > 2 && token[0] == ']' && token[1] == 'x') {
        if (part.repeatStarts.empty())
            throw ParseError("']' without '['");
        const int times = std::stoi(token.substr(2));
        const std::size_t start = part.repeatStarts.back();
        part.repeatStarts.pop_back();
        const std::vector<Note> passage(part.notes.begin() + static_cast<long>(start),
                                        part.notes.end());
        for (int i = 1; i < times; ++i)
            part.notes.insert(part.notes.end(), passage.begin(), passage.end());
        return;
    }
    Note note;
    const auto slash = token.find('/');
    if (slash != std::string::npos)
        lastLength = parseLength(token.substr(slash + 1));
    if (lastLength == 0)
        throw ParseError("first note '" + token + "' has no length");
    if (token[0] == '~') { // tie: the previous note sounds on
        if (part.notes.empty())
            throw ParseError("tie without a note");
        part.notes.back().ticks += lastLength;
        part.barTicks += lastLength;
        return;
    }
    note.ticks = lastLength;
    const std::string pitches = token.substr(0, slash);
    if (pitches != "R") {
        std::stringstream chord(pitches);
        std::string pitch;
        while (std::getline(chord, pitch, '+'))
            note.keys.push_back(parseKey(pitch));
    }
    part.barTicks += note.ticks;
    part.notes.push_back(std::move(note));
}

Tune parseTune(std::istream& in)
{
    Tune tune;
    std::string line;
    int lineNumber = 0;
    int lastLength = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        try {
            line = withoutComment(line);
            std::istringstream words(line);
            std::string first;
            if (!(words >> first))
                continue;
            if (first == "title") {
                std::getline(words >> std::ws, tune.title);
            } else if (first == "tempo") {
                if (!(words >> tune.tempo) || tune.tempo < 20 || tune.tempo > 400)
                    throw ParseError("bad tempo");
            } else if (first == "meter") {
                char slash = 0;
                if (!(words >> tune.meterBeats >> slash >> tune.meterUnit) || slash != '/' ||
                    tune.meterBeats < 1 ||
                    (tune.meterUnit != 2 && tune.meterUnit != 4 && tune.meterUnit != 8))
                    throw ParseError("bad meter");
            } else if (first == "track") {
                Part part;
                if (!(words >> part.program >> part.velocity) || part.program < 0 ||
                    part.program > 127 || part.velocity < 1 || part.velocity > 127)
                    throw ParseError("bad track line");
                const int count = static_cast<int>(tune.parts.size());
                part.channel = count < 9 ? count : count + 1; // channel 10 is percussion
                if (part.channel > 15)
                    throw ParseError("too many tracks");
                tune.parts.push_back(std::move(part));
                lastLength = 0;
            } else {
                addToken(tune, first, lastLength);
                std::string token;
                while (words >> token)
                    addToken(tune, token, lastLength);
            }
        } catch (const std::exception& error) {
            throw ParseError("line " + std::to_string(lineNumber) + ": " + error.what());
        }
    }
    if (tune.parts.empty())
        throw ParseError("no 'track'");
    for (const Part& part : tune.parts)
        if (!part.repeatStarts.empty())
            throw ParseError("'[' without ']'");
    return tune;
}

void putVarLength(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::uint8_t bytes[5];
    int count = 0;
    do {
        bytes[count++] = value & 0x7f;
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(bytes[--count] | 0x80);
    out.push_back(bytes[0]);
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back((value >> (8 * i)) & 0xff);
}

struct Event {
    std::uint32_t tick;
    int order; // at the same tick: meta and program first, then note-offs, then note-ons
    std::vector<std::uint8_t> bytes;
};

std::vector<std::uint8_t> trackChunk(std::vector<Event> events, std::uint32_t endTick)
{
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<std::uint8_t> data;
    std::uint32_t now = 0;
    for (const Event& event : events) {
        putVarLength(data, event.tick - now);
        now = event.tick;
        data.insert(data.end(), event.bytes.begin(), event.bytes.end());
    }
    putVarLength(data, endTick - now);
    data.insert(data.end(), {0xff, 0x2f, 0x00});

    std::vector<std::uint8_t> chunk{'M', 'T', 'r', 'k'};
    putBigEndian(chunk, static_cast<std::uint32_t>(data.size()), 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    return chunk;
}

Event textEvent(std::uint8_t type, const std::string& text)
{
    Event event{0, 0, {0xff, type}};
    putVarLength(event.bytes, static_cast<std::uint32_t>(text.size()));
    event.bytes.insert(event.bytes.end(), text.begin(), text.end());
    return event;
}

std::vector<std::uint8_t> writeMidi(const Tune& tune)
{
    std::uint32_t endTick = 0;
    std::vector<std::vector<Event>> partEvents;
    for (const Part& part : tune.parts) {
        std::vector<Event> events;
        events.push_back(Event{0,
                               0,
                               {static_cast<std::uint8_t>(0xc0 | part.channel),
                                static_cast<std::uint8_t>(part.program)}});
        std::uint32_t tick = 0;
        for (const Note& note : part.notes) {
            // A short gap before the next note keeps repeated notes apart.
            const auto sounding = static_cast<std::uint32_t>(note.ticks - note.ticks / 12);
            for (int key : note.keys) {
                const auto k = static_cast<std::uint8_t>(key);
                events.push_back(Event{tick,
                                       2,
                                       {static_cast<std::uint8_t>(0x90 | part.channel), k,
                                        static_cast<std::uint8_t>(part.velocity)}});
                events.push_back(Event{
                    tick + sounding, 1, {static_cast<std::uint8_t>(0x80 | part.channel), k, 0}});
            }
            tick += static_cast<std::uint32_t>(note.ticks);
        }
        endTick = std::max(endTick, tick);
        partEvents.push_back(std::move(events));
    }

    std::vector<Event> conductor;
    conductor.push_back(textEvent(0x03, tune.title));
    Event tempo{0, 0, {0xff, 0x51, 0x03}};
    putBigEndian(tempo.bytes, static_cast<std::uint32_t>(60'000'000 / tune.tempo), 3);
    conductor.push_back(tempo);
    int unitPower = 0;
    for (int unit = tune.meterUnit; unit > 1; unit /= 2)
        ++unitPower;
    conductor.push_back(Event{0,
                              0,
                              {0xff, 0x58, 0x04, static_cast<std::uint8_t>(tune.meterBeats),
                               static_cast<std::uint8_t>(unitPower), 24, 8}});

    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd'};
    putBigEndian(file, 6, 4);
    putBigEndian(file, 1, 2);
    putBigEndian(file, static_cast<std::uint32_t>(tune.parts.size() + 1), 2);
    putBigEndian(file, ticksPerQuarter, 2);
    const auto first = trackChunk(conductor, endTick);
    file.insert(file.end(), first.begin(), first.end());
    for (const auto& events : partEvents) {
        const auto chunk = trackChunk(events, endTick);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_midi <tune.txt> <out.MID>\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << argv[1] << ": cannot read\n";
        return 1;
    }
    try {
        const auto bytes = writeMidi(parseTune(in));
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::cerr << argv[2] << ": cannot write\n";
            return 1;
        }
    } catch (const std::exception& error) {
        std::cerr << argv[1] << ": " << error.what() << '\n';
        std::remove(argv[2]);
        return 1;
    }
    return 0;
}
