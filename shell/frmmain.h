// The main window: board, game header, move list, annotation controls, menus and toolbar.
#pragma once

#include "shell/commands.h"

#include <QMainWindow>

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolBar;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Fills the fixed lists and applies the settings to ticks and controls.
    void Form_Load();
    // Decides whether the window may close and runs the closing steps; true means cancelled.
    bool Form_Unload();

    // The command of a name (and index, for grouped items), or nullptr.
    QAction* command(const QString& name, int index = -1) const
    {
        return commands.action(name, index);
    }
    const CommandSet& commandSet() const { return commands; }
    // Runs handler whenever the command (and index) is chosen; returns the command, or nullptr
    // when there is none. Whether it is enabled is left to the caller.
    QAction* onCommand(const QString& name, std::function<void()> handler, int index = -1);
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
};

// The program's one main window; nullptr before start-up creates it.
extern frmMain* MainForm;
