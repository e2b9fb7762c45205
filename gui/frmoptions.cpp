#include "gui/frmoptions.h"

#include "gui/topmost.h"
#include "gui/updown.h"
#include "shell/settings.h"
#include "study/speech.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int IntervalMin = 1, IntervalMax = 10;

// The computer's roles, by their "EnginePlay" value.
const char* const RoleNames[] = {"No Computer", "Computer White", "Computer Black", "Alternation",
                                 "Random"};

QCheckBox* makeCheck(const char* name, const char* text, QWidget* parent)
{
    auto* check = new QCheckBox(QString::fromUtf8(text), parent);
    check->setObjectName(QString::fromLatin1(name));
    return check;
}

QLabel* makeLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QGroupBox* makeFrame(const char* name, const char* caption, QWidget* parent)
{
    auto* frame = new QGroupBox(QString::fromLatin1(caption), parent);
    frame->setObjectName(QString::fromLatin1(name));
    return frame;
}

} // namespace

frmOptions::frmOptions(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Preferences"));
    setModal(true);

    frmEngine = makeFrame("frmEngine", "Play against Computer", this);
    lblUser = makeLabel("lblUser", QStringLiteral("Player's &Name"), frmEngine);
    txtUser = new QLineEdit(frmEngine);
    txtUser->setObjectName(QStringLiteral("txtUser"));
    lblUser->setBuddy(txtUser);
    lblEnginePlay = makeLabel("lblEnginePlay", QStringLiteral("Computer's &Role"), frmEngine);
    cmbEnginePlay = new QComboBox(frmEngine);
    cmbEnginePlay->setObjectName(QStringLiteral("cmbEnginePlay"));
    lblEnginePlay->setBuddy(cmbEnginePlay);
    chkAutoFlip = makeCheck("chkAutoFlip", "Auto Rotate", frmEngine);
    chkEngineName = makeCheck("chkEngineName", "Show Players", frmEngine);
    chkAlwaysPonder = makeCheck("chkAlwaysPonder", "Ponder Next", frmEngine);
    chkAllowResign = makeCheck("chkAllowResign", "Allow Draw/Resign", frmEngine);
    chkEngineTime = makeCheck("chkEngineTime", "Show Time in Analysis Window", frmEngine);
    auto* engineGrid = new QGridLayout(frmEngine);
    engineGrid->addWidget(lblUser, 0, 0);
    engineGrid->addWidget(txtUser, 0, 1);
    engineGrid->addWidget(lblEnginePlay, 1, 0);
    engineGrid->addWidget(cmbEnginePlay, 1, 1);
    engineGrid->addWidget(chkAutoFlip, 2, 0);
    engineGrid->addWidget(chkEngineName, 2, 1);
    engineGrid->addWidget(chkAlwaysPonder, 3, 0);
    engineGrid->addWidget(chkAllowResign, 3, 1);
    engineGrid->addWidget(chkEngineTime, 4, 0, 1, 2);

    frmQuorvin = makeFrame("frmQuorvin", "Demonstration and Speech", this);
    chkAutoPlay = makeCheck("chkAutoPlay", "Auto Demo", frmQuorvin);
    lblPlayIntv = makeLabel("lblPlayIntv", QStringLiteral("&Interval"), frmQuorvin);
    txtPlayIntv = new QLineEdit(frmQuorvin);
    txtPlayIntv->setObjectName(QStringLiteral("txtPlayIntv"));
    txtPlayIntv->setFixedWidth(48);
    txtPlayIntv->setAlignment(Qt::AlignRight);
    lblPlayIntv->setBuddy(txtPlayIntv);
    updnPlayIntv = makeUpDown("updnPlayIntv", IntervalMin, IntervalMax, frmQuorvin);
    lblIntvSec = makeLabel("lblIntvSec", QStringLiteral("Seconds"), frmQuorvin);
    chkReadMove = makeCheck("chkReadMove", "Read Move", frmQuorvin);
    lblDownloadTTS = makeLabel("lblDownloadTTS", QStringLiteral("<a href=\"tts\">Download TTS</a>"),
                               frmQuorvin);
    lblDownloadTTS->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                            Qt::LinksAccessibleByKeyboard);
    auto* interval = new QHBoxLayout;
    interval->addWidget(lblPlayIntv);
    interval->addWidget(txtPlayIntv);
    interval->addWidget(updnPlayIntv);
    interval->addWidget(lblIntvSec);
    interval->addStretch(1);
    auto* speech = new QHBoxLayout;
    speech->addWidget(chkReadMove);
    speech->addStretch(1);
    speech->addWidget(lblDownloadTTS);
    auto* demo = new QVBoxLayout(frmQuorvin);
    demo->addWidget(chkAutoPlay);
    demo->addLayout(interval);
    demo->addLayout(speech);

    frmMisc = makeFrame("frmMisc", "Miscellaneous", this);
    chkTryAgain = makeCheck("chkTryAgain", "Prompt \"Start Another Game\"", frmMisc);
    chkAutoSave = makeCheck("chkAutoSave", "Auto Save Game", frmMisc);
    chkPromptSave = makeCheck("chkPromptSave", "Prompt \"Save Game\"", frmMisc);
    chkShowNew = makeCheck("chkShowNew", "Show \"Startup\" Dialog", frmMisc);
    auto* misc = new QGridLayout(frmMisc);
    misc->addWidget(chkTryAgain, 0, 0);
    misc->addWidget(chkAutoSave, 0, 1);
    misc->addWidget(chkPromptSave, 1, 0);
    misc->addWidget(chkShowNew, 1, 1);

    btnConfirm = new QPushButton(QStringLiteral("OK"), this);
    btnConfirm->setObjectName(QStringLiteral("btnConfirm"));
    btnConfirm->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnConfirm);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frmEngine);
    layout->addWidget(frmQuorvin);
    layout->addWidget(frmMisc);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(txtPlayIntv, &QLineEdit::textChanged, this, [this] { txtPlayIntv_Change(); });
    stepBox(updnPlayIntv, txtPlayIntv);
    connect(lblDownloadTTS, &QLabel::linkActivated, this, [] { lblDownloadTTS_Click(); });
    connect(btnConfirm, &QPushButton::clicked, this, [this] { btnConfirm_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
}

void frmOptions::Form_Load()
{
    cmbEnginePlay->clear();
    for (const char* role : RoleNames)
        cmbEnginePlay->addItem(QString::fromLatin1(role));
    chkAutoFlip->setChecked(Cfg.AutoFlip);
    chkEngineName->setChecked(Cfg.EngineName);
    chkAlwaysPonder->setChecked(Cfg.AlwaysPonder);
    chkAllowResign->setChecked(Cfg.AllowResign);
    chkEngineTime->setChecked(Cfg.EngineTime);
    chkAutoPlay->setChecked(Cfg.AutoPlay);
    chkReadMove->setChecked(Cfg.ReadMove);
    chkTryAgain->setChecked(Cfg.TryAgain);
    chkAutoSave->setChecked(Cfg.AutoSave);
    chkPromptSave->setChecked(Cfg.PromptSave);
    chkShowNew->setChecked(Cfg.ShowNew);
    cmbEnginePlay->setCurrentIndex(Cfg.EnginePlay);
    txtUser->setText(Cfg.User);
    // The stored value is accepted as it stands; the box shows it through the rule below.
    AcceptedInterval = Cfg.PlayIntv;
    txtPlayIntv->setText(QString::number(Cfg.PlayIntv));
    txtPlayIntv_Change();
    applyTopMost(*this);
}

void frmOptions::txtPlayIntv_Change()
{
    acceptBoxText(txtPlayIntv, updnPlayIntv, AcceptedInterval, IntervalMin, IntervalMax);
}

void frmOptions::btnConfirm_Click()
{
    Cfg.User = txtUser->text();
    Cfg.EnginePlay = static_cast<qint16>(std::max(0, cmbEnginePlay->currentIndex()));
    Cfg.AutoFlip = chkAutoFlip->isChecked();
    Cfg.EngineName = chkEngineName->isChecked();
    Cfg.AlwaysPonder = chkAlwaysPonder->isChecked();
    Cfg.AllowResign = chkAllowResign->isChecked();
    Cfg.EngineTime = chkEngineTime->isChecked();
    Cfg.AutoPlay = chkAutoPlay->isChecked();
    Cfg.PlayIntv = static_cast<qint16>(AcceptedInterval);
    Cfg.ReadMove = chkReadMove->isChecked();
    Cfg.TryAgain = chkTryAgain->isChecked();
    Cfg.AutoSave = chkAutoSave->isChecked();
    Cfg.PromptSave = chkPromptSave->isChecked();
    Cfg.ShowNew = chkShowNew->isChecked();
    accept();
}

void frmOptions::btnCancel_Click()
{
    reject();
}

void ShowOptions(QWidget* parent)
{
    frmOptions dialog(parent);
    dialog.Form_Load();
    dialog.exec();
}
