// "Preferences": the general settings that have no menu toggle of their own. The dialog edits
// copies in its controls; OK writes them into the in-memory settings, Cancel drops them.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* parent = nullptr);

    void Form_Load();
    void txtPlayIntv_Change();
    void btnConfirm_Click();
    void btnCancel_Click();

    QGroupBox* frmEngine = nullptr;
    QLabel* lblUser = nullptr;
    QLineEdit* txtUser = nullptr;
    QLabel* lblEnginePlay = nullptr;
    QComboBox* cmbEnginePlay = nullptr;
    QCheckBox* chkAutoFlip = nullptr;
    QCheckBox* chkEngineName = nullptr;
    QCheckBox* chkAlwaysPonder = nullptr;
    QCheckBox* chkAllowResign = nullptr;
    QCheckBox* chkEngineTime = nullptr;

    QGroupBox* frmQuorvin = nullptr;
    QCheckBox* chkAutoPlay = nullptr;
    QLabel* lblPlayIntv = nullptr;
    QLineEdit* txtPlayIntv = nullptr;
    QSpinBox* updnPlayIntv = nullptr;
    QLabel* lblIntvSec = nullptr;
    QCheckBox* chkReadMove = nullptr;
    QLabel* lblDownloadTTS = nullptr;

    QGroupBox* frmMisc = nullptr;
    QCheckBox* chkTryAgain = nullptr;
    QCheckBox* chkAutoSave = nullptr;
    QCheckBox* chkPromptSave = nullptr;
    QCheckBox* chkShowNew = nullptr;

    QPushButton* btnConfirm = nullptr;
    QPushButton* btnCancel = nullptr;

    // The last interval the box accepted, in seconds.
    int AcceptedInterval = 1;
};

// Opens the dialog over parent and waits until it closes.
void ShowOptions(QWidget* parent);
