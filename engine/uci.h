// UCI text: the commands we send and the reading of the engine's "info" lines. Pure functions
// over the rules library; no process, window or program state is touched here.
#pragma once

#include "kessrin.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

struct Settings;

// Coordinate text of move on board (the position before the move): the promotion letter only for
// a pawn reaching the last rank, and outside Chess960 a castling coded king-to-rook as the king's
// two-square step (e1h1 -> e1g1), which is what engines expect.
QString MoveToUci(const RulesBoard& board, MoveCode move);

// The "position" argument and what playing its moves showed.
struct PositionText {
    QString text;            // "startpos ..." or "fen ...", with " moves ..." when there are moves
    int reversiblePlies = 0; // plies since the last irreversible one among those sent
};
// The position after plies moves[0..count-1] from startFen; standardStart writes "startpos".
// A move the rules refuse ends the list there.
PositionText BuildPosition(bool standardStart, const QString& startFen, const MoveCode* moves,
                           int count);

// What limits a search for a move: the level (named levels negative, fixed depths 1..99, 100
// infinite, 0 a time control) and, for time controls, the clock values.
struct GoLimits {
    int level = 0;
    bool incMode = false;
    int timeLeftWhite = 0; // seconds
    int timeLeftBlack = 0;
    int incTime = 0;   // seconds per move; negative takes time away
    int movesLeft = 0; // moves to the next time control, for the side to move
};
// The limits text that follows "go" (each piece starts with a blank).
QString GoLimitsText(const GoLimits& limits);
// The whole "go" line: "go infinite" when analysing, else "go" (+ " ponder") + the limits.
QString GoLine(bool analysing, bool ponder, const GoLimits& limits);

// "setoption name <name> value <value>".
QString OptionLine(const QString& name, const QString& value);
// The option set sent after every handshake, in order, as (name, value).
std::vector<std::pair<QString, QString>> EngineOptionValues(const Settings& settings, int cpuCount);

// The leading decimal value of text from index from (blanks skipped, optional sign), 0 when
// there is none, clamped to low..high.
int LeadingNumber(const QString& text, qsizetype from, int low, int high);
// The number after the first occurrence of key in line, or nothing when key does not occur.
std::optional<int> NumberAfter(const QString& line, QLatin1StringView key, int low, int high);

// Score of an info line: mate in m is 10000 - m (mated: -10000 - m), "cp" its number, else 0.
// Nothing when there is no " score " or it is only a bound.
std::optional<int> ExactScore(const QString& line);
// Depth right-aligned in 3 columns, then the score in 8: "  9   (+35)", "  9    (-35)".
QString DepthScoreText(int depth, int score);
// " " + SAN of each move of the variation starting at index pvStart of line, played on board,
// with "+" or "#"; stops at the first move the rules refuse.
QString PvText(RulesBoard board, const QString& line, qsizetype pvStart);
// SAN of move on board with "+" or "#", or nothing when the move is illegal there.
std::optional<QString> SanWithCheck(const RulesBoard& board, MoveCode move);

// Elapsed search time as the thinking window shows it: "00:01:02.5 ->".
QString ElapsedText(int milliseconds);
// Whole milliseconds from start to now (both seconds since midnight), across midnight.
int ElapsedMs(double start, double now);

// One engine-log entry: the line in a coloured font tag, ended by CR LF.
QByteArray LogEntry(const QString& line, const char* colour);
