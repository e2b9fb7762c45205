#include "gui/frmedittags.h"

#include "core/gamerecord.h"
#include "files/captions.h"
#include "gui/topmost.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

QLineEdit* addBox(QGroupBox* frame, QFormLayout* layout, const char* name, const char* caption)
{
    auto* box = new QLineEdit(frame);
    box->setObjectName(QString::fromLatin1(name));
    layout->addRow(QString::fromLatin1(caption), box);
    return box;
}

} // namespace

frmEditTags::frmEditTags(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmEditTags"));
    setWindowTitle(QStringLiteral("Edit Tags"));
    setModal(true);

    frmMatch = new QGroupBox(QStringLiteral("Game"), this);
    auto* match = new QFormLayout(frmMatch);
    txtEvent = addBox(frmMatch, match, "txtEvent", "Event");
    txtSite = addBox(frmMatch, match, "txtSite", "Site");
    txtDate = addBox(frmMatch, match, "txtDate", "Date");
    txtRound = addBox(frmMatch, match, "txtRound", "Round");
    cmbResult = new QComboBox(frmMatch);
    cmbResult->setObjectName(QStringLiteral("cmbResult"));
    match->addRow(QStringLiteral("Result"), cmbResult);

    frmWhite = new QGroupBox(QStringLiteral("White"), this);
    auto* white = new QFormLayout(frmWhite);
    txtWhite = addBox(frmWhite, white, "txtWhite", "Player");
    txtWhiteElo = addBox(frmWhite, white, "txtWhiteElo", "Elo");

    frmBlack = new QGroupBox(QStringLiteral("Black"), this);
    auto* black = new QFormLayout(frmBlack);
    txtBlack = addBox(frmBlack, black, "txtBlack", "Player");
    txtBlackElo = addBox(frmBlack, black, "txtBlackElo", "Elo");

    frmOpen = new QGroupBox(QStringLiteral("Opening"), this);
    auto* open = new QFormLayout(frmOpen);
    txtEco = addBox(frmOpen, open, "txtEco", "ECO");
    txtOpen = addBox(frmOpen, open, "txtOpen", "Opening");
    txtVar = addBox(frmOpen, open, "txtVar", "Variation");
    txtSubVar = addBox(frmOpen, open, "txtSubVar", "Subvariation");
    chkAutoEco = new QCheckBox(QStringLiteral("Auto Analyze"), frmOpen);
    chkAutoEco->setObjectName(QStringLiteral("chkAutoEco"));
    open->addRow(chkAutoEco);

    btnConfirm = new QPushButton(QStringLiteral("OK"), this);
    btnConfirm->setObjectName(QStringLiteral("btnConfirm"));
    btnConfirm->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnConfirm, QDialogButtonBox::AcceptRole);
    buttons->addButton(btnCancel, QDialogButtonBox::RejectRole);

    auto* frames = new QGridLayout;
    frames->addWidget(frmMatch, 0, 0, 2, 1);
    frames->addWidget(frmWhite, 0, 1);
    frames->addWidget(frmBlack, 1, 1);
    frames->addWidget(frmOpen, 2, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addWidget(buttons);
    setMinimumWidth(520);

    connect(btnConfirm, &QPushButton::clicked, this, [this] { btnConfirm_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
}

std::array<std::pair<QLineEdit*, QString*>, 12> frmEditTags::tagBoxes() const
{
    return {{{txtEvent, &Game.TagEvent},
             {txtSite, &Game.TagSite},
             {txtDate, &Game.TagDate},
             {txtRound, &Game.TagRound},
             {txtWhite, &Game.TagWhite},
             {txtWhiteElo, &Game.TagWhiteElo},
             {txtBlack, &Game.TagBlack},
             {txtBlackElo, &Game.TagBlackElo},
             {txtEco, &Game.TagEco},
             {txtOpen, &Game.TagOpening},
             {txtVar, &Game.TagVariation},
             {txtSubVar, &Game.TagSubVariation}}};
}

void frmEditTags::Form_Load()
{
    for (const auto& [box, tag] : tagBoxes())
        box->setText(*tag);
    cmbResult->clear();
    cmbResult->addItems({QStringLiteral("In progress"), QStringLiteral("White wins"),
                         QStringLiteral("Draw"), QStringLiteral("Black wins")});
    cmbResult->setCurrentIndex(Game.GameResult >= ResultNone && Game.GameResult <= ResultBlackWins
                                   ? Game.GameResult
                                   : ResultNone);
    chkAutoEco->setChecked(Game.AutoEco);
    // Openings are classified only from the standard start.
    chkAutoEco->setEnabled(Game.StandardStart);
    applyTopMost(*this);
}

void frmEditTags::btnConfirm_Click()
{
    Game.AutoEco = chkAutoEco->isChecked();
    // Taken as typed: no trimming, no check of dates or ratings.
    for (const auto& [box, tag] : tagBoxes())
        *tag = box->text();
    Game.GameResult = cmbResult->currentIndex() < 0 ? ResultNone : cmbResult->currentIndex();
    RefreshGameCaptions();
    accept();
}

void frmEditTags::btnCancel_Click()
{
    reject();
}

void ShowEditTagsDialog(QWidget* owner)
{
    frmEditTags dialog(owner);
    dialog.Form_Load();
    dialog.exec();
}
