// The dialog "Publish Game": the board picture's size and address, and what to publish, for
// which site and in which format. Its choices are the "Publish" settings.
#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmPublish : public QDialog {
    Q_OBJECT
public:
    explicit frmPublish(QWidget* parent = nullptr);

    // Shows the stored choices; change events do nothing meanwhile.
    void Form_Load();

    void optSize_Click(int index);
    void lblViewBoard_Click();
    void optContent_Click(int index);
    void cmbLocation_Click();
    void cmbFormat_Click();
    void btnPublish_Click();
    void btnHelp_Click();
    void lblLocation_Click();
    void lblFormat_Click();
    void btnCancel_Click();

    QGroupBox* frmBoard = nullptr;
    QLabel* lblSize = nullptr;
    QRadioButton* optSize[3] = {};
    QLabel* lblBoardUrl = nullptr;
    QLineEdit* txtBoardUrl = nullptr;
    QLabel* lblViewBoard = nullptr;
    QGroupBox* frmFormat = nullptr;
    QLabel* lblContent = nullptr;
    QRadioButton* optContent[2] = {};
    QLabel* lblLocation = nullptr;
    QComboBox* cmbLocation = nullptr;
    QLabel* lblFormat = nullptr;
    QComboBox* cmbFormat = nullptr;
    QPushButton* btnPublish = nullptr;
    QPushButton* btnHelp = nullptr;
    QPushButton* btnCancel = nullptr;

    // Closing, however it happens, keeps the choices.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void storeChoices();
    bool loaded = false;
};

// Opens "Publish Game" modally over owner.
void ShowPublishDialog(QWidget* owner);
