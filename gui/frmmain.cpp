#include "gui/frmmain.h"

#include "engine/engineload.h"
#include "engine/enginestate.h"
#include "files/filestate.h"
#include "files/pgnwriter.h"
#include "files/savegame.h"
#include "gui/boardview.h"
#include "gui/topmost.h"
#include "shell/appstate.h"
#include "shell/helpcommands.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

frmMain* MainForm = nullptr;

namespace {

QLabel* namedLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(AppTitle);
    toolbar = addToolBar(QStringLiteral("Toolbar"));
    toolbar->setObjectName(QStringLiteral("Toolbar"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(22, 22));
    commands.build(*this, *toolbar);
    createControls();
    connectCommands();
    MainForm = this;
    setView(this);
}

frmMain::~frmMain()
{
    if (MainForm == this) {
        MainForm = nullptr;
        setView(nullptr);
    }
}

QWidget* frmMain::createClockRow(QLabel*& picture, QLabel*& head, QLabel*& value, QLabel*& rule,
                                 QLabel*& elapsed, QLabel*& elapsedCaption, const QString& suffix)
{
    // The player's picture, the time left and the elapsed time on one line; the rule of the time
    // control ("Plus 1 sec/move") on a smaller line under them, so it is never cut short.
    auto* row = new QWidget(this);
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(0);
    picture = namedLabel(QStringLiteral("img") + suffix, row);
    picture->setFixedSize(32, 32);
    picture->setScaledContents(true);
    head = namedLabel(QStringLiteral("lblTimeLeft") + suffix + QLatin1Char('1'), row);
    value = namedLabel(QStringLiteral("lblTimeLeft") + suffix, row);
    QFont big = value->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    value->setFont(big);
    rule = namedLabel(QStringLiteral("lblTimeRule") + suffix, row);
    QFont small = rule->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    rule->setFont(small);
    rule->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    elapsedCaption = namedLabel(QStringLiteral("lblTimeElapsed") + suffix + QLatin1Char('1'), row);
    elapsedCaption->setText(QStringLiteral("Elapsed"));
    elapsed = namedLabel(QStringLiteral("lblTimeElapsed") + suffix, row);
    layout->addWidget(picture, 0, 0, 2, 1);
    layout->addWidget(head, 0, 1);
    layout->addWidget(value, 0, 2);
    layout->setColumnStretch(3, 1);
    layout->addWidget(elapsedCaption, 0, 4);
    layout->addWidget(elapsed, 0, 5);
    layout->addWidget(rule, 1, 1, 1, 5);
    return row;
}

void frmMain::createControls()
{
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);

    auto* boardColumn = new QVBoxLayout;
    boardColumn->addWidget(createClockRow(imgUp, lblTimeLeftUp1, lblTimeLeftUp, lblTimeRuleUp,
                                          lblTimeElapsedUp, lblTimeElapsedUp1,
                                          QStringLiteral("Up")));
    boardHost = new QFrame(central);
    boardHost->setObjectName(QStringLiteral("boardHost"));
    boardHost->setMinimumSize(8 * 40, 8 * 40);
    boardHost->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* hostLayout = new QVBoxLayout(boardHost);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    boardColumn->addWidget(boardHost, 1);
    boardColumn->addWidget(createClockRow(imgDown, lblTimeLeftDown1, lblTimeLeftDown,
                                          lblTimeRuleDown, lblTimeElapsedDown, lblTimeElapsedDown1,
                                          QStringLiteral("Down")));
    columns->addLayout(boardColumn, 3);

    auto* side = new QVBoxLayout;
    lblEvent = namedLabel(QStringLiteral("lblEvent"), central);
    lblResult = namedLabel(QStringLiteral("lblResult"), central);
    QFont bold = lblResult->font();
    bold.setBold(true);
    lblResult->setFont(bold);
    lblSiteDate = namedLabel(QStringLiteral("lblSiteDate"), central);
    lblOpen = namedLabel(QStringLiteral("lblOpen"), central);
    lblOpen->setCursor(Qt::PointingHandCursor);
    lblOpen->installEventFilter(this);
    for (QLabel* label : {lblEvent, lblResult, lblSiteDate, lblOpen}) {
        label->setWordWrap(true);
        side->addWidget(label);
    }

    lstMoveText = new QListWidget(central);
    lstMoveText->setObjectName(QStringLiteral("lstMoveText"));
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    lstMoveText->setFont(fixed);
    side->addWidget(lstMoveText, 1);

    auto* annotationRow = new QHBoxLayout;
    cmbAnnotation = new QComboBox(central);
    cmbAnnotation->setObjectName(QStringLiteral("cmbAnnotation"));
    txtMove = new QLineEdit(central);
    txtMove->setObjectName(QStringLiteral("txtMove"));
    txtMove->setPlaceholderText(QStringLiteral("Type a move"));
    annotationRow->addWidget(cmbAnnotation);
    annotationRow->addWidget(txtMove, 1);
    side->addLayout(annotationRow);

    txtComment = new QPlainTextEdit(central);
    txtComment->setObjectName(QStringLiteral("txtComment"));
    txtComment->setPlaceholderText(QStringLiteral("Comment"));
    txtComment->setMaximumHeight(90);
    side->addWidget(txtComment);

    imgAdvert = namedLabel(QStringLiteral("imgAdvert"), central);
    imgAdvert->setScaledContents(true);
    imgAdvert->setMaximumHeight(60);
    imgAdvert->setCursor(Qt::PointingHandCursor);
    imgAdvert->setToolTip(AppTitle);
    imgAdvert->installEventFilter(this);
    imgAdvert->hide();
    side->addWidget(imgAdvert);
    columns->addLayout(side, 2);
    setCentralWidget(central);

    for (const char* key : {"Curr", "Nps", "Pv", "Msg"}) {
        QLabel* panel = namedLabel(QString::fromLatin1(key), statusBar());
        panel->setMinimumWidth(60);
        statusBar()->addWidget(panel, QLatin1String(key) == QLatin1String("Pv") ? 3 : 1);
        panels.append(panel);
    }
    statusBar()->hide();
}

QLabel* frmMain::statusPanel(const QString& key) const
{
    for (QLabel* panel : panels)
        if (panel->objectName() == key)
            return panel;
    return nullptr;
}

QAction* frmMain::onCommand(const QString& name, std::function<void()> handler, int index)
{
    QAction* act = commands.action(name, index);
    if (act) {
        connect(act, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
        MarkHandled(act);
    }
    return act;
}

QAction* frmMain::onCommandEnabled(const QString& name, std::function<void()> handler, int index)
{
    QAction* act = onCommand(name, std::move(handler), index);
    if (act)
        act->setEnabled(true);
    return act;
}

void frmMain::connectToggle(const QString& name, void (frmMain::*handler)())
{
    QAction* act = commands.action(name);
    act->setEnabled(true);
    connect(act, &QAction::triggered, this, handler);
    MarkHandled(act);
}

void frmMain::connectCommands()
{
    connectToggle(QStringLiteral("mnFileExit"), &frmMain::mnFileExit_Click);
    connectToggle(QStringLiteral("mnOptionsAnimation"), &frmMain::mnOptionsAnimation_Click);
    connectToggle(QStringLiteral("mnOptionsSounds"), &frmMain::mnOptionsSounds_Click);
    connectToggle(QStringLiteral("mnOptionsCoordinates"), &frmMain::mnOptionsCoordinates_Click);
    connectToggle(QStringLiteral("mnOptionsStatusBar"), &frmMain::mnOptionsStatusBar_Click);
    connectToggle(QStringLiteral("mnOptionsTopMost"), &frmMain::mnOptionsTopMost_Click);
}

void frmMain::Form_Load()
{
    lstMoveText->clear();
    lstMoveText->addItem(QStringLiteral("==Start=="));
    cmbAnnotation->clear();
    for (const char* symbol : {"-", "!", "?", "!!", "??", "!?", "?!"})
        cmbAnnotation->addItem(QString::fromLatin1(symbol));

    command(QStringLiteral("mnOptionsAnimation"))->setChecked(Cfg.Animation);
    command(QStringLiteral("mnOptionsSounds"))->setChecked(Cfg.Sounds);
    command(QStringLiteral("mnOptionsCoordinates"))->setChecked(Cfg.Coordinates);
    command(QStringLiteral("mnOptionsStatusBar"))->setChecked(Cfg.StatusBar);
    command(QStringLiteral("mnOptionsTopMost"))->setChecked(Cfg.TopMost);
    statusBar()->setVisible(Cfg.StatusBar);
    if (Cfg.TopMost)
        setTopMost(*this, true);

    const QPixmap icon(App.ProgramFolder + QStringLiteral("IMAGES/ICONW.PNG"));
    if (!icon.isNull())
        setWindowIcon(icon);
    const QPixmap advert(App.ProgramFolder + QStringLiteral("IMAGES/ADVERT.PNG"));
    if (!advert.isNull()) {
        imgAdvert->setPixmap(advert);
        imgAdvert->setFixedHeight(std::min(60, advert.height()));
        imgAdvert->show();
    }
}

bool frmMain::Form_Unload()
{
    if (PromptSave())
        return true;
    CloseSteps();
    return false;
}

void frmMain::CloseSteps()
{
    if (Engine.EngineState > 0)
        UnloadEngine();
    App.Running = false;
    // A damaged copy that could not be kept aside is not replaced.
    if (Cfg.AutoSave && !Files.AutosaveHeld)
        WriteGame(true);
    if (!App.SecondInstance) {
        // The inner area's corner, which RestorePlace sets again: the frame's corner would move
        // the window by the title bar's height on every start.
        Cfg.Left = static_cast<qint16>(std::clamp(geometry().x() * 15, 0, 32767));
        Cfg.Top = static_cast<qint16>(std::clamp(geometry().y() * 15, 0, 32767));
    }
}

void frmMain::RestorePlace()
{
    QRect place = geometry();
    place.moveTopLeft(QPoint(Cfg.Left / 15, Cfg.Top / 15));
    // The stored place may come from a larger screen or leave the lower part of the window
    // below the edge: the whole window is kept on the screen when it fits there.
    const QScreen* shown = QGuiApplication::screenAt(place.topLeft());
    if (shown == nullptr)
        shown = QGuiApplication::primaryScreen();
    if (shown != nullptr) {
        const QRect room = shown->availableGeometry();
        place.moveRight(std::min(place.right(), room.right()));
        place.moveBottom(std::min(place.bottom(), room.bottom()));
        place.moveLeft(std::max(place.left(), room.left()));
        place.moveTop(std::max(place.top(), room.top()));
    }
    setGeometry(place);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (Form_Unload())
        event->ignore();
    else
        event->accept();
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    applyTopMost(*this);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblOpen && event->type() == QEvent::MouseButtonRelease) {
        if (QAction* search = command(QStringLiteral("mnSearchOpening"));
            search && search->isEnabled())
            search->trigger();
        return true;
    }
    if (watched == imgAdvert && event->type() == QEvent::MouseButtonRelease) {
        OpenHelpLink(QStringLiteral("mnHelpHome"));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::pressToolbarButton(const QString& key)
{
    if (QAction* act = commands.toolbarAction(key); act && act->isEnabled())
        act->trigger();
}

void frmMain::setStatusBarShown(bool shown)
{
    if (statusBar()->isVisible() == shown)
        return;
    const int barHeight = statusBar()->sizeHint().height();
    const QSize size = this->size();
    statusBar()->setVisible(shown);
    resize(size.width(), size.height() + (shown ? barHeight : -barHeight));
}

void frmMain::mnFileExit_Click()
{
    close();
}

void frmMain::mnOptionsAnimation_Click()
{
    Cfg.Animation = !Cfg.Animation;
    command(QStringLiteral("mnOptionsAnimation"))->setChecked(Cfg.Animation);
}

void frmMain::mnOptionsSounds_Click()
{
    Cfg.Sounds = !Cfg.Sounds;
    command(QStringLiteral("mnOptionsSounds"))->setChecked(Cfg.Sounds);
}

void frmMain::mnOptionsCoordinates_Click()
{
    Cfg.Coordinates = !Cfg.Coordinates;
    command(QStringLiteral("mnOptionsCoordinates"))->setChecked(Cfg.Coordinates);
    ShowCoordinates(Cfg.Coordinates);
}

void frmMain::mnOptionsStatusBar_Click()
{
    Cfg.StatusBar = !Cfg.StatusBar;
    command(QStringLiteral("mnOptionsStatusBar"))->setChecked(Cfg.StatusBar);
    setStatusBarShown(Cfg.StatusBar);
}

void frmMain::mnOptionsTopMost_Click()
{
    Cfg.TopMost = !Cfg.TopMost;
    command(QStringLiteral("mnOptionsTopMost"))->setChecked(Cfg.TopMost);
    setTopMost(*this, Cfg.TopMost);
}
