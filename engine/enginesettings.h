// The engine settings dialog's logic: the console that talks to the main engine while the dialog
// is open, the pickers of its paths, and the values it confirms.
#pragma once

#include <QString>

// The console's state while the dialog is open.
struct ConsoleState {
    bool Activated = false; // the console loop has been started
    bool Listening = false; // the loop runs; the dialog clears it when it closes
    bool Searching = false; // a typed "go" has not been answered by "bestmove "
};

// What the console loop does to the dialog.
class ConsoleWindow {
public:
    virtual ~ConsoleWindow() = default;
    // Adds a line at the end of the received list and selects it.
    virtual void addReceived(const QString& line) = 0;
    // The main engine ended: the dialog closes (which clears Listening).
    virtual void engineEnded() = 0;
};

enum class ConsoleRead { Line, Nothing, Ended };

// "&Settings...": a running search is stopped, then the dialog opens.
void mnEngineSet_Click();

// Reads one line of the main engine: logged, listed, and a "bestmove " ends a typed search.
ConsoleRead ReadConsoleLine(ConsoleState& state, ConsoleWindow& window);
// On first call, reads the main engine until Listening clears, handling window events between
// lines; then EndEngineConsole.
void RunEngineConsole(ConsoleState& state, ConsoleWindow& window);
// A search typed in the console is stopped and its best move dropped.
void EndEngineConsole(ConsoleState& state);
// Sends a typed command unchanged to the main engine; "go" starts a typed search, "position"
// with "fen " or "startpos" (and " moves ") sets up the same game in the main window.
void SendConsoleCommand(ConsoleState& state, const QString& text);

// The values of the dialog's controls when OK is pressed. A list index of -1 (the stored code
// has no entry in the list) keeps the stored code.
struct EngineSettingsValues {
    bool engineLog = false;
    QString logFile;
    bool useBook = true;
    QString bookFiles;
    bool useEgtb = true;
    QString egtbPaths;
    int hashIndex = -1;
    int threadsIndex = -1;
    int randomness = -1;
    int style = -1;
    int resignScore = -1500;
    int drawScore = 50;
};
// Stores the values in memory (the settings store is written at exit) and sends the options to
// the main engine, then to the slave when one is loaded.
void ConfirmEngineSettings(const EngineSettingsValues& values);

// "Select" of the book: an open dialog for "bin" files; "" when cancelled.
QString ChooseBookFile();
// "Select" of the tablebases: the folder browser; "" when cancelled.
QString ChooseEgtbFolder(const QString& current);
// "Select" of the log: the save dialog for "htm" files, preset with the game's default name.
QString ChooseLogFile();
// "View": creates the log when it is missing and opens it with the desktop's program for it.
void ViewEngineLog(const QString& path);

// Ranges of the score boxes.
constexpr int ResignScoreMin = -2900, ResignScoreMax = -100, ResignScoreStep = 100;
constexpr int DrawScoreMin = -190, DrawScoreMax = 190, DrawScoreStep = 10;
// The start position of a console "position startpos".
constexpr const char* ConsoleStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";
