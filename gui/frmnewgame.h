// The new-game dialog "Startup": level, handicap or Chess960 start, the human's colour and
// whether the dialog opens for every new game.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// Handicap choices of the dialog, by option index.
enum NewGameHandicap : int {
    HandicapNone = 0,
    HandicapKnight = 1,
    HandicapRook = 2,
    HandicapQueen = 3,
    HandicapCustom = 4,
    HandicapChess960 = 5,
};
// "My Color" choices, by option index.
enum NewGameColour : int { ColourWhite = 0, ColourBlack = 1, ColourBoth = 2 };

// Index of "More..." in the level list, after the twelve named levels.
constexpr int MoreLevelsIndex = 12;

class frmNewGame : public QDialog {
    Q_OBJECT
public:
    explicit frmNewGame(QWidget* parent = nullptr);

    // Fills the controls from the settings; change events do nothing meanwhile.
    void Form_Load();

    void cmbLevel_Click();
    void optHandicap_Click(int index);
    void txtStartPos_Change();
    void lblHelp_Click();
    // Starts the chosen game, gives the computer its side and closes.
    void btnConfirm_Click();
    // Closes without a new game.
    void btnCancel_Click();

    QGroupBox* frmLevel = nullptr;
    QComboBox* cmbLevel = nullptr;
    QLabel* lblLevelHint = nullptr;
    QGroupBox* frmHandicap = nullptr;
    QRadioButton* optHandicap[6] = {};
    QLineEdit* txtStartPos = nullptr;
    QSpinBox* updnStartPos = nullptr;
    QLabel* lblHelp = nullptr;
    QGroupBox* frmFlip = nullptr;
    QRadioButton* optFlip[3] = {};
    QCheckBox* chkShowNew = nullptr;
    QPushButton* btnConfirm = nullptr;
    QPushButton* btnCancel = nullptr;

    bool Loaded = false;
    int StartPosNo = 0; // Chess960 start position, 0..959

protected:
    // Every way of closing stores the "Always Show Startup Dialog" tick.
    void done(int result) override;

private:
    void Form_Unload();
    // The human's colour for the computer's stored role.
    int PreselectedColour() const;
};

// Opens the new-game dialog modally over owner (no owner when nullptr).
void ShowNewGameDialog(QWidget* owner);
