// frmMain as the logic's view: each operation turned into the change of its control.
#include "gui/frmmain.h"

#include "gui/boardview.h"
#include "gui/frmendgames.h"
#include "gui/frmengineset.h"
#include "gui/frmgamelist.h"
#include "gui/frmlevelset.h"
#include "gui/frmnewgame.h"
#include "gui/frmpromotion.h"
#include "gui/frmthink.h"
#include "gui/frmviewpgn.h"
#include "gui/paintthrottle.h"
#include "gui/pieceimages.h"
#include "gui/topmost.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QSignalBlocker>
#include <QStatusBar>

namespace {

void setText(QLabel* label, const QString& text)
{
    if (label && label->text() != text)
        label->setText(text);
}

const QPixmap& pictureOf(PlayerPicture picture)
{
    switch (picture) {
    case PlayerPicture::WhiteEngine:
        return Pictures.engineWhite();
    case PlayerPicture::BlackEngine:
        return Pictures.engineBlack();
    case PlayerPicture::BlackPiece:
        return Pictures.pieces[7];
    case PlayerPicture::WhitePiece:
        break;
    }
    return Pictures.pieces[1];
}

} // namespace

void frmMain::setCommandEnabled(const QString& name, bool enabled, int index)
{
    if (QAction* act = command(name, index))
        act->setEnabled(enabled);
}

void frmMain::setCommandChecked(const QString& name, bool checked, int index)
{
    if (QAction* act = command(name, index))
        act->setChecked(checked);
}

bool frmMain::commandChecked(const QString& name) const
{
    const QAction* act = command(name);
    return act && act->isChecked();
}

void frmMain::setCommandCheckable(const QString& name, bool checkable)
{
    if (QAction* act = command(name))
        act->setCheckable(checkable);
}

void frmMain::tickOnly(const QString& group, int index)
{
    commands.tickOnly(group, index);
}

void frmMain::setMenuEnabled(const QString& menu, bool enabled)
{
    commands.setMenuEnabled(menu, enabled);
}

void frmMain::resetMoveList()
{
    const QSignalBlocker quiet(lstMoveText);
    lstMoveText->clear();
    lstMoveText->addItem(QStringLiteral("==Start=="));
}

int frmMain::moveRowCount() const
{
    return lstMoveText->count();
}

void frmMain::insertMoveRow(int row, const QString& text)
{
    const QSignalBlocker quiet(lstMoveText);
    lstMoveText->insertItem(row, text);
}

void frmMain::removeMoveRow(int row)
{
    const QSignalBlocker quiet(lstMoveText);
    delete lstMoveText->takeItem(row);
}

QString frmMain::moveRowText(int row) const
{
    const QListWidgetItem* item = lstMoveText->item(row);
    return item ? item->text() : QString();
}

void frmMain::setMoveRowText(int row, const QString& text)
{
    if (QListWidgetItem* item = lstMoveText->item(row))
        item->setText(text);
}

void frmMain::selectMoveRow(int row)
{
    const QSignalBlocker quiet(lstMoveText);
    lstMoveText->setCurrentRow(row);
    if (QListWidgetItem* item = lstMoveText->item(row))
        lstMoveText->scrollToItem(item);
}

int frmMain::selectedMoveRow() const
{
    return lstMoveText->currentRow();
}

QString frmMain::commentText() const
{
    return txtComment->toPlainText();
}

void frmMain::setCommentText(const QString& text)
{
    txtComment->setPlainText(text);
}

int frmMain::annotationIndex() const
{
    return cmbAnnotation->currentIndex();
}

void frmMain::setAnnotationIndex(int index)
{
    cmbAnnotation->setCurrentIndex(index);
}

void frmMain::setAnnotationEnabled(bool enabled)
{
    cmbAnnotation->setEnabled(enabled);
}

QString frmMain::typedMove() const
{
    return txtMove->text();
}

void frmMain::clearTypedMove()
{
    txtMove->clear();
}

void frmMain::focusMoveBox()
{
    txtMove->setFocus(Qt::ShortcutFocusReason);
}

void frmMain::setHeaderText(HeaderLabel label, const QString& text)
{
    QLabel* target = label == HeaderLabel::Event      ? lblEvent
                     : label == HeaderLabel::Result   ? lblResult
                     : label == HeaderLabel::SiteDate ? lblSiteDate
                                                      : lblOpen;
    // Tag texts are shown as typed, never as markup.
    target->setTextFormat(Qt::PlainText);
    target->setText(text);
}

void frmMain::setClockText(bool upper, ClockField field, const QString& text)
{
    switch (field) {
    case ClockField::Head:
        setText(upper ? lblTimeLeftUp1 : lblTimeLeftDown1, text);
        break;
    case ClockField::Value:
        setText(upper ? lblTimeLeftUp : lblTimeLeftDown, text);
        break;
    case ClockField::Rule:
        setText(upper ? lblTimeRuleUp : lblTimeRuleDown, text);
        break;
    case ClockField::Elapsed:
        setText(upper ? lblTimeElapsedUp : lblTimeElapsedDown, text);
        break;
    }
}

void frmMain::setPlayerPictures(PlayerPicture upper, PlayerPicture lower)
{
    imgUp->setPixmap(pictureOf(upper));
    imgDown->setPixmap(pictureOf(lower));
}

void frmMain::setWindowCaption(const QString& text)
{
    setWindowTitle(text);
}

void frmMain::setWindowIconFile(const QString& path)
{
    const QPixmap icon(path);
    if (!icon.isNull())
        setWindowIcon(icon);
}

void frmMain::setStatusText(const QString& panel, const QString& text)
{
    QLabel* label = statusPanel(panel);
    if (!label || label->text() == text)
        return;
    // An analysis changes the panels with every line the engine prints.
    holdRepaints(*statusBar());
    label->setText(text);
}

void frmMain::refreshWindow()
{
    update();
}

bool frmMain::hasBoard() const
{
    return MainBoardView() != nullptr;
}

int frmMain::squarePicture(int image) const
{
    const BoardView* board = MainBoardView();
    return board && image >= 0 && image < 64 ? board->cellPicture(image) : 0;
}

void frmMain::setSquarePicture(int image, int picture)
{
    if (BoardView* board = MainBoardView())
        board->setCellPicture(image, picture);
}

void frmMain::raiseSquare(int image, int dxTwips)
{
    if (BoardView* board = MainBoardView())
        board->setRaisedTwips(image, dxTwips);
}

void frmMain::repaintBoard()
{
    if (BoardView* board = MainBoardView())
        board->repaint();
}

void frmMain::showGlidingPiece(int picture, int fromImage, int toImage, int step, int steps)
{
    BoardView* board = MainBoardView();
    if (!board || steps <= 0)
        return;
    if (!gliding) {
        gliding = new QLabel(board);
        gliding->setAttribute(Qt::WA_TransparentForMouseEvents);
        gliding->setScaledContents(true);
    }
    const QRect start = board->cellRect(fromImage);
    const QRect end = board->cellRect(toImage);
    gliding->setPixmap(
        Pictures.pieces[static_cast<std::size_t>(std::clamp(picture, 0, PieceImageCount - 1))]);
    gliding->setGeometry(((steps - step) * start.left() + step * end.left()) / steps,
                         ((steps - step) * start.top() + step * end.top()) / steps, start.width(),
                         start.height());
    gliding->show();
    gliding->raise();
}

void frmMain::hideGlidingPiece()
{
    delete gliding;
    gliding = nullptr;
}

bool frmMain::setBoardPicture(const QString& path)
{
    BoardView* board = MainBoardView();
    return board && board->setBoardPicture(path);
}

void frmMain::setSquareCaptions(const std::array<QString, 64>& texts)
{
    if (BoardView* board = MainBoardView())
        board->setCaptions(texts);
}

void frmMain::setSquareCaptionsShown(bool shown)
{
    if (BoardView* board = MainBoardView())
        board->setCaptionsShown(shown);
}

void frmMain::showNewGameDialog()
{
    ShowNewGameDialog(this);
}

void frmMain::showLevelDialog()
{
    ShowLevelDialog(this);
}

int frmMain::askPromotionPiece(int side)
{
    frmPromotion dialog(side, this);
    dialog.exec();
    return dialog.choice();
}

void frmMain::showGameText()
{
    frmViewPgn window(this);
    window.exec();
}

int frmMain::chooseGame(const std::vector<GameIndexEntry>& games)
{
    frmGameList window(games, this);
    window.exec();
    return window.choice();
}

bool frmMain::reportProgress(const QString& text, qint64 done, qint64 total)
{
    if (done >= total) {
        progress.reset();
        return true;
    }
    // Steps of a thousandth keep the bar's int range whatever the size of the task.
    const int permille = total > 0 ? static_cast<int>(done * 1000 / total) : 0;
    if (!progress) {
        progress = std::make_unique<QProgressDialog>(text, QStringLiteral("Cancel"), 0, 1000, this);
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(300);
        progress->setAutoClose(false);
        progress->setAutoReset(false);
        applyTopMost(*progress);
    }
    progress->setLabelText(text);
    progress->setValue(permille);
    // A modal progress window handles its events in setValue; before it shows, this keeps the
    // main window painted and lets Esc reach it.
    QCoreApplication::processEvents();
    return !progress->wasCanceled();
}

void frmMain::appendThinking(const QString& text)
{
    if (ThinkForm)
        ThinkForm->AppendThink(text);
}

void frmMain::clearThinking()
{
    if (ThinkForm)
        ThinkForm->ClearThink();
}

void frmMain::closeThinking()
{
    if (ThinkForm)
        ThinkForm->close();
}

void frmMain::showThinking()
{
    ShowThinkingWindow(this);
}

void frmMain::showEngineSettings()
{
    ShowEngineSetDialog(this);
}

int frmMain::choosePuzzle(const QString& caption, const QStringList& titles, int selected)
{
    return ShowEndgamesDialog(this, caption, titles, selected);
}
