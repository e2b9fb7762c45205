// The tag editor "Edit Tags": the game's twelve tags, its result and the automatic opening
// classification switch. Editing tags does not count as changing the game.
#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <utility>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

class frmEditTags : public QDialog {
    Q_OBJECT
public:
    explicit frmEditTags(QWidget* parent = nullptr);

    // Fills the boxes from the game record.
    void Form_Load();
    // Writes the boxes back to the record, refreshes the captions and closes.
    void btnConfirm_Click();
    void btnCancel_Click();

    QGroupBox* frmMatch = nullptr;
    QLineEdit* txtEvent = nullptr;
    QLineEdit* txtSite = nullptr;
    QLineEdit* txtDate = nullptr;
    QLineEdit* txtRound = nullptr;
    QComboBox* cmbResult = nullptr;
    QGroupBox* frmWhite = nullptr;
    QLineEdit* txtWhite = nullptr;
    QLineEdit* txtWhiteElo = nullptr;
    QGroupBox* frmBlack = nullptr;
    QLineEdit* txtBlack = nullptr;
    QLineEdit* txtBlackElo = nullptr;
    QGroupBox* frmOpen = nullptr;
    QLineEdit* txtEco = nullptr;
    QLineEdit* txtOpen = nullptr;
    QLineEdit* txtVar = nullptr;
    QLineEdit* txtSubVar = nullptr;
    QCheckBox* chkAutoEco = nullptr;
    QPushButton* btnConfirm = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    // Each text box with the tag it edits.
    std::array<std::pair<QLineEdit*, QString*>, 12> tagBoxes() const;
};

// Opens the tag editor modally over owner.
void ShowEditTagsDialog(QWidget* owner);
