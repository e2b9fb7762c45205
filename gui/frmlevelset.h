// The "Level" dialog: named levels, infinite, a fixed depth or a time control, and the Level
// command of the main window that opens it or stops running clocks.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class frmMain;

class frmLevelSet : public QDialog {
    Q_OBJECT
public:
    explicit frmLevelSet(QWidget* parent = nullptr);

    // Fills the controls from the settings; the change events do nothing meanwhile.
    void Form_Load();

    void optLevel_Click(int index);
    void optInfinite_Click();
    void optTimer_Click();
    void optDepth_Click();
    void optIncTime_Click();
    void optIncMove_Click();
    void txtInitTime_Change();
    void txtIncMove_Change();
    void txtIncTime_Change();
    void txtDepth_Change();
    // Stores the pending values in the settings, restarts the clocks and closes.
    void btnConfirm_Click();
    // Releases the Level command and closes; no setting changes.
    void btnCancel_Click();

    QRadioButton* optLevel[12] = {};
    QRadioButton* optInfinite = nullptr;
    QRadioButton* optDepth = nullptr;
    QRadioButton* optTimer = nullptr;
    QFrame* frmDepth = nullptr;
    QLabel* lblDepth = nullptr;
    QLineEdit* txtDepth = nullptr;
    QSpinBox* updnDepth = nullptr;
    QLabel* lblPlies = nullptr;
    QFrame* frmTimer = nullptr;
    QLabel* lblStart = nullptr;
    QLineEdit* txtInitTime = nullptr;
    QSpinBox* updnSegment = nullptr;
    QLabel* lblMinutes = nullptr;
    QRadioButton* optIncTime = nullptr;
    QLineEdit* txtIncTime = nullptr;
    QSpinBox* updnIncTime = nullptr;
    QLabel* lblSeconds = nullptr;
    QRadioButton* optIncMove = nullptr;
    QLineEdit* txtIncMove = nullptr;
    QSpinBox* updnIncMove = nullptr;
    QLabel* lblMoves = nullptr;
    QPushButton* btnConfirm = nullptr;
    QPushButton* btnCancel = nullptr;

    // Pending values while the dialog is open.
    bool Loaded = false;
    int pendingLevel = 0;
    int pendingInitTime = 1;
    int pendingIncMove = 1;
    int pendingIncTime = 1;

protected:
    void done(int result) override;

private:
    void EnableIncrement(bool incTime);
    void ShowFrames(bool timer, bool depth);
};

// Opens the level dialog modally over owner (the main window when nullptr).
void ShowLevelDialog(QWidget* owner);
// Connects the Level command (menu item and toolbar button "EngineLevel") and makes it tickable;
// also installs the level's search limits.
void ConnectLevelCommands(frmMain& form);
