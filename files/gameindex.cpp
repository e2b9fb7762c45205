#include "files/gameindex.h"

#include "files/pgnreader.h"
#include "files/pgntext.h"
#include "shell/view.h"

namespace {

// How many bytes are read between two reports of progress.
constexpr qsizetype ProgressStep = 256 * 1024;

qsizetype firstNonBlank(QByteArrayView line)
{
    qsizetype at = 0;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
        ++at;
    return at;
}

// Follows the comment brackets of a movetext line, so that a "[" line inside a comment does not
// start a game; a ";" comment runs to the line end.
void trackDepth(QByteArrayView line, int& depth)
{
    for (const char c : line) {
        if (c == '{' || c == '(')
            ++depth;
        else if ((c == '}' || c == ')') && depth > 0)
            --depth;
        else if (c == ';' && depth == 0)
            return;
    }
}

void readTag(GameIndexEntry& entry, QByteArrayView raw)
{
    const QString line = DecodeLine(raw);
    const struct {
        const char* name;
        QString GameIndexEntry::*field;
    } shown[] = {
        {"EVENT", &GameIndexEntry::event},   {"DATE", &GameIndexEntry::date},
        {"WHITE", &GameIndexEntry::white},   {"BLACK", &GameIndexEntry::black},
        {"RESULT", &GameIndexEntry::result},
    };
    QString value;
    for (const auto& tag : shown) {
        if (ParseTagLine(value, line, QLatin1String(tag.name))) {
            entry.*tag.field = value;
            return;
        }
    }
}

} // namespace

std::optional<std::vector<GameIndexEntry>> IndexGames(QByteArrayView bytes,
                                                      const IndexProgress& progress)
{
    std::vector<GameIndexEntry> games;
    PgnLines lines(bytes);
    QByteArrayView raw;
    bool inMovetext = false;
    int depth = 0;
    qsizetype nextReport = ProgressStep;
    qsizetype lineStart = lines.position();
    auto finishLast = [&](qsizetype end) {
        if (!games.empty())
            games.back().length = end - games.back().offset;
    };
    while (lines.next(raw)) {
        const qsizetype at = firstNonBlank(raw);
        const bool blank = at == raw.size();
        // "%" escapes a line outside comments only, as the reader sees it.
        if (!blank && (raw[0] != '%' || depth > 0)) {
            const bool tagLine = depth == 0 && raw[at] == '[';
            if (games.empty() || (tagLine && inMovetext)) {
                finishLast(lineStart);
                GameIndexEntry entry;
                entry.number = static_cast<int>(games.size()) + 1;
                entry.offset = lineStart;
                games.push_back(std::move(entry));
                inMovetext = false;
                depth = 0;
            }
            if (tagLine && !inMovetext) {
                readTag(games.back(), raw.sliced(at));
            } else {
                inMovetext = true;
                trackDepth(raw, depth);
            }
        }
        lineStart = lines.position();
        if (progress && lineStart >= nextReport) {
            nextReport = lineStart + ProgressStep;
            if (!progress(lineStart, bytes.size()))
                return std::nullopt;
        }
    }
    finishLast(bytes.size());
    return games;
}

std::optional<std::vector<GameIndexEntry>> IndexGamesShowingProgress(QByteArrayView bytes)
{
    const QString label = QStringLiteral("Reading the games of the file...");
    std::optional<std::vector<GameIndexEntry>> games =
        IndexGames(bytes, [&label](qsizetype done, qsizetype total) {
            return view().reportProgress(label, done, total);
        });
    view().reportProgress(label, bytes.size(), bytes.size());
    return games;
}
