#include "gui/frmlevelset.h"

#include "engine/enginestate.h"
#include "gui/commands.h"
#include "gui/frmmain.h"
#include "gui/topmost.h"
#include "gui/updown.h"
#include "play/clocks.h"
#include "play/clockstate.h"
#include "play/levels.h"
#include "shell/settings.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Ranges of the four boxes and their up-down controls.
constexpr int DepthMin = 1, DepthMax = 99;
constexpr int InitTimeMin = 1, InitTimeMax = 480;
constexpr int IncMoveMin = 1, IncMoveMax = 999;
constexpr int IncTimeMin = -60, IncTimeMax = 600;
constexpr int DefaultDepth = 8;

QLabel* makeLabel(const char* name, const char* text, QWidget* parent)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QRadioButton* makeOption(const QString& name, const QString& text, QWidget* parent)
{
    auto* option = new QRadioButton(text, parent);
    option->setObjectName(name);
    return option;
}

QLineEdit* makeBox(const char* name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setFixedWidth(56);
    box->setAlignment(Qt::AlignRight);
    return box;
}

// Runs the handler when the option becomes selected, by a click or by the program.
void onSelected(QRadioButton* option, QObject* context, std::function<void()> handler)
{
    QObject::connect(option, &QRadioButton::toggled, context, [handler](bool on) {
        if (on)
            handler();
    });
}

} // namespace

frmLevelSet::frmLevelSet(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLevelSet"));
    setWindowTitle(QStringLiteral("Level"));
    setModal(true);

    auto* columns = new QHBoxLayout(this);
    auto* names = new QVBoxLayout;
    for (int i = 0; i < LevelCount; ++i) {
        optLevel[i] = makeOption(QStringLiteral("optLevel(%1)").arg(i), LevelName(i), this);
        names->addWidget(optLevel[i]);
        onSelected(optLevel[i], this, [this, i] { optLevel_Click(i); });
    }
    names->addStretch(1);
    columns->addLayout(names);

    auto* right = new QVBoxLayout;
    optInfinite = makeOption(QStringLiteral("optInfinite"), QStringLiteral("Infinite"), this);
    optDepth = makeOption(QStringLiteral("optDepth"), QStringLiteral("Limited Depth"), this);
    optTimer = makeOption(QStringLiteral("optTimer"), QStringLiteral("Time Control"), this);
    right->addWidget(optInfinite);
    right->addWidget(optDepth);
    right->addWidget(optTimer);

    frmDepth = new QFrame(this);
    frmDepth->setObjectName(QStringLiteral("frmDepth"));
    frmDepth->setFrameShape(QFrame::StyledPanel);
    auto* depthRow = new QHBoxLayout(frmDepth);
    lblDepth = makeLabel("lblDepth", "Search", frmDepth);
    txtDepth = makeBox("txtDepth", frmDepth);
    updnDepth = makeUpDown("updnDepth", DepthMin, DepthMax, frmDepth);
    lblPlies = makeLabel("lblPlies", "Plies", frmDepth);
    depthRow->addWidget(lblDepth);
    depthRow->addWidget(txtDepth);
    depthRow->addWidget(updnDepth);
    depthRow->addWidget(lblPlies);
    depthRow->addStretch(1);
    right->addWidget(frmDepth);

    frmTimer = new QFrame(this);
    frmTimer->setObjectName(QStringLiteral("frmTimer"));
    frmTimer->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(frmTimer);
    lblStart = makeLabel("lblStart", "Initial", frmTimer);
    txtInitTime = makeBox("txtInitTime", frmTimer);
    updnSegment = makeUpDown("updnSegment", InitTimeMin, InitTimeMax, frmTimer);
    lblMinutes = makeLabel("lblMinutes", "Minutes", frmTimer);
    optIncTime = makeOption(QStringLiteral("optIncTime"), QStringLiteral("Plus"), frmTimer);
    txtIncTime = makeBox("txtIncTime", frmTimer);
    updnIncTime = makeUpDown("updnIncTime", IncTimeMin, IncTimeMax, frmTimer);
    lblSeconds = makeLabel("lblSeconds", "Seconds", frmTimer);
    optIncMove = makeOption(QStringLiteral("optIncMove"), QStringLiteral("Make"), frmTimer);
    txtIncMove = makeBox("txtIncMove", frmTimer);
    updnIncMove = makeUpDown("updnIncMove", IncMoveMin, IncMoveMax, frmTimer);
    lblMoves = makeLabel("lblMoves", "Moves", frmTimer);
    const QList<QList<QWidget*>> rows = {{lblStart, txtInitTime, updnSegment, lblMinutes},
                                         {optIncTime, txtIncTime, updnIncTime, lblSeconds},
                                         {optIncMove, txtIncMove, updnIncMove, lblMoves}};
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            grid->addWidget(rows[r][c], r, c);
    grid->setHorizontalSpacing(4);
    right->addWidget(frmTimer);
    right->addStretch(1);

    auto* buttons = new QHBoxLayout;
    btnConfirm = new QPushButton(QStringLiteral("OK"), this);
    btnConfirm->setObjectName(QStringLiteral("btnConfirm"));
    btnConfirm->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    buttons->addStretch(1);
    buttons->addWidget(btnConfirm);
    buttons->addWidget(btnCancel);
    right->addLayout(buttons);
    columns->addLayout(right);

    onSelected(optInfinite, this, [this] { optInfinite_Click(); });
    onSelected(optDepth, this, [this] { optDepth_Click(); });
    onSelected(optTimer, this, [this] { optTimer_Click(); });
    onSelected(optIncTime, this, [this] { optIncTime_Click(); });
    onSelected(optIncMove, this, [this] { optIncMove_Click(); });
    connect(txtInitTime, &QLineEdit::textChanged, this, [this] { txtInitTime_Change(); });
    connect(txtIncMove, &QLineEdit::textChanged, this, [this] { txtIncMove_Change(); });
    connect(txtIncTime, &QLineEdit::textChanged, this, [this] { txtIncTime_Change(); });
    connect(txtDepth, &QLineEdit::textChanged, this, [this] { txtDepth_Change(); });
    stepBox(updnDepth, txtDepth);
    stepBox(updnSegment, txtInitTime);
    stepBox(updnIncTime, txtIncTime);
    stepBox(updnIncMove, txtIncMove);
    connect(btnConfirm, &QPushButton::clicked, this, [this] { btnConfirm_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
}

void frmLevelSet::Form_Load()
{
    Loaded = false;
    pendingInitTime = Cfg.InitTime;
    txtInitTime->setText(QString::number(pendingInitTime));
    (Cfg.IncMode ? optIncTime : optIncMove)->setChecked(true);
    EnableIncrement(Cfg.IncMode);
    pendingIncTime = Cfg.IncTime;
    txtIncTime->setText(QString::number(pendingIncTime));
    pendingIncMove = Cfg.IncMove;
    txtIncMove->setText(QString::number(pendingIncMove));

    pendingLevel = Cfg.Depth;
    if (pendingLevel < 0) {
        optLevel[std::min(-pendingLevel, LevelCount) - 1]->setChecked(true);
        ShowFrames(false, false);
    } else if (pendingLevel == LevelTimed) {
        optTimer->setChecked(true);
        ShowFrames(true, false);
    } else if (pendingLevel == LevelInfinite) {
        optInfinite->setChecked(true);
        ShowFrames(false, false);
    } else {
        optDepth->setChecked(true);
        ShowFrames(false, true);
        txtDepth->setText(QString::number(pendingLevel));
    }
    Loaded = true;
    applyTopMost(*this);
}

void frmLevelSet::ShowFrames(bool timer, bool depth)
{
    frmTimer->setVisible(timer);
    frmDepth->setVisible(depth);
}

void frmLevelSet::EnableIncrement(bool incTime)
{
    for (QWidget* control : {static_cast<QWidget*>(txtIncTime), static_cast<QWidget*>(updnIncTime),
                             static_cast<QWidget*>(lblSeconds)})
        control->setEnabled(incTime);
    for (QWidget* control : {static_cast<QWidget*>(txtIncMove), static_cast<QWidget*>(updnIncMove),
                             static_cast<QWidget*>(lblMoves)})
        control->setEnabled(!incTime);
}

void frmLevelSet::optLevel_Click(int index)
{
    if (!Loaded)
        return;
    ShowFrames(false, false);
    pendingLevel = -(index + 1);
    WarnAboutLevel(index);
}

void frmLevelSet::optInfinite_Click()
{
    if (!Loaded)
        return;
    ShowFrames(false, false);
    pendingLevel = LevelInfinite;
    WarnAboutLevel(LevelInfinite);
}

void frmLevelSet::optTimer_Click()
{
    if (!Loaded)
        return;
    ShowFrames(true, false);
    pendingLevel = LevelTimed;
}

void frmLevelSet::optDepth_Click()
{
    if (!Loaded)
        return;
    ShowFrames(false, true);
    if (pendingLevel < DepthMin || pendingLevel > DepthMax) {
        pendingLevel = DefaultDepth;
        txtDepth->setText(QString::number(DefaultDepth));
    }
}

void frmLevelSet::optIncTime_Click()
{
    EnableIncrement(true);
}

void frmLevelSet::optIncMove_Click()
{
    EnableIncrement(false);
}

void frmLevelSet::txtInitTime_Change()
{
    acceptBoxText(txtInitTime, updnSegment, pendingInitTime, InitTimeMin, InitTimeMax);
}

void frmLevelSet::txtIncMove_Change()
{
    acceptBoxText(txtIncMove, updnIncMove, pendingIncMove, IncMoveMin, IncMoveMax);
}

void frmLevelSet::txtIncTime_Change()
{
    acceptBoxText(txtIncTime, updnIncTime, pendingIncTime, IncTimeMin, IncTimeMax);
}

void frmLevelSet::txtDepth_Change()
{
    acceptBoxText(txtDepth, updnDepth, pendingLevel, DepthMin, DepthMax);
}

void frmLevelSet::btnConfirm_Click()
{
    Cfg.IncMode = optIncTime->isChecked();
    Cfg.InitTime = static_cast<qint16>(pendingInitTime);
    Cfg.IncMove = static_cast<qint16>(pendingIncMove);
    Cfg.IncTime = static_cast<qint16>(pendingIncTime);
    Cfg.Depth = static_cast<qint16>(pendingLevel);
    ApplyLevel();
    accept();
}

void frmLevelSet::btnCancel_Click()
{
    SetLevelCommandTicked(false);
    reject();
}

void frmLevelSet::done(int result)
{
    // A timed game that ApplyLevel has just started keeps the Level command pressed.
    if (!(Cfg.Depth == LevelTimed && (Engine.EngineWhite || Engine.EngineBlack)))
        SetLevelCommandTicked(false);
    QDialog::done(result);
}

void ShowLevelDialog(QWidget* owner)
{
    frmLevelSet dialog(owner ? owner : MainForm);
    dialog.Form_Load();
    dialog.exec();
}

void ConnectLevelCommands(frmMain& form)
{
    QAction* level = form.command(QStringLiteral("mnEngineLevel"));
    if (!level)
        return;
    level->setCheckable(true);
    level->setChecked(Clock.ClockRunning);
    level->setEnabled(true);
    // The action ticks itself when clicked; the handler must see the tick as it was before.
    QObject::connect(level, &QAction::triggered, level, [level](bool checked) {
        level->setChecked(!checked);
        mnEngineLevel_Click();
    });
    MarkHandled(level);
}
