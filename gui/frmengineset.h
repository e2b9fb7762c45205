// The "Engine Settings" dialog: the engine's options, resign and draw scores, the slave engine,
// the engine log, and a console that talks to the main engine while the dialog is open.
#pragma once

#include "engine/enginesettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class frmMain;

class frmEngineSet : public QDialog, public ConsoleWindow {
    Q_OBJECT
public:
    explicit frmEngineSet(QWidget* parent = nullptr);

    // Fills the lists and controls from the settings; the change events do nothing meanwhile.
    void Form_Load();
    // The console loop, on first activation only; returns when the dialog has closed.
    void Form_Activate();

    void btnSelectFile_Click();
    void btnResetFile_Click();
    void btnSelectPath_Click();
    void btnResetPath_Click();
    void txtResignScore_Change();
    void txtDrawScore_Change();
    void chkSlaveWhite_Click();
    void btnLoadSlave_Click();
    void btnSelectLog_Click();
    void btnOpenLog_Click();
    void btnSend_Click();
    // Keeps the values in memory, sends them to the engines and closes.
    void btnConfirm_Click();
    void btnCancel_Click();

    void addReceived(const QString& line) override;
    void engineEnded() override;

    QGroupBox* frmOptions = nullptr;
    QLabel* lblHash = nullptr;
    QComboBox* cmbHash = nullptr;
    QLabel* lblThreads = nullptr;
    QComboBox* cmbThreads = nullptr;
    QLabel* lblRandomness = nullptr;
    QComboBox* cmbRandomness = nullptr;
    QLabel* lblStyle = nullptr;
    QComboBox* cmbStyle = nullptr;
    QCheckBox* chkUseBook = nullptr;
    QLineEdit* txtBookFile = nullptr;
    QPushButton* btnSelectFile = nullptr;
    QPushButton* btnResetFile = nullptr;
    QCheckBox* chkUseEgtb = nullptr;
    QLineEdit* txtEgtbPath = nullptr;
    QPushButton* btnSelectPath = nullptr;
    QPushButton* btnResetPath = nullptr;
    QLabel* lblResignScore = nullptr;
    QLineEdit* txtResignScore = nullptr;
    QSpinBox* updnResignScore = nullptr;
    QLabel* lblDrawScore = nullptr;
    QLineEdit* txtDrawScore = nullptr;
    QSpinBox* updnDrawScore = nullptr;
    QPushButton* btnLoadSlave = nullptr;
    QCheckBox* chkSlaveWhite = nullptr;
    QGroupBox* frmUci = nullptr;
    QCheckBox* chkEngineLog = nullptr;
    QLineEdit* txtLogFile = nullptr;
    QPushButton* btnSelectLog = nullptr;
    QPushButton* btnOpenLog = nullptr;
    QLineEdit* txtCommand = nullptr;
    QPushButton* btnSend = nullptr;
    QListWidget* lstReceived = nullptr;
    QPushButton* btnConfirm = nullptr;
    QPushButton* btnCancel = nullptr;

    bool Loaded = false;
    int resignScore = -1500; // the copies of the score boxes
    int drawScore = 50;
    ConsoleState console;

protected:
    void done(int result) override;

private:
    void ScoreChanged(QLineEdit* box, QSpinBox* updn, int& copy, int low, int high);
    void ShowSlave();
};

// Opens the dialog over owner (the main window when nullptr) and runs its console until it
// closes.
void ShowEngineSetDialog(QWidget* owner);
// Connects Settings..., Show Analysis and Analyze in New Window.
void ConnectAnalysisCommands(frmMain& form);
