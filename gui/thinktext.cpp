#include "gui/thinktext.h"

#include "gui/paintthrottle.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int Margin = 3; // pixels between the frame and the text

} // namespace

ThinkText::ThinkText(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    MeasureFont();
    UpdateScrollBars();
}

void ThinkText::MeasureFont()
{
    // Measured once: a fixed-pitch font's sizes do not change from line to line.
    const QFontMetrics metrics = fontMetrics();
    lineHeight = std::max(1, metrics.lineSpacing());
    charWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
}

QStringView ThinkText::line(int index) const
{
    const qsizetype start = starts[static_cast<size_t>(index)];
    const qsizetype end = static_cast<size_t>(index) + 1 < starts.size()
                              ? starts[static_cast<size_t>(index) + 1] - 2
                              : all.size();
    return QStringView(all).mid(start, end - start);
}

void ThinkText::appendLine(const QString& line)
{
    holdRepaints(*this);
    if (!starts.empty())
        all += QStringLiteral("\r\n");
    caret = all.size();
    starts.push_back(caret);
    all += line;
    widest = std::max(widest, line.size());
    UpdateScrollBars();
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void ThinkText::clear()
{
    all.clear();
    starts.clear();
    caret = 0;
    widest = 0;
    UpdateScrollBars();
    viewport()->update();
}

int ThinkText::ShownLines() const
{
    return std::max(1, (viewport()->height() - 2 * Margin) / lineHeight);
}

int ThinkText::firstShownLine() const
{
    return verticalScrollBar()->value();
}

void ThinkText::UpdateScrollBars()
{
    const int shown = ShownLines();
    verticalScrollBar()->setRange(0, std::max(0, lineCount() - shown));
    verticalScrollBar()->setPageStep(shown);
    const int textWidth = static_cast<int>(widest) * charWidth + 2 * Margin;
    horizontalScrollBar()->setRange(0, std::max(0, textWidth - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void ThinkText::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int ascent = fontMetrics().ascent();
    const int first = firstShownLine();
    const int last = std::min(lineCount(), first + ShownLines() + 1);
    const int x = Margin - horizontalScrollBar()->value();
    for (int index = first; index < last; ++index) {
        const int top = Margin + (index - first) * lineHeight;
        painter.drawText(QPoint(x, top + ascent), line(index).toString());
    }
}

void ThinkText::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const bool atEnd = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    UpdateScrollBars();
    if (atEnd)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ThinkText::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        MeasureFont();
        UpdateScrollBars();
    }
}

void ThinkText::contextMenuEvent(QContextMenuEvent* event)
{
    // The lines cannot be selected; the whole text can be copied.
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copy"));
    copy->setEnabled(!all.isEmpty());
    if (menu.exec(event->globalPos()) == copy)
        QApplication::clipboard()->setText(all);
}
