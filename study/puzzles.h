// Endgame puzzles: the series of puzzle files "ENDGAMES/<name>.EPD" (one "position; title" a
// line), the list to choose one from, and a game started from it against the computer.
#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// One puzzle series of the Challenge menu (mnEndgames(index)).
struct PuzzleSeries {
    const char* caption;
    const char* name; // file ENDGAMES/<name>.EPD
    const char* title;
};
inline constexpr PuzzleSeries PuzzleSeriesTable[6] = {
    {"Mate in &2", "2", "Mate in 2"}, {"Mate in &3", "3", "Mate in 3"},
    {"Mate in &4", "4", "Mate in 4"}, {"Mate in &5", "5", "Mate in 5"},
    {"&Endgames", "1", "Endgames"},   {"Force a &Draw", "0", "Force a Draw"},
};

constexpr int MaxPuzzles = 1024;
// Longer lines are no puzzle: reading stops looking at them after this many characters.
constexpr int MaxPuzzleLineLength = 4096;
// The level a puzzle is defended at ("Expert").
constexpr int PuzzleLevel = -9;

struct PuzzleState {
    QStringList PuzzleFens; // position texts of the loaded series
    QStringList Titles;     // their titles, as the list shows them
    int PuzzleCount = 0;
    bool PuzzleActive = false; // the game was started from a puzzle; cleared by ResetGame

    void reset() { *this = PuzzleState{}; }
};
extern PuzzleState Puzzles;

// A puzzle line split at its first "; ": the position without trailing blanks and the title
// without leading blanks; nothing for a line without the separator.
struct PuzzleLine {
    QString fen;
    QString title;
};
std::optional<PuzzleLine> ParsePuzzleLine(const QString& line);

// The puzzles of a file that the rules library can play, at most MaxPuzzles; nothing when the
// file cannot be opened. Blank, overlong, binary and unplayable lines are skipped.
std::optional<std::vector<PuzzleLine>> ReadPuzzleFile(const QString& path);

// ProgramFolder + "ENDGAMES/" + name + ".EPD".
QString PuzzleFilePath(const QString& name);

// Reads a series and shows the list: a cancel or a chosen puzzle both make the series the
// current one; a chosen puzzle starts. A file that gives no puzzle is reported and changes
// nothing.
void LoadPuzzles(const QString& name, const QString& title);
// The list's selection moved to index: it becomes EndgamesIndex; returns the preview's 64
// square pictures, row by row (0 empty, 1..6 White king..pawn, 7..12 Black).
std::array<int, 64> lstGames_Click(int index);
// Starts puzzle index of the loaded series at the puzzle level with the human on the side to
// move; the event tag is the series title, the round tag the puzzle's title. False (and the
// game kept) when the position is refused.
bool StartPuzzle(int index, const QString& seriesTitle);

// The preview pictures of a position text.
std::array<int, 64> PuzzlePreview(const QString& fen);

// Challenge menu.
void mnEndgamesStart_Click();
void mnEndgames_Click(int index);
// Sharing a puzzle: 0 Twitter, 1 Facebook, 2 Blogger; the question with its diagram for Yahoo!
// Answers or for any other site.
void mnEndgamesShare_Click(int index);
void mnEndgamesPublishYahoo_Click();
void mnEndgamesPublishOther_Click();
