#include "support/fake_view.h"

#include <algorithm>

QString FakeView::commandKey(const QString& name, int index)
{
    return index < 0 ? name : name + QLatin1Char(':') + QString::number(index);
}

FakeView::CommandState FakeView::command(const QString& name, int index) const
{
    const auto found = commands.find(commandKey(name, index));
    return found == commands.end() ? CommandState{} : found->second;
}

void FakeView::setCommandEnabled(const QString& name, bool enabled, int index)
{
    commands[commandKey(name, index)].enabled = enabled;
}

void FakeView::setCommandChecked(const QString& name, bool checked, int index)
{
    commands[commandKey(name, index)].checked = checked;
}

bool FakeView::commandChecked(const QString& name) const
{
    return command(name).checked;
}

void FakeView::setCommandCheckable(const QString& name, bool checkable)
{
    commands[commandKey(name)].checkable = checkable;
}

void FakeView::tickOnly(const QString& group, int index)
{
    ticks.emplace_back(group, index);
}

void FakeView::setMenuEnabled(const QString& menu, bool enabled)
{
    menus[menu] = enabled;
}

void FakeView::resetMoveList()
{
    moveRows = QStringList{QStringLiteral("==Start==")};
    selectedRow = -1;
}

void FakeView::insertMoveRow(int row, const QString& text)
{
    // As a list widget: a row past the end appends.
    moveRows.insert(std::clamp(row, 0, static_cast<int>(moveRows.size())), text);
    if (selectedRow >= row)
        ++selectedRow;
}

void FakeView::removeMoveRow(int row)
{
    if (row < 0 || row >= moveRows.size())
        return;
    moveRows.removeAt(row);
    // As a list widget: the selection follows its row, or falls on the one after the removed.
    if (selectedRow > row)
        --selectedRow;
    selectedRow = std::min(selectedRow, static_cast<int>(moveRows.size()) - 1);
}

void FakeView::setMoveRowText(int row, const QString& text)
{
    if (row >= 0 && row < moveRows.size())
        moveRows[row] = text;
}

void FakeView::selectMoveRow(int row)
{
    selectedRow = row >= 0 && row < moveRows.size() ? row : -1;
}

void FakeView::setCommentText(const QString& text)
{
    // As a plain text box: every line break of another system is shown as "\n".
    comment = text;
    comment.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

void FakeView::setClockText(bool upper, ClockField field, const QString& text)
{
    clocks[{upper, field}] = text;
}

void FakeView::setPlayerPictures(PlayerPicture upper, PlayerPicture lower)
{
    upperPicture = upper;
    lowerPicture = lower;
}

void FakeView::setStatusText(const QString& panel, const QString& text)
{
    status[panel] = text;
}

int FakeView::squarePicture(int image) const
{
    return image >= 0 && image < 64 ? squares[static_cast<std::size_t>(image)] : 0;
}

void FakeView::setSquarePicture(int image, int picture)
{
    if (image >= 0 && image < 64)
        squares[static_cast<std::size_t>(image)] = picture;
}

void FakeView::raiseSquare(int image, int dxTwips)
{
    raisedImage = image;
    raisedOffset = dxTwips;
}

void FakeView::showGlidingPiece(int, int, int, int, int)
{
    ++glidingSteps;
    glidingShown = true;
}

bool FakeView::setBoardPicture(const QString& path)
{
    if (!boardPictureLoads)
        return false;
    boardPicture = path;
    return true;
}

int FakeView::askPromotionPiece(int side)
{
    promotionAsked.push_back(side);
    return promotionAnswer;
}

int FakeView::chooseGame(const std::vector<GameIndexEntry>& games)
{
    gamesOffered = games;
    ++gameListShown;
    return gameChoice;
}

bool FakeView::reportProgress(const QString&, qint64 done, qint64 total)
{
    progress.emplace_back(done, total);
    return cancelProgressAfter < 0 || static_cast<int>(progress.size()) <= cancelProgressAfter;
}

int FakeView::choosePuzzle(const QString& caption, const QStringList& titles, int selected)
{
    puzzleLists.push_back({caption, titles, selected});
    return puzzleChoice;
}
