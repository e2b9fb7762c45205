#include "gui/frmnewgame.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "gui/frmlevelset.h"
#include "gui/frmposedit.h"
#include "gui/topmost.h"
#include "gui/updown.h"
#include "play/chess960.h"
#include "play/gamecontrol.h"
#include "play/levels.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr const char* HandicapCaptions[6] = {"None",    "A Knight", "A Rook",
                                             "A Queen", "Custom",   "Chess960"};
constexpr const char* ColourCaptions[3] = {"White", "Black", "Both"};

} // namespace

frmNewGame::frmNewGame(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmNewGame"));
    setWindowTitle(QStringLiteral("Startup"));
    setModal(true);

    frmLevel = new QGroupBox(QStringLiteral("Level"), this);
    cmbLevel = new QComboBox(frmLevel);
    cmbLevel->setObjectName(QStringLiteral("cmbLevel"));
    lblLevelHint =
        new QLabel(QStringLiteral("If you feel \"Pea Brain\" still too difficult to you, "
                                  "you can let computer offer you some odds."),
                   frmLevel);
    lblLevelHint->setWordWrap(true);
    auto* levelLayout = new QVBoxLayout(frmLevel);
    levelLayout->addWidget(cmbLevel);
    levelLayout->addWidget(lblLevelHint);

    frmHandicap = new QGroupBox(QStringLiteral("Handicap"), this);
    auto* handicapLayout = new QGridLayout(frmHandicap);
    auto* handicapGroup = new QButtonGroup(this);
    for (int i = 0; i < 6; ++i) {
        optHandicap[i] = new QRadioButton(QString::fromLatin1(HandicapCaptions[i]), frmHandicap);
        optHandicap[i]->setObjectName(QStringLiteral("optHandicap%1").arg(i));
        handicapGroup->addButton(optHandicap[i], i);
        handicapLayout->addWidget(optHandicap[i], i % 3, i / 3 * 2, 1, i < 5 ? 2 : 1);
    }
    txtStartPos = new QLineEdit(frmHandicap);
    txtStartPos->setObjectName(QStringLiteral("txtStartPos"));
    txtStartPos->setFixedWidth(48);
    updnStartPos = makeUpDown("updnStartPos", 0, Chess960Count - 1, frmHandicap);
    auto* numberRow = new QHBoxLayout;
    numberRow->setSpacing(0);
    numberRow->addWidget(txtStartPos);
    numberRow->addWidget(updnStartPos);
    numberRow->addStretch();
    handicapLayout->addLayout(numberRow, 2, 3);
    lblHelp =
        new QLabel(QStringLiteral("<a href=\"chess960\">What is Chess960 ?</a>"), frmHandicap);
    lblHelp->setObjectName(QStringLiteral("lblHelp"));
    lblHelp->setTextFormat(Qt::RichText);
    handicapLayout->addWidget(lblHelp, 3, 2, 1, 2, Qt::AlignRight);

    frmFlip = new QGroupBox(QStringLiteral("My Color"), this);
    auto* flipLayout = new QHBoxLayout(frmFlip);
    auto* flipGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optFlip[i] = new QRadioButton(QString::fromLatin1(ColourCaptions[i]), frmFlip);
        optFlip[i]->setObjectName(QStringLiteral("optFlip%1").arg(i));
        flipGroup->addButton(optFlip[i], i);
        flipLayout->addWidget(optFlip[i]);
    }

    chkShowNew = new QCheckBox(QStringLiteral("Always Show Startup Dialog"), this);
    chkShowNew->setObjectName(QStringLiteral("chkShowNew"));
    btnConfirm = new QPushButton(QStringLiteral("OK"), this);
    btnConfirm->setObjectName(QStringLiteral("btnConfirm"));
    btnConfirm->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnConfirm, QDialogButtonBox::AcceptRole);
    buttons->addButton(btnCancel, QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frmLevel);
    layout->addWidget(frmHandicap);
    layout->addWidget(frmFlip);
    layout->addWidget(chkShowNew);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmbLevel, &QComboBox::activated, this, [this] { cmbLevel_Click(); });
    for (int i = 0; i < 6; ++i)
        connect(optHandicap[i], &QRadioButton::clicked, this, [this, i] { optHandicap_Click(i); });
    connect(txtStartPos, &QLineEdit::textChanged, this, [this] { txtStartPos_Change(); });
    stepBox(updnStartPos, txtStartPos);
    connect(lblHelp, &QLabel::linkActivated, this, [this] { lblHelp_Click(); });
    connect(btnConfirm, &QPushButton::clicked, this, [this] { btnConfirm_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
}

int frmNewGame::PreselectedColour() const
{
    switch (Cfg.EnginePlay) {
    case RoleNoComputer:
        return ColourBoth;
    case RoleComputerWhite:
        return ColourBlack;
    case RoleComputerBlack:
        return ColourWhite;
    case RoleAlternation:
        return Engine.AlternateWhite ? ColourBlack : ColourWhite;
    default:
        // Drawn apart from the role of a later game without the dialog.
        return platform().randomInt(0, 1) == 1 ? ColourWhite : ColourBlack;
    }
}

void frmNewGame::Form_Load()
{
    Loaded = false;
    cmbLevel->clear();
    for (int i = 0; i < LevelCount; ++i)
        cmbLevel->addItem(LevelName(i));
    cmbLevel->addItem(QStringLiteral("More..."));
    optFlip[PreselectedColour()]->setChecked(true);
    optHandicap[HandicapNone]->setChecked(true);
    optHandicap_Click(HandicapNone);
    cmbLevel->setCurrentIndex(Cfg.Depth < 0 ? -Cfg.Depth - 1 : MoreLevelsIndex);
    Loaded = true;
    chkShowNew->setChecked(Cfg.ShowNew);
    applyTopMost(*this);
}

void frmNewGame::cmbLevel_Click()
{
    if (!Loaded)
        return;
    const int index = cmbLevel->currentIndex();
    if (index == MoreLevelsIndex) {
        ShowLevelDialog(this);
        if (Cfg.Depth < 0) {
            Loaded = false;
            cmbLevel->setCurrentIndex(-Cfg.Depth - 1);
            Loaded = true;
        }
        return;
    }
    // The same notices as in the level dialog; the level itself changes only on OK.
    WarnAboutLevel(index);
}

void frmNewGame::optHandicap_Click(int index)
{
    const bool chess960 = index == HandicapChess960;
    if (chess960) {
        StartPosNo = platform().randomInt(0, Chess960Count - 1);
        txtStartPos->setText(QString::number(StartPosNo));
    } else {
        txtStartPos->clear();
    }
    txtStartPos->setEnabled(chess960);
    updnStartPos->setEnabled(chess960);
}

void frmNewGame::txtStartPos_Change()
{
    if (!optHandicap[HandicapChess960]->isChecked())
        return;
    acceptBoxText(txtStartPos, updnStartPos, StartPosNo, 0, Chess960Count - 1);
}

void frmNewGame::lblHelp_Click()
{
    platform().openUrl(
        Chess960HelpUrl(Cfg.SiteBase, optHandicap[HandicapChess960]->isChecked(), StartPosNo));
}

void frmNewGame::btnConfirm_Click()
{
    const int level = cmbLevel->currentIndex();
    if (level >= 0 && level < LevelCount)
        Cfg.Depth = static_cast<qint16>(-(level + 1));
    Game.GameFile.clear();

    if (optHandicap[HandicapKnight]->isChecked()) {
        StartFromFen(QString::fromLatin1(HandicapFens[0]), false);
    } else if (optHandicap[HandicapRook]->isChecked()) {
        StartFromFen(QString::fromLatin1(HandicapFens[1]), false);
    } else if (optHandicap[HandicapQueen]->isChecked()) {
        StartFromFen(QString::fromLatin1(HandicapFens[2]), false);
    } else if (optHandicap[HandicapChess960]->isChecked()) {
        if (StartPosNo != StandardChess960Number) {
            StartFromFen(Chess960Fen(StartPosNo), false);
        } else {
            // The standard arrangement keeps the standard FEN and castling letters.
            NewGame();
            showMessage(QStringLiteral("Starting Position No. 518 indicates the standard chess."),
                        MsgButtons::Ok, MsgIcon::Exclamation);
        }
    } else if (optHandicap[HandicapCustom]->isChecked()) {
        NewGame();
        ShowPosEditDialog(this);
    } else {
        NewGame();
    }

    const bool humanWhite = optFlip[ColourWhite]->isChecked();
    const int role = optFlip[ColourBoth]->isChecked() ? RoleNoComputer
                     : humanWhite                     ? RoleComputerBlack
                                                      : RoleComputerWhite;
    AssignSides(role);
    // The next game of the alternation swaps colours.
    if (Cfg.EnginePlay == RoleAlternation)
        Engine.AlternateWhite = humanWhite;
    accept();
}

void frmNewGame::btnCancel_Click()
{
    reject();
}

void frmNewGame::Form_Unload()
{
    Cfg.ShowNew = chkShowNew->isChecked();
}

void frmNewGame::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

void ShowNewGameDialog(QWidget* owner)
{
    frmNewGame dialog(owner);
    dialog.Form_Load();
    dialog.exec();
}
