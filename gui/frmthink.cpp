#include "gui/frmthink.h"

#include "engine/analysis.h"
#include "gui/thinktext.h"
#include "gui/topmost.h"
#include "shell/settings.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include <algorithm>

frmThink* ThinkForm = nullptr;

namespace {

constexpr int TwipsPerPixel = 15;

qint16 Twips(int pixels, int low, int high)
{
    return static_cast<qint16>(std::clamp(pixels * TwipsPerPixel, low, high));
}

} // namespace

frmThink::frmThink(QWidget* owner) : QWidget(owner, Qt::Tool), owner(owner)
{
    setObjectName(QStringLiteral("frmThink"));
    setWindowTitle(QStringLiteral("Analysis"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    txtThink = new ThinkText(this);
    txtThink->setObjectName(QStringLiteral("txtThink"));
    layout->addWidget(txtThink);
}

frmThink::~frmThink()
{
    if (owner)
        owner->removeEventFilter(this);
    if (ThinkForm == this)
        ThinkForm = nullptr;
}

void frmThink::Form_Load()
{
    resize(Cfg.ThinkWidth / TwipsPerPixel, Cfg.ThinkHeight / TwipsPerPixel);
    FollowMain();
    owner->installEventFilter(this);
    applyTopMost(*this);
    loaded = true;
}

void frmThink::AppendThink(const QString& line)
{
    txtThink->appendLine(line);
}

void frmThink::ClearThink()
{
    txtThink->clear();
}

void frmThink::FollowMain()
{
    followingMain = true;
    move(owner->x() + Cfg.ThinkLeft / TwipsPerPixel, owner->y() + Cfg.ThinkTop / TwipsPerPixel);
    followingMain = false;
}

void frmThink::StoreSize()
{
    Cfg.ThinkWidth = Twips(width(), 2400, 32767);
    Cfg.ThinkHeight = Twips(height(), 1200, 32767);
}

void frmThink::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (!loaded || followingMain || !isVisible())
        return;
    Cfg.ThinkLeft = Twips(x() - owner->x(), -32767, 32767);
    Cfg.ThinkTop = Twips(y() - owner->y(), -32767, 32767);
}

void frmThink::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Kept at once, so a program closed with the window open still remembers its size.
    if (loaded)
        StoreSize();
}

bool frmThink::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == owner && event->type() == QEvent::Move && loaded)
        FollowMain();
    return QWidget::eventFilter(watched, event);
}

void frmThink::Form_Unload()
{
    owner->removeEventFilter(this);
    StoreSize();
    loaded = false;
    // Gone for the program at once, though deleted later: opening again builds a new window.
    if (ThinkForm == this)
        ThinkForm = nullptr;
    ThinkWindowUnloaded();
}

void frmThink::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void ShowThinkingWindow(QWidget* owner)
{
    if (!ThinkForm) {
        ThinkForm = new frmThink(owner);
        ThinkForm->Form_Load();
    }
    ThinkForm->show();
    ThinkForm->raise();
}
