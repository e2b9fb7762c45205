#include "engine/uci.h"

#include "play/clocks.h"
#include "shell/settings.h"

#include <algorithm>
#include <cstdint>

namespace {

int SideOfPiece(int piece)
{
    return (piece & ColourValue(Black)) ? Black : White;
}

} // namespace

QString MoveToUci(const RulesBoard& board, MoveCode move)
{
    const int from = MoveFrom(move);
    int to = MoveTo(move);
    const int piece = board.squares[from];
    const bool pawnToLastRank = TypeOf(piece) == Pawn && (RowOf(to) == 0 || RowOf(to) == 7);
    if (TypeOf(piece) == King && piece != 0 && RowOf(to) == RowOf(from) &&
        std::abs(to - from) >= 2 && !KessrinIsChess960(board))
        to = KingTarget(CastlingIndex(SideOfPiece(piece), from, to));
    const MoveCode written = MakeMove(from, to, MovePromo(move));
    return QString::fromStdString(MoveToCoord(written, pawnToLastRank));
}

PositionText BuildPosition(bool standardStart, const QString& startFen, const MoveCode* moves,
                           int count)
{
    PositionText result;
    result.text = standardStart ? QStringLiteral("startpos") : QStringLiteral("fen ") + startFen;
    if (count <= 0)
        return result;
    result.text += QStringLiteral(" moves");
    RulesBoard scratch{};
    KessrinFen2Board(scratch, startFen.toStdString());
    for (int k = 0; k < count; ++k) {
        const QString uci = MoveToUci(scratch, moves[k]);
        int flags = 0;
        if (!KessrinTryMove(scratch, flags, moves[k]))
            break;
        result.text += QLatin1Char(' ') + uci;
        ++result.reversiblePlies;
        const int32_t entry = scratch.history[scratch.historyCount - 1];
        if (entry & (1 << 30))
            result.reversiblePlies = 0;
    }
    return result;
}

QString GoLimitsText(const GoLimits& limits)
{
    if (limits.level > 0)
        return QStringLiteral(" depth %1").arg(limits.level);
    if (limits.level < 0)
        return QStringLiteral(" depth %1").arg(-2 * limits.level);
    QString text = QStringLiteral(" wtime %1 btime %2")
                       .arg(qint64(limits.timeLeftWhite) * 1000)
                       .arg(qint64(limits.timeLeftBlack) * 1000);
    if (limits.incMode) {
        const qint64 increment = limits.incTime < 0 ? 0 : qint64(limits.incTime) * 1000;
        return text + QStringLiteral(" winc %1 binc %1").arg(increment);
    }
    return text + QStringLiteral(" movestogo %1").arg(limits.movesLeft);
}

QString GoLine(bool analysing, bool ponder, const GoLimits& limits)
{
    if (analysing)
        return QStringLiteral("go infinite");
    return (ponder ? QStringLiteral("go ponder") : QStringLiteral("go")) + GoLimitsText(limits);
}

QString OptionLine(const QString& name, const QString& value)
{
    return QStringLiteral("setoption name ") + name + QStringLiteral(" value ") + value;
}

std::vector<std::pair<QString, QString>> EngineOptionValues(const Settings& settings, int cpuCount)
{
    const auto flag = [](bool on) { return on ? QStringLiteral("true") : QStringLiteral("false"); };
    const auto number = [](int value) { return QString::number(value); };
    std::vector<std::pair<QString, QString>> options;
    options.emplace_back(QStringLiteral("OwnBook"), flag(settings.UseBook));
    if (!settings.BookFiles.isEmpty())
        options.emplace_back(QStringLiteral("Book File"), settings.BookFiles);
    options.emplace_back(QStringLiteral("Use Tablebases"), flag(settings.UseEgtb));
    if (!settings.EgtbPaths.isEmpty())
        options.emplace_back(QStringLiteral("NalimovPath"), settings.EgtbPaths);
    const int hashIndex = std::clamp<int>(settings.Hash, 0, 7);
    const int threadsIndex = std::clamp<int>(settings.Threads, 0, 9);
    const int style = std::clamp<int>(settings.Style, 0, 2);
    options.emplace_back(QStringLiteral("Hash"), number(16 << hashIndex));
    const int threads = 1 << threadsIndex;
    options.emplace_back(QStringLiteral("Threads"),
                         number(threads < cpuCount ? threads : cpuCount));
    options.emplace_back(QStringLiteral("Minimum Thinking Time"), QStringLiteral("0"));
    options.emplace_back(QStringLiteral("Randomness"),
                         number(std::clamp<int>(settings.Randomness, 0, 3) * 3));
    options.emplace_back(QStringLiteral("Aggressiveness"), number(style * 100));
    options.emplace_back(QStringLiteral("Cowardice"), number(200 - style * 100));
    return options;
}

int LeadingNumber(const QString& text, qsizetype from, int low, int high)
{
    qsizetype i = std::max<qsizetype>(from, 0);
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    // Saturate well beyond any range asked for, so a flood of digits cannot overflow.
    constexpr std::int64_t Saturation = std::int64_t(1) << 40;
    std::int64_t value = 0;
    for (; i < n && text[i].isDigit() && text[i].unicode() < 128; ++i)
        value = std::min(value * 10 + (text[i].unicode() - '0'), Saturation);
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<std::int64_t>(value, low, high));
}

std::optional<int> NumberAfter(const QString& line, QLatin1StringView key, int low, int high)
{
    const qsizetype at = line.indexOf(key);
    if (at < 0)
        return std::nullopt;
    return LeadingNumber(line, at + key.size(), low, high);
}

namespace {

// True when word occurs in line as a whole blank-separated token, including at the line's end.
bool HasToken(const QString& line, QLatin1StringView word)
{
    for (qsizetype at = line.indexOf(word); at >= 0; at = line.indexOf(word, at + 1)) {
        const qsizetype end = at + word.size();
        if ((at == 0 || line[at - 1] == QLatin1Char(' ')) &&
            (end == line.size() || line[end] == QLatin1Char(' ')))
            return true;
    }
    return false;
}

} // namespace

std::optional<int> ExactScore(const QString& line)
{
    const qsizetype at = line.indexOf(QLatin1StringView(" score "));
    // A bound may also end the line; it is never an exact score.
    if (at < 0 || HasToken(line, QLatin1StringView("lowerbound")) ||
        HasToken(line, QLatin1StringView("upperbound")))
        return std::nullopt;
    const qsizetype kind = at + 7;
    if (line.mid(kind, 5) == QLatin1StringView("mate ")) {
        const int m = LeadingNumber(line, kind + 5, -32767, 32767);
        return m >= 0 ? 10000 - m : -10000 - m;
    }
    if (line.mid(kind, 3) == QLatin1StringView("cp "))
        return LeadingNumber(line, kind + 3, -32767, 32767);
    return 0;
}

QString DepthScoreText(int depth, int score)
{
    const QString depthText = QString::number(depth);
    QString text =
        QString(std::max<qsizetype>(0, 3 - depthText.size()), QLatin1Char(' ')) + depthText;
    if (score >= 1) {
        const QString digits = QString::number(score);
        text += QString(std::max<qsizetype>(0, 5 - digits.size()), QLatin1Char(' ')) +
                QStringLiteral("(+") + digits + QLatin1Char(')');
    } else if (score < 0) {
        const QString digits = QString::number(score);
        text += QString(std::max<qsizetype>(0, 6 - digits.size()), QLatin1Char(' ')) +
                QLatin1Char('(') + digits + QLatin1Char(')');
    } else {
        text += QStringLiteral("     (0)");
    }
    return text;
}

std::optional<QString> SanWithCheck(const RulesBoard& board, MoveCode move)
{
    RulesBoard after = board;
    int flags = 0;
    if (move == 0 || !KessrinTryMove(after, flags, move))
        return std::nullopt;
    QString san = QString::fromStdString(KessrinMove2Alg(board, move));
    if (flags & MoveFlag::Check)
        san += (flags & MoveFlag::NoReply) ? QLatin1Char('#') : QLatin1Char('+');
    return san;
}

QString PvText(RulesBoard board, const QString& line, qsizetype pvStart)
{
    QString text;
    const qsizetype length = line.size();
    qsizetype i = pvStart;
    while (i < length) {
        const MoveCode move = CoordToMove(line.mid(i, 5).toStdString());
        if (move == 0)
            break;
        // SAN is read on the position before the move; the library gives none for an illegal
        // move, and the move is tried anyway, so a variation stops at its first illegal move.
        const std::string san = KessrinMove2Alg(board, move);
        int flags = 0;
        if (san.empty() || !KessrinTryMove(board, flags, move))
            break;
        text += QLatin1Char(' ') + QString::fromStdString(san);
        if (flags & MoveFlag::Check)
            text += (flags & MoveFlag::NoReply) ? QLatin1Char('#') : QLatin1Char('+');
        i += (i + 4 < length && line[i + 4] == QLatin1Char(' ')) ? 5 : 6;
    }
    return text;
}

QString ElapsedText(int milliseconds)
{
    return FormatClock(milliseconds / 1000) + QLatin1Char('.') +
           QString::number((milliseconds / 100) % 10) + QStringLiteral(" ->");
}

int ElapsedMs(double start, double now)
{
    auto ms = static_cast<std::int64_t>((now - start) * 1000.0);
    if (ms < 0)
        ms += 86400000;
    return static_cast<int>(ms);
}

QByteArray LogEntry(const QString& line, const char* colour)
{
    return QByteArrayLiteral("<font color=\"") + colour + QByteArrayLiteral("\">") + line.toUtf8() +
           QByteArrayLiteral("</font><br>\r\n");
}
