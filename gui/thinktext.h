// The thinking window's text box: a read-only text of lines that only grows. Appending costs
// the same at the hundred-thousandth line as at the tenth, the text is held once (lines joined
// by "\r\n", as the window's text reads), and only the lines in sight are painted.
#pragma once

#include <QAbstractScrollArea>
#include <QString>

#include <vector>

class ThinkText : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ThinkText(QWidget* parent = nullptr);

    // Adds a line at the end; the caret goes to its start, which scrolls it into view.
    void appendLine(const QString& line);
    void clear();

    const QString& text() const { return all; }
    int lineCount() const { return static_cast<int>(starts.size()); }
    QStringView line(int index) const;
    // Character position of the caret in text().
    qsizetype caretPosition() const { return caret; }
    // Index of the first line in sight.
    int firstShownLine() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateScrollBars();
    int ShownLines() const;
    void MeasureFont();

    QString all;
    std::vector<qsizetype> starts; // where each line begins in all
    qsizetype caret = 0;
    qsizetype widest = 0; // characters of the longest line
    int lineHeight = 1;   // pixels, of the fixed-pitch font
    int charWidth = 1;
};
