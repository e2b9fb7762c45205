// The thinking window: the engine's search lines accumulate in one text box; the window keeps
// its offset from the main window and follows it when the main window moves.
#pragma once

#include <QWidget>

class ThinkText;

class frmThink : public QWidget {
    Q_OBJECT
public:
    // A tool window of owner (the main window), which it docks to.
    explicit frmThink(QWidget* owner);
    ~frmThink() override;

    // Size and offsets from the settings; starts following the main window.
    void Form_Load();
    // Adds a line at the end and puts the caret at its start, so it scrolls into view.
    void AppendThink(const QString& line);
    void ClearThink();

    ThinkText* txtThink = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Unload();
    // Moves the window to the main window's place plus the stored offsets.
    void FollowMain();
    void StoreSize();

    QWidget* owner;
    bool loaded = false;
    bool followingMain = false; // the window is being moved with the main window
};

// The open thinking window, or nullptr.
extern frmThink* ThinkForm;
// Opens the thinking window over owner, or raises the open one.
void ShowThinkingWindow(QWidget* owner);
