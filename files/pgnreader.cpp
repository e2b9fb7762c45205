#include "files/pgnreader.h"

#include "core/annotations.h"
#include "core/board.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "files/captions.h"
#include "files/filedialog.h"
#include "files/gameindex.h"
#include "files/pgntext.h"
#include "files/pgnwriter.h"
#include "files/savegame.h"
#include "play/gamecontrol.h"
#include "shell/view.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool opensComment(QChar c)
{
    return c == QLatin1Char('{') || c == QLatin1Char('(');
}

bool closesComment(QChar c)
{
    return c == QLatin1Char('}') || c == QLatin1Char(')');
}

// A move token ends at a blank, and at a bracket or ";" written against it ("e4{good}").
bool endsToken(QChar c)
{
    return isBlank(c) || opensComment(c) || closesComment(c) || c == QLatin1Char(';');
}

void addComment(const QString& text)
{
    if (text.isEmpty())
        return;
    Game.MoveComment[Game.PlyCount] += text;
    RefreshPlyLine(Game.PlyCount);
}

// Collects comment text up to the bracket that closes the outermost one. A line break inside a
// comment is kept as "\n", the form the comment box shows and edits.
void collectComment(QString& line, QString& comment, int& depth)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (opensComment(c))
            ++depth;
        else if (closesComment(c))
            --depth;
        if (depth == 0) {
            line.remove(0, i + 1);
            addComment(comment);
            comment.clear();
            return;
        }
        comment += c;
    }
    comment += QLatin1Char('\n');
    line.clear();
}

// GameResult of the result token at i, or ResultNone.
int resultAt(const QString& line, qsizetype i)
{
    const QStringView rest = QStringView(line).mid(i);
    if (rest.startsWith(QLatin1String("1/2-1/2")))
        return ResultDraw;
    if (rest.startsWith(QLatin1String("1-0")))
        return ResultWhiteWins;
    if (rest.startsWith(QLatin1String("0-1")))
        return ResultBlackWins;
    return ResultNone;
}

int annotationOf(const QString& token)
{
    // The two-sign suffixes first: each of them ends in a single sign too.
    for (const int code : {3, 4, 5, 6, 1, 2})
        if (token.endsWith(AnnotationSymbol(code)))
            return code;
    return 0;
}

// Plays a token that names a move; move numbers, "$" glyphs and stray signs are dropped.
void playToken(QString token)
{
    if (const qsizetype dot = token.lastIndexOf(QLatin1Char('.')); dot >= 0)
        token.remove(0, dot + 1);
    if (token.isEmpty())
        return;
    const QChar first = token[0];
    const bool move = (first >= QLatin1Char('a') && first <= QLatin1Char('h')) ||
                      (first >= QLatin1Char('A') && first <= QLatin1Char('Z')) ||
                      token.startsWith(QLatin1String("0-0"));
    if (!move)
        return;
    const MoveCode code = KessrinAlg2Move(Game.Board, token.toStdString());
    if (code != 0)
        DoMove(code, ModeQuiet, annotationOf(token));
}

// The twelve text tags, in the order they are tried.
struct TextTag {
    const char* name;
    QString GameRecord::*field;
    bool opening; // an opening tag from the file stops the moves from naming the opening
};
const TextTag TextTags[] = {
    {"EVENT", &GameRecord::TagEvent, false}, {"SITE", &GameRecord::TagSite, false},
    {"DATE", &GameRecord::TagDate, false},   {"ROUND", &GameRecord::TagRound, false},
    {"WHITE", &GameRecord::TagWhite, false}, {"WHITEELO", &GameRecord::TagWhiteElo, false},
    {"BLACK", &GameRecord::TagBlack, false}, {"BLACKELO", &GameRecord::TagBlackElo, false},
};
const TextTag OpeningTags[] = {
    {"ECO", &GameRecord::TagEco, true},
    {"OPENING", &GameRecord::TagOpening, true},
    {"VARIATION", &GameRecord::TagVariation, true},
    {"SUBVARIATION", &GameRecord::TagSubVariation, true},
};

int resultOfTag(const QString& value)
{
    if (value == QLatin1String("1-0"))
        return ResultWhiteWins;
    if (value == QLatin1String("1/2-1/2"))
        return ResultDraw;
    if (value == QLatin1String("0-1"))
        return ResultBlackWins;
    return ResultNone;
}

void applyTag(const QString& line)
{
    QString value;
    for (const TextTag& tag : TextTags) {
        if (ParseTagLine(value, line, QLatin1String(tag.name))) {
            Game.*tag.field = value;
            return;
        }
    }
    if (ParseTagLine(value, line, QStringLiteral("RESULT"))) {
        Game.GameResult = resultOfTag(value);
        return;
    }
    for (const TextTag& tag : OpeningTags) {
        if (ParseTagLine(value, line, QLatin1String(tag.name))) {
            Game.*tag.field = value;
            Game.AutoEco = false;
            return;
        }
    }
    if (ParseTagLine(value, line, QStringLiteral("FEN"))) {
        // A text the rules library cannot play from leaves the standard start.
        RulesBoard board{};
        KessrinFen2Board(board, value.toStdString());
        if (IsChessPosition(board))
            SetStartPosition(value, board);
    }
}

QString withoutLeadingBlanks(const QString& line)
{
    qsizetype start = 0;
    while (start < line.size() && isBlank(line[start]))
        ++start;
    return start ? line.mid(start) : line;
}

// The record is shown once it is complete: a user file at its start, the copy where it ended.
void showLoadedGame(bool fromAutosave)
{
    RedrawBoard();
    RefreshGameCaptions();
    if (fromAutosave) {
        if (Game.StandardStart && Game.PlyCount == 0)
            AssignSides(-1);
        ShowMoveList(false);
        Game.GameFile.clear();
    } else {
        while (Game.CurPly > 0)
            StepBack();
        ShowMoveList(false);
    }
}

} // namespace

bool ParseTagLine(QString& value, const QString& line, const QString& name)
{
    const qsizetype length = name.size() + 3;
    if (line.size() < length || line[0] != QLatin1Char('[') ||
        line[length - 2] != QLatin1Char(' ') || line[length - 1] != QLatin1Char('"') ||
        QStringView(line).mid(1, name.size()).compare(name, Qt::CaseInsensitive) != 0)
        return false;
    // Escapes as the writer and other programs write them; a value that merely ends in a
    // backslash, written without escapes, keeps it and still ends at its quote.
    value.clear();
    for (qsizetype i = length; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"'))
            break;
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            const QChar next = line[i + 1];
            if (next == QLatin1Char('\\') ||
                (next == QLatin1Char('"') && line.indexOf(QLatin1Char('"'), i + 2) >= 0)) {
                value += next;
                ++i;
                continue;
            }
        }
        value += c;
    }
    return true;
}

bool ParseMovetext(QString& line, QString& comment, int& depth)
{
    if (depth > 0) {
        collectComment(line, comment, depth);
        return false;
    }
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (opensComment(c)) {
            depth = 1;
            line.remove(0, i + 1);
            // The rest of the line belongs to the comment, its line end included.
            collectComment(line, comment, depth);
            return false;
        }
        if (c == QLatin1Char('*')) {
            line.clear();
            return true;
        }
        if (isBlank(c) || closesComment(c))
            continue;
        if (c == QLatin1Char(';')) {
            // A comment to the end of the line.
            addComment(line.mid(i + 1));
            line.clear();
            return false;
        }
        if (c == QLatin1Char('0') || c == QLatin1Char('1')) {
            if (const int result = resultAt(line, i); result != ResultNone) {
                Game.GameResult = result;
                view().setHeaderText(HeaderLabel::Result, PlayersCaption());
                line.clear();
                return true;
            }
            // Castling written with zeros is a move; other digits are skipped one by one.
            if (!QStringView(line).mid(i).startsWith(QLatin1String("0-0")))
                continue;
        }
        qsizetype end = i + 1;
        while (end < line.size() && !endsToken(line[end]))
            ++end;
        const QString token = line.mid(i, end - i);
        line.remove(0, end < line.size() && isBlank(line[end]) ? end + 1 : end);
        playToken(token);
        return false;
    }
    line.clear();
    return false;
}

bool ReadGameText(QByteArrayView bytes)
{
    PgnLines lines(bytes);
    QByteArrayView raw;
    bool inMovetext = false;
    bool found = false;
    QString comment;
    int depth = 0;
    while (lines.next(raw)) {
        QString line = DecodeLine(raw);
        if (depth == 0) {
            const QString text = withoutLeadingBlanks(line);
            // "%" in the first column escapes the whole line.
            if (line.startsWith(QLatin1Char('%')))
                continue;
            if (!inMovetext) {
                if (text.isEmpty())
                    continue;
                if (text.startsWith(QLatin1Char('['))) {
                    found = true;
                    applyTag(text);
                    continue;
                }
                inMovetext = true;
            } else if (text.startsWith(QLatin1Char('['))) {
                // The tags of the next game: a game without a result token ends here.
                break;
            }
        }
        bool ended = false;
        do
            ended = ParseMovetext(line, comment, depth);
        while (!ended && !line.isEmpty());
        if (ended)
            return true;
    }
    return found || Game.PlyCount > 0;
}

void LoadGameFile(bool fromAutosave)
{
    if (fromAutosave) {
        Game.GameFile.clear();
        ResetGame(false, false);
        Game.GameFile = AutosavePath();
    } else {
        ResetGame(false, false);
    }
    QFile file(Game.GameFile);
    if (!file.open(QIODevice::ReadOnly)) {
        if (fromAutosave) {
            // A copy that is there but cannot be read is not replaced by the next one.
            if (QFileInfo::exists(Game.GameFile))
                KeepAutosaveAside();
        } else {
            ShowFileError(Game.GameFile);
        }
        RedrawBoard();
        RefreshGameCaptions();
        ShowMoveList(false);
        if (fromAutosave) {
            AssignSides(-1);
            Game.GameFile.clear();
        }
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    const bool found = ReadGameText(bytes);
    if (fromAutosave && !found && !bytes.trimmed().isEmpty())
        KeepAutosaveAside();
    showLoadedGame(fromAutosave);
}

void LoadGameBytes(QByteArrayView bytes)
{
    ResetGame(false, false);
    ReadGameText(bytes);
    showLoadedGame(false);
}

void OpenGame()
{
    const QString path = OpenFileDialog(QStringLiteral("Open"),
                                        QStringLiteral("Game files (*.pgn)|*.pgn|All files|*.*"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Game.GameFile = path;
        LoadGameFile(false);
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    const std::optional<std::vector<GameIndexEntry>> games = IndexGamesShowingProgress(bytes);
    if (!games)
        return;
    if (games->size() <= 1) {
        Game.GameFile = path;
        LoadGameBytes(bytes);
        return;
    }
    const int chosen = view().chooseGame(*games);
    if (chosen < 0 || chosen >= static_cast<int>(games->size()))
        return;
    const GameIndexEntry& entry = (*games)[static_cast<std::size_t>(chosen)];
    Game.GameFile = path;
    LoadGameBytes(QByteArrayView(bytes).sliced(entry.offset, entry.length));
}

void mnFileOpen_Click()
{
    if (!PromptSave())
        OpenGame();
}
