// The main window: board, game header, move list, annotation controls, menus and toolbar.
#pragma once

#include "gui/commands.h"
#include "shell/view.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressDialog;
class QToolBar;

class frmMain : public QMainWindow, public View {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Fills the fixed lists and applies the settings to ticks and controls.
    void Form_Load();
    // Decides whether the window may close and runs the closing steps; true means cancelled.
    bool Form_Unload();
    // The closing steps without asking: the engine unloaded, the automatic copy written when
    // "AutoSave" is on, the window's place kept.
    void CloseSteps();
    // Puts the window where the settings say, before it is first shown.
    void RestorePlace();

    // The command of a name (and index, for grouped items), or nullptr.
    QAction* command(const QString& name, int index = -1) const
    {
        return commands.action(name, index);
    }
    const CommandSet& commandSet() const { return commands; }
    // Runs handler whenever the command (and index) is chosen; returns the command, or nullptr
    // when there is none. Whether it is enabled is left to the caller.
    QAction* onCommand(const QString& name, std::function<void()> handler, int index = -1);
    // The same, and enables the command.
    QAction* onCommandEnabled(const QString& name, std::function<void()> handler, int index = -1);
    // Runs the command behind a toolbar key; a key that names no command does nothing.
    void pressToolbarButton(const QString& key);
    // The status-bar panel "Curr", "Nps", "Pv" or "Msg".
    QLabel* statusPanel(const QString& key) const;

    // Shows or hides the status bar, keeping the client area's size.
    void setStatusBarShown(bool shown);

    // Controls other parts of the program fill.
    QWidget* boardHost = nullptr;
    QListWidget* lstMoveText = nullptr;
    QComboBox* cmbAnnotation = nullptr;
    QPlainTextEdit* txtComment = nullptr;
    QLineEdit* txtMove = nullptr;
    QLabel* lblEvent = nullptr;
    QLabel* lblResult = nullptr;
    QLabel* lblSiteDate = nullptr;
    QLabel* lblOpen = nullptr;
    QLabel* imgUp = nullptr;
    QLabel* imgDown = nullptr;
    QLabel* imgAdvert = nullptr;
    // Clock labels: the upper set next to the top edge of the board, the lower set below it.
    QLabel* lblTimeLeftUp1 = nullptr;
    QLabel* lblTimeLeftUp = nullptr;
    QLabel* lblTimeRuleUp = nullptr;
    QLabel* lblTimeElapsedUp = nullptr;
    QLabel* lblTimeElapsedUp1 = nullptr;
    QLabel* lblTimeLeftDown1 = nullptr;
    QLabel* lblTimeLeftDown = nullptr;
    QLabel* lblTimeRuleDown = nullptr;
    QLabel* lblTimeElapsedDown = nullptr;
    QLabel* lblTimeElapsedDown1 = nullptr;

    // What the logic does to the window.
    void setCommandEnabled(const QString& name, bool enabled, int index = -1) override;
    void setCommandChecked(const QString& name, bool checked, int index = -1) override;
    bool commandChecked(const QString& name) const override;
    void setCommandCheckable(const QString& name, bool checkable) override;
    void tickOnly(const QString& group, int index) override;
    void setMenuEnabled(const QString& menu, bool enabled) override;
    void resetMoveList() override;
    int moveRowCount() const override;
    void insertMoveRow(int row, const QString& text) override;
    void removeMoveRow(int row) override;
    QString moveRowText(int row) const override;
    void setMoveRowText(int row, const QString& text) override;
    void selectMoveRow(int row) override;
    int selectedMoveRow() const override;
    QString commentText() const override;
    void setCommentText(const QString& text) override;
    int annotationIndex() const override;
    void setAnnotationIndex(int index) override;
    void setAnnotationEnabled(bool enabled) override;
    QString typedMove() const override;
    void clearTypedMove() override;
    void focusMoveBox() override;
    void setHeaderText(HeaderLabel label, const QString& text) override;
    void setClockText(bool upper, ClockField field, const QString& text) override;
    void setPlayerPictures(PlayerPicture upper, PlayerPicture lower) override;
    void setWindowCaption(const QString& text) override;
    void setWindowIconFile(const QString& path) override;
    void setStatusText(const QString& panel, const QString& text) override;
    void refreshWindow() override;
    bool hasBoard() const override;
    int squarePicture(int image) const override;
    void setSquarePicture(int image, int picture) override;
    void raiseSquare(int image, int dxTwips) override;
    void repaintBoard() override;
    void showGlidingPiece(int picture, int fromImage, int toImage, int step, int steps) override;
    void hideGlidingPiece() override;
    bool setBoardPicture(const QString& path) override;
    void setSquareCaptions(const std::array<QString, 64>& texts) override;
    void setSquareCaptionsShown(bool shown) override;
    void showNewGameDialog() override;
    void showLevelDialog() override;
    int askPromotionPiece(int side) override;
    void showGameText() override;
    int chooseGame(const std::vector<GameIndexEntry>& games) override;
    bool reportProgress(const QString& text, qint64 done, qint64 total) override;
    void appendThinking(const QString& text) override;
    void clearThinking() override;
    void closeThinking() override;
    void showThinking() override;
    void showEngineSettings() override;
    int choosePuzzle(const QString& caption, const QStringList& titles, int selected) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    QWidget* createClockRow(QLabel*& picture, QLabel*& head, QLabel*& value, QLabel*& rule,
                            QLabel*& elapsed, QLabel*& elapsedCaption, const QString& suffix);
    void connectCommands();
    void connectToggle(const QString& name, void (frmMain::*handler)());

    void mnFileExit_Click();
    void mnOptionsAnimation_Click();
    void mnOptionsSounds_Click();
    void mnOptionsCoordinates_Click();
    void mnOptionsStatusBar_Click();
    void mnOptionsTopMost_Click();

    CommandSet commands;
    QToolBar* toolbar = nullptr;
    QList<QLabel*> panels;
    QPointer<QLabel> gliding;                  // the picture of a move being animated
    std::unique_ptr<QProgressDialog> progress; // open while a long task reports progress
};

// The program's one main window; nullptr before start-up creates it.
extern frmMain* MainForm;
