#include "gui/frmhowto.h"

#include "gui/topmost.h"
#include "shell/settings.h"
#include "shell/updates.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmHowTo::frmHowTo(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHowTo"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    lblDoYouKnow = new QLabel(QStringLiteral("Did you know..."), this);
    QFont heading = lblDoYouKnow->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.3);
    lblDoYouKnow->setFont(heading);
    txtTips = new QPlainTextEdit(this);
    txtTips->setReadOnly(true);
    txtTips->setMinimumSize(380, 120);
    chkShowHowTo = new QCheckBox(QStringLiteral("&Show tips at startup"), this);
    btnPrev = new QPushButton(QStringLiteral("< &Prev"), this);
    btnNext = new QPushButton(QStringLiteral("&Next >"), this);
    btnCancel = new QPushButton(QStringLiteral("&Close"), this);
    btnNext->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkShowHowTo);
    buttons->addStretch();
    buttons->addWidget(btnPrev);
    buttons->addWidget(btnNext);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblDoYouKnow);
    layout->addWidget(txtTips);
    layout->addLayout(buttons);

    connect(btnPrev, &QPushButton::clicked, this, [this] { step(-1); });
    connect(btnNext, &QPushButton::clicked, this, [this] { step(1); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    if (Cfg.TipIndex < 1 || Cfg.TipIndex > TipCount)
        Cfg.TipIndex = 1;
    chkShowHowTo->setChecked(Cfg.ShowHowTo);
    txtTips->setPlainText(TipText(Cfg.TipIndex));
    applyTopMost(*this);
}

void frmHowTo::step(int by)
{
    Cfg.TipIndex = static_cast<qint16>(SteppedTipIndex(Cfg.TipIndex, by));
    txtTips->setPlainText(TipText(Cfg.TipIndex));
}

void frmHowTo::done(int result)
{
    Cfg.ShowHowTo = chkShowHowTo->isChecked();
    QDialog::done(result);
}

void ShowHowTo(QWidget* parent)
{
    frmHowTo window(parent);
    window.exec();
}
