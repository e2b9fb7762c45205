// A recording View: keeps what the logic shows in plain members and answers from them, so the
// game logic runs and is checked without any window.
#pragma once

#include "shell/view.h"

#include <QStringList>

#include <array>
#include <map>
#include <utility>
#include <vector>

class FakeView : public View {
public:
    struct CommandState {
        bool enabled = false;
        bool checked = false;
        bool checkable = false;
    };

    // The key of a command in commands: its name, with ":index" for an item of a group.
    static QString commandKey(const QString& name, int index = -1);
    // The recorded state of a command; all false when the logic never touched it.
    CommandState command(const QString& name, int index = -1) const;

    void setCommandEnabled(const QString& name, bool enabled, int index = -1) override;
    void setCommandChecked(const QString& name, bool checked, int index = -1) override;
    bool commandChecked(const QString& name) const override;
    void setCommandCheckable(const QString& name, bool checkable) override;
    void tickOnly(const QString& group, int index) override;
    void setMenuEnabled(const QString& menu, bool enabled) override;

    void resetMoveList() override;
    int moveRowCount() const override { return static_cast<int>(moveRows.size()); }
    void insertMoveRow(int row, const QString& text) override;
    void removeMoveRow(int row) override;
    QString moveRowText(int row) const override { return moveRows.value(row); }
    void setMoveRowText(int row, const QString& text) override;
    void selectMoveRow(int row) override;
    int selectedMoveRow() const override { return selectedRow; }

    QString commentText() const override { return comment; }
    void setCommentText(const QString& text) override;
    int annotationIndex() const override { return annotation; }
    void setAnnotationIndex(int index) override { annotation = index; }
    void setAnnotationEnabled(bool enabled) override { annotationEnabled = enabled; }

    QString typedMove() const override { return typed; }
    void clearTypedMove() override { typed.clear(); }
    void focusMoveBox() override { ++focusCount; }

    void setHeaderText(HeaderLabel label, const QString& text) override { headers[label] = text; }
    void setClockText(bool upper, ClockField field, const QString& text) override;
    void setPlayerPictures(PlayerPicture upper, PlayerPicture lower) override;
    void setWindowCaption(const QString& text) override { caption = text; }
    void setWindowIconFile(const QString& path) override { iconPath = path; }
    void setStatusText(const QString& panel, const QString& text) override;
    void refreshWindow() override { ++windowRefreshes; }

    bool hasBoard() const override { return true; }
    int squarePicture(int image) const override;
    void setSquarePicture(int image, int picture) override;
    void raiseSquare(int image, int dxTwips) override;
    void repaintBoard() override { repaints.push_back(squares); }
    void showGlidingPiece(int picture, int fromImage, int toImage, int step, int steps) override;
    void hideGlidingPiece() override { glidingShown = false; }
    bool setBoardPicture(const QString& path) override;
    void setSquareCaptions(const std::array<QString, 64>& texts) override { captions = texts; }
    void setSquareCaptionsShown(bool shown) override { captionsShown = shown; }

    void showNewGameDialog() override { ++newGameDialogs; }
    void showLevelDialog() override { ++levelDialogs; }
    int askPromotionPiece(int side) override;
    void showGameText() override { ++gameTextShown; }
    int chooseGame(const std::vector<GameIndexEntry>& games) override;
    bool reportProgress(const QString& text, qint64 done, qint64 total) override;

    void appendThinking(const QString& text) override { thinking << text; }
    void clearThinking() override { thinking.clear(); }
    void closeThinking() override { ++thinkingClosed; }
    void showThinking() override { ++thinkingShown; }
    void showEngineSettings() override { ++engineSettingsShown; }
    int choosePuzzle(const QString& caption, const QStringList& titles, int selected) override;

    // The move list, its selection and the annotation controls.
    QStringList moveRows;
    int selectedRow = -1;
    QString comment;
    int annotation = 0;
    bool annotationEnabled = true;
    // The move box: what the user typed, and how often it was given the focus.
    QString typed;
    int focusCount = 0;

    std::map<HeaderLabel, QString> headers;
    std::map<std::pair<bool, ClockField>, QString> clocks; // keyed by (upper, field)
    PlayerPicture upperPicture = PlayerPicture::BlackPiece;
    PlayerPicture lowerPicture = PlayerPicture::WhitePiece;
    QString caption;
    QString iconPath;
    std::map<QString, QString> status; // by panel name
    int windowRefreshes = 0;

    // The board: the picture of each image, the raised image, a copy of the squares at each
    // repaint, and the board picture (setBoardPicture fails unless boardPictureLoads).
    std::array<int, 64> squares{};
    int raisedImage = -1;
    int raisedOffset = 0;
    std::vector<std::array<int, 64>> repaints;
    int glidingSteps = 0;
    bool glidingShown = false;
    QString boardPicture;
    bool boardPictureLoads = true;
    std::array<QString, 64> captions;
    bool captionsShown = false;

    std::map<QString, CommandState> commands;   // by commandKey
    std::vector<std::pair<QString, int>> ticks; // tickOnly calls: group and index
    std::map<QString, bool> menus;

    int newGameDialogs = 0;
    int levelDialogs = 0;
    int gameTextShown = 0;
    // The game list: the games it was offered and the index it answers (-1 cancels).
    std::vector<GameIndexEntry> gamesOffered;
    int gameListShown = 0;
    int gameChoice = 0;
    // Progress reports as (done, total); cancelProgressAfter reports are answered with cancel.
    std::vector<std::pair<qint64, qint64>> progress;
    int cancelProgressAfter = -1;
    // The promotion dialog: the piece it answers, and the side of each question.
    int promotionAnswer = 0;
    std::vector<int> promotionAsked;

    QStringList thinking;
    int thinkingClosed = 0;
    int thinkingShown = 0;
    int engineSettingsShown = 0;

    // The puzzle list: what each showing offered, and the index it answers (-1 cancels).
    struct PuzzleList {
        QString caption;
        QStringList titles;
        int selected = -1;
    };
    std::vector<PuzzleList> puzzleLists;
    int puzzleChoice = -1;
};
