#include "gui/frmpublish.h"

#include "files/positions.h"
#include "gui/topmost.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "study/publish.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr const char* SizeCaptions[] = {"Small", "Medium", "Large"};
constexpr const char* ContentCaptions[] = {"Whole Game", "Current Position"};

QLabel* namedLabel(const char* name, const char* caption, QWidget* parent)
{
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// A label that acts on a click, and looks like it.
void makeClickable(QLabel* label, QObject* filter)
{
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(filter);
}

} // namespace

frmPublish::frmPublish(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPublish"));
    setWindowTitle(QStringLiteral("Publish Game"));
    setModal(true);

    frmBoard = new QGroupBox(QStringLiteral("Board"), this);
    auto* board = new QGridLayout(frmBoard);
    lblSize = namedLabel("lblSize", "Size", frmBoard);
    board->addWidget(lblSize, 0, 0);
    auto* sizes = new QHBoxLayout;
    auto* sizeGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optSize[i] = new QRadioButton(QString::fromLatin1(SizeCaptions[i]), frmBoard);
        optSize[i]->setObjectName(QStringLiteral("optSize%1").arg(i));
        sizeGroup->addButton(optSize[i], i);
        sizes->addWidget(optSize[i]);
    }
    sizes->addStretch();
    board->addLayout(sizes, 0, 1, 1, 2);
    lblBoardUrl = namedLabel("lblBoardUrl", "Picture URL", frmBoard);
    board->addWidget(lblBoardUrl, 1, 0);
    txtBoardUrl = new QLineEdit(frmBoard);
    txtBoardUrl->setObjectName(QStringLiteral("txtBoardUrl"));
    txtBoardUrl->setReadOnly(true);
    txtBoardUrl->setToolTip(QStringLiteral("Press Ctrl+C to copy the URL into the clipboard."));
    txtBoardUrl->setMinimumWidth(360);
    txtBoardUrl->installEventFilter(this);
    board->addWidget(txtBoardUrl, 1, 1);
    lblViewBoard = namedLabel("lblViewBoard", "Preview", frmBoard);
    lblViewBoard->setStyleSheet(QStringLiteral("color: palette(link); text-decoration: underline"));
    makeClickable(lblViewBoard, this);
    board->addWidget(lblViewBoard, 1, 2);

    frmFormat = new QGroupBox(QStringLiteral("Publish"), this);
    auto* format = new QGridLayout(frmFormat);
    lblContent = namedLabel("lblContent", "Content", frmFormat);
    format->addWidget(lblContent, 0, 0);
    auto* contents = new QHBoxLayout;
    auto* contentGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        optContent[i] = new QRadioButton(QString::fromLatin1(ContentCaptions[i]), frmFormat);
        optContent[i]->setObjectName(QStringLiteral("optContent%1").arg(i));
        contentGroup->addButton(optContent[i], i);
        contents->addWidget(optContent[i]);
    }
    contents->addStretch();
    format->addLayout(contents, 0, 1);
    lblLocation = namedLabel("lblLocation", "Site", frmFormat);
    lblLocation->setToolTip(QStringLiteral("Help"));
    makeClickable(lblLocation, this);
    format->addWidget(lblLocation, 1, 0);
    cmbLocation = new QComboBox(frmFormat);
    cmbLocation->setObjectName(QStringLiteral("cmbLocation"));
    cmbLocation->addItems({QStringLiteral("Blogger"), QStringLiteral("WordPress"),
                           QStringLiteral("Facebook"), QStringLiteral("Yahoo! Answers"),
                           QStringLiteral("(Other)")});
    format->addWidget(cmbLocation, 1, 1);
    lblFormat = namedLabel("lblFormat", "Format", frmFormat);
    lblFormat->setToolTip(QStringLiteral("Help"));
    makeClickable(lblFormat, this);
    format->addWidget(lblFormat, 2, 0);
    cmbFormat = new QComboBox(frmFormat);
    cmbFormat->setObjectName(QStringLiteral("cmbFormat"));
    cmbFormat->addItems({QStringLiteral("Plain Text"), QStringLiteral("BBCode"),
                         QStringLiteral("HTML Code"), QStringLiteral("HTML Content")});
    format->addWidget(cmbFormat, 2, 1);
    btnPublish = new QPushButton(QStringLiteral("Publish"), frmFormat);
    btnPublish->setObjectName(QStringLiteral("btnPublish"));
    btnPublish->setDefault(true);
    format->addWidget(btnPublish, 1, 2, 2, 1);

    btnHelp = new QPushButton(QStringLiteral("Help"), this);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    btnCancel = new QPushButton(QStringLiteral("Close"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnHelp);
    buttons->addStretch();
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frmBoard);
    layout->addWidget(frmFormat);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (int i = 0; i < 3; ++i)
        connect(optSize[i], &QRadioButton::clicked, this, [this, i] { optSize_Click(i); });
    for (int i = 0; i < 2; ++i)
        connect(optContent[i], &QRadioButton::clicked, this, [this, i] { optContent_Click(i); });
    connect(cmbLocation, &QComboBox::currentIndexChanged, this, [this] { cmbLocation_Click(); });
    connect(cmbFormat, &QComboBox::currentIndexChanged, this, [this] { cmbFormat_Click(); });
    connect(btnPublish, &QPushButton::clicked, this, [this] { btnPublish_Click(); });
    connect(btnHelp, &QPushButton::clicked, this, [this] { btnHelp_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
}

void frmPublish::Form_Load()
{
    loaded = false;
    const int size = std::clamp<int>(Cfg.Size, 0, 2);
    optSize[size]->setChecked(true);
    txtBoardUrl->setText(PictureUrl(CurrentFen()));
    optContent[Cfg.Content ? 1 : 0]->setChecked(true);
    cmbFormat->setCurrentIndex(std::clamp<int>(Cfg.Format, 0, 3));
    cmbLocation->setCurrentIndex(std::clamp<int>(Cfg.Location, 0, 4));
    setTopMost(*this, true);
    loaded = true;
}

void frmPublish::optSize_Click(int index)
{
    if (!loaded)
        return;
    Cfg.Size = static_cast<qint16>(index);
    txtBoardUrl->setText(PictureUrl(CurrentFen()));
}

void frmPublish::lblViewBoard_Click()
{
    platform().openUrl(txtBoardUrl->text());
}

void frmPublish::optContent_Click(int index)
{
    if (loaded)
        Cfg.Content = index == 1;
}

void frmPublish::cmbLocation_Click()
{
    if (!loaded || cmbLocation->currentIndex() < 0)
        return;
    Cfg.Location = static_cast<qint16>(cmbLocation->currentIndex());
    cmbFormat->setCurrentIndex(FormatForLocation(Cfg.Location, cmbFormat->currentIndex()));
}

void frmPublish::cmbFormat_Click()
{
    if (loaded && cmbFormat->currentIndex() >= 0)
        Cfg.Format = static_cast<qint16>(cmbFormat->currentIndex());
}

void frmPublish::btnPublish_Click()
{
    PublishGame();
}

void frmPublish::btnHelp_Click()
{
    platform().openUrl(PublishHelpUrl());
}

void frmPublish::lblLocation_Click()
{
    platform().openUrl(PublishHelpUrl(QStringLiteral("location")));
}

void frmPublish::lblFormat_Click()
{
    platform().openUrl(PublishHelpUrl(QStringLiteral("format")));
}

void frmPublish::btnCancel_Click()
{
    reject();
}

void frmPublish::storeChoices()
{
    Cfg.Content = optContent[1]->isChecked();
    if (cmbFormat->currentIndex() >= 0)
        Cfg.Format = static_cast<qint16>(cmbFormat->currentIndex());
    if (cmbLocation->currentIndex() >= 0)
        Cfg.Location = static_cast<qint16>(cmbLocation->currentIndex());
}

void frmPublish::done(int result)
{
    storeChoices();
    QDialog::done(result);
}

bool frmPublish::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == txtBoardUrl)
            txtBoardUrl->selectAll();
        else if (watched == lblViewBoard)
            lblViewBoard_Click();
        else if (watched == lblLocation)
            lblLocation_Click();
        else if (watched == lblFormat)
            lblFormat_Click();
    }
    return QDialog::eventFilter(watched, event);
}

void ShowPublishDialog(QWidget* owner)
{
    frmPublish dialog(owner);
    dialog.Form_Load();
    dialog.exec();
}
