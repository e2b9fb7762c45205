#include "study/puzzles.h"

#include "core/board.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "files/captions.h"
#include "files/filedialog.h"
#include "files/pgntext.h"
#include "files/savegame.h"
#include "kessrin.h"
#include "play/chess960.h"
#include "play/gamecontrol.h"
#include "shell/appstate.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"
#include "study/publish.h"

#include <QFile>

#include <memory>

PuzzleState Puzzles;

namespace {

const QString Separator = QStringLiteral("; ");

// Binary junk: control characters other than tabs would end up in the list or the FEN.
bool hasControlBytes(QByteArrayView line)
{
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 32 && byte != '\t') || byte == 127)
            return true;
    }
    return false;
}

bool playable(const QString& fen)
{
    const auto board = std::make_unique<RulesBoard>();
    KessrinFen2Board(*board, fen.toStdString());
    return IsChessPosition(*board);
}

} // namespace

std::optional<PuzzleLine> ParsePuzzleLine(const QString& line)
{
    const qsizetype at = line.indexOf(Separator);
    if (at < 0)
        return std::nullopt;
    QString fen = line.left(at);
    while (!fen.isEmpty() && fen.back().isSpace())
        fen.chop(1);
    // Everything after the semicolon, its blank included, less the leading blanks.
    QString title = line.mid(at + 1);
    qsizetype start = 0;
    while (start < title.size() && title[start].isSpace())
        ++start;
    return PuzzleLine{fen, title.mid(start)};
}

std::optional<std::vector<PuzzleLine>> ReadPuzzleFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::vector<PuzzleLine> puzzles;
    bool first = true;
    while (!file.atEnd() && static_cast<int>(puzzles.size()) < MaxPuzzles) {
        QByteArray bytes = file.readLine(MaxPuzzleLineLength + 2);
        if (bytes.isEmpty() && !file.atEnd())
            break; // a read error ends the file
        if (!bytes.endsWith('\n') && !file.atEnd()) {
            // An overlong line is skipped without being held in memory.
            while (!file.atEnd() && !file.readLine(1 << 16).endsWith('\n')) {
            }
            continue;
        }
        if (first && bytes.startsWith("\xEF\xBB\xBF"))
            bytes.remove(0, 3);
        first = false;
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        if (hasControlBytes(bytes))
            continue;
        const std::optional<PuzzleLine> puzzle = ParsePuzzleLine(DecodeLine(bytes));
        if (puzzle && playable(puzzle->fen))
            puzzles.push_back(*puzzle);
    }
    return puzzles;
}

QString PuzzleFilePath(const QString& name)
{
    return App.ProgramFolder + QStringLiteral("ENDGAMES/") + name + QStringLiteral(".EPD");
}

void LoadPuzzles(const QString& name, const QString& title)
{
    const QString path = PuzzleFilePath(name);
    const std::optional<std::vector<PuzzleLine>> read = ReadPuzzleFile(path);
    if (!read || read->empty()) {
        // The series shown before, its selection and the game all stay.
        ShowFileError(path);
        return;
    }
    Puzzles.PuzzleFens.clear();
    Puzzles.Titles.clear();
    for (const PuzzleLine& puzzle : *read) {
        Puzzles.PuzzleFens << puzzle.fen;
        Puzzles.Titles << puzzle.title;
    }
    Puzzles.PuzzleCount = static_cast<int>(read->size());
    if (Cfg.EndgamesIndex >= Puzzles.PuzzleCount)
        Cfg.EndgamesIndex = static_cast<qint16>(Puzzles.PuzzleCount - 1);

    const int chosen = view().choosePuzzle(title, Puzzles.Titles, Cfg.EndgamesIndex);
    // Closing the list either way makes this series the current one.
    Cfg.EpdName = name;
    Cfg.EpdTitle = title;
    if (chosen >= 0)
        StartPuzzle(chosen, title);
}

std::array<int, 64> lstGames_Click(int index)
{
    if (index < 0 || index >= Puzzles.PuzzleCount)
        return {};
    Cfg.EndgamesIndex = static_cast<qint16>(index);
    return PuzzlePreview(Puzzles.PuzzleFens[index]);
}

std::array<int, 64> PuzzlePreview(const QString& fen)
{
    const auto board = std::make_unique<RulesBoard>();
    KessrinFen2Board(*board, fen.toStdString());
    std::array<int, 64> pictures{};
    for (int image = 0; image < 64; ++image)
        pictures[image] = PieceImageIndex(board->squares[MakeSquare(4 + image % 8, image / 8)]);
    return pictures;
}

bool StartPuzzle(int index, const QString& seriesTitle)
{
    if (index < 0 || index >= Puzzles.PuzzleCount)
        return false;
    const QString& fen = Puzzles.PuzzleFens[index];
    // A refused position keeps the game and the level as they were.
    if (playable(fen))
        Cfg.Depth = PuzzleLevel;
    if (!StartFromFen(fen, false))
        return false;
    Cfg.EndgamesIndex = static_cast<qint16>(index);
    AssignSides(Game.Board.side == White ? RoleComputerBlack : RoleComputerWhite);
    Puzzles.PuzzleActive = true;
    Game.TagEvent = seriesTitle;
    Game.TagRound = Puzzles.Titles[index];
    RefreshGameCaptions();
    return true;
}

void mnEndgamesStart_Click()
{
    if (!PromptSave())
        LoadPuzzles(Cfg.EpdName, Cfg.EpdTitle);
}

void mnEndgames_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(PuzzleSeriesTable)))
        return;
    if (PromptSave()) {
        // The item toggled itself when clicked; the tick stays where it was.
        view().tickOnly(QStringLiteral("mnEndgames"), Cfg.EpdMenu);
        return;
    }
    view().tickOnly(QStringLiteral("mnEndgames"), index);
    Cfg.EpdMenu = static_cast<qint16>(index);
    const PuzzleSeries& series = PuzzleSeriesTable[index];
    LoadPuzzles(QString::fromLatin1(series.name), QString::fromLatin1(series.title));
}

namespace {

const QString PuzzleQuestion = QStringLiteral("How to solve this puzzle in Chess Quorvin?");

} // namespace

void mnEndgamesShare_Click(int index)
{
    // The puzzle page reads the position as it stands in the address.
    ShareLink(index, PuzzleQuestion,
              WebSite() + QStringLiteral("/help/puzzle.htm?fen=") + Game.StartFen);
}

void mnEndgamesPublishYahoo_Click()
{
    PublishQuestion(PuzzleQuestion, Game.StartFen, true);
}

void mnEndgamesPublishOther_Click()
{
    PublishQuestion(PuzzleQuestion, Game.StartFen, false);
}
