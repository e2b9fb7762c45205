// What the game logic does to the windows. The main window implements it; without one (before
// start-up builds it, or in tests of the logic) a view that shows nothing stands in.
#pragma once

#include "files/gameindex.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// The labels of the game header.
enum class HeaderLabel { Event, Result, SiteDate, Opening };
// The labels of one clock: "Level"/"Timer", the time left or level, the time-control rule and
// the elapsed time.
enum class ClockField { Head, Value, Rule, Elapsed };
// What the picture next to a clock shows.
enum class PlayerPicture { WhitePiece, BlackPiece, WhiteEngine, BlackEngine };

class View {
public:
    virtual ~View() = default;

    // Commands, by name and, for grouped items, index. A command whose handler is not
    // connected stays disabled whatever is asked.
    virtual void setCommandEnabled(const QString& name, bool enabled, int index = -1) = 0;
    virtual void setCommandChecked(const QString& name, bool checked, int index = -1) = 0;
    virtual bool commandChecked(const QString& name) const = 0;
    virtual void setCommandCheckable(const QString& name, bool checkable) = 0;
    // Ticks the item of a group whose index is given and unticks the others.
    virtual void tickOnly(const QString& group, int index) = 0;
    // Enables or disables a whole submenu (object name ending in "_").
    virtual void setMenuEnabled(const QString& menu, bool enabled) = 0;

    // The move list: row 0 is "==Start==", row k the line of ply k. No change here counts as
    // the user's click on a row.
    virtual void resetMoveList() = 0;
    virtual int moveRowCount() const = 0;
    virtual void insertMoveRow(int row, const QString& text) = 0;
    virtual void removeMoveRow(int row) = 0;
    virtual QString moveRowText(int row) const = 0;
    virtual void setMoveRowText(int row, const QString& text) = 0;
    // Selects a row and scrolls it into sight.
    virtual void selectMoveRow(int row) = 0;
    // The row the user picked, or -1.
    virtual int selectedMoveRow() const = 0;

    // The comment box's text, every line break as "\n".
    virtual QString commentText() const = 0;
    virtual void setCommentText(const QString& text) = 0;
    virtual int annotationIndex() const = 0;
    virtual void setAnnotationIndex(int index) = 0;
    virtual void setAnnotationEnabled(bool enabled) = 0;

    // The move box.
    virtual QString typedMove() const = 0;
    virtual void clearTypedMove() = 0;
    virtual void focusMoveBox() = 0;

    virtual void setHeaderText(HeaderLabel label, const QString& text) = 0;
    virtual void setClockText(bool upper, ClockField field, const QString& text) = 0;
    virtual void setPlayerPictures(PlayerPicture upper, PlayerPicture lower) = 0;
    virtual void setWindowCaption(const QString& text) = 0;
    // The window's icon from a picture file; a file that cannot be read changes nothing.
    virtual void setWindowIconFile(const QString& path) = 0;
    // The status-bar panel "Curr", "Nps", "Pv" or "Msg".
    virtual void setStatusText(const QString& panel, const QString& text) = 0;
    // Schedules a repaint of the whole window.
    virtual void refreshWindow() = 0;

    // The board: 64 images numbered row by row from the top left corner, each showing one
    // picture (0..27) of the piece image set.
    virtual bool hasBoard() const = 0;
    virtual int squarePicture(int image) const = 0;
    virtual void setSquarePicture(int image, int picture) = 0;
    // Draws one image displaced sideways by dx twips of the board's natural size; image -1 puts
    // it back.
    virtual void raiseSquare(int image, int dxTwips) = 0;
    // Paints the board now, for animations that pause between frames.
    virtual void repaintBoard() = 0;
    // A picture gliding from one image's place to another's: step of steps along the way.
    virtual void showGlidingPiece(int picture, int fromImage, int toImage, int step, int steps) = 0;
    virtual void hideGlidingPiece() = 0;
    // Replaces the board picture; false (and no change) when the file cannot be read.
    virtual bool setBoardPicture(const QString& path) = 0;
    virtual void setSquareCaptions(const std::array<QString, 64>& texts) = 0;
    virtual void setSquareCaptionsShown(bool shown) = 0;

    // Dialogs over the main window.
    virtual void showNewGameDialog() = 0;
    virtual void showLevelDialog() = 0;
    // The promotion piece the user picks for side: 0 queen, 1 rook, 2 bishop, 3 knight.
    virtual int askPromotionPiece(int side) = 0;
    // The game as PGN text, from the automatic save file.
    virtual void showGameText() = 0;
    // The list of the games of a file; the index into games of the one the user picked, or -1.
    virtual int chooseGame(const std::vector<GameIndexEntry>& games) = 0;
    // Shows how far a long task has come, once it takes a moment; false when the user cancelled
    // it. done reaching total closes the progress window.
    virtual bool reportProgress(const QString& text, qint64 done, qint64 total) = 0;

    // The thinking window: append a line, empty the text, close it.
    virtual void appendThinking(const QString& text) = 0;
    virtual void clearThinking() = 0;
    virtual void closeThinking() = 0;
    // Opens the thinking window, docked to the main window, without blocking.
    virtual void showThinking() = 0;
    // The modal engine settings dialog; returns when it is closed.
    virtual void showEngineSettings() = 0;

    // The puzzle list of a series, captioned with its title, with entry selected: the index of
    // the puzzle the user starts, or -1 when cancelled.
    virtual int choosePuzzle(const QString& caption, const QStringList& titles, int selected) = 0;
};

// The program's view; a view that shows nothing until one is installed.
View& view();
void setView(View* instance);
