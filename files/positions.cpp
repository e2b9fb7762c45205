#include "files/positions.h"

#include "core/board.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/enginestate.h"
#include "engine/search.h"
#include "files/captions.h"
#include "files/filedialog.h"
#include "files/pgnreader.h"
#include "files/pgntext.h"
#include "files/savegame.h"
#include "play/gamecontrol.h"
#include "shell/parseclamped.h"
#include "shell/platform.h"

#include <QFile>

namespace {

// A position file holds one short line; more than this of a first line is no FEN, and reading
// stops there rather than pulling a large file into memory.
constexpr qint64 MaxPositionLine = 4096;

QString fromStd(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The moves of a game are appended after its last ply, whatever ply is shown.
void stepToLastPly()
{
    while (Game.CurPly < Game.PlyCount)
        StepForward(false, false);
}

void parseLine(QString line, QString& comment, int& depth)
{
    // The result of ParseMovetext (the game text ended) is of no interest: reading goes on.
    while (!line.isEmpty())
        ParseMovetext(line, comment, depth);
}

// Engines must not go on searching a position that the appended moves leave behind.
void haltForChange()
{
    if (Engine.EngineState > 0)
        HaltEngine();
}

// Text with control characters other than tabs and line ends, or bytes that decoded to no
// character, came from a binary file or clipboard: no position or move is read from it.
bool isText(const QString& text)
{
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if ((code < 0x20 && code != '\t' && code != '\r' && code != '\n') || code == 0x7F ||
            code == QChar::ReplacementCharacter)
            return false;
    }
    return true;
}

const QString NoClipboardText = QStringLiteral("The clipboard holds no text.");

void showNotText(const QString& message)
{
    showMessage(message, MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace

QString CurrentFen()
{
    return fromStd(KessrinBoard2Fen(Game.Board)) + QStringLiteral(" 0 ") +
           QString::number(Game.MoveNumber);
}

QString TextDiagram(const RulesBoard& board)
{
    static const char Letters[] = ".       KQRBNP  kqrbnp  ";
    const QString lineEnd = QStringLiteral("\r\n");
    QString text;
    for (int row = 0; row < 8; ++row) {
        text += QLatin1Char(RankDigit(row));
        text += QLatin1Char('|');
        for (int column = 4; column < 12; ++column) {
            const int code = board.squares[MakeSquare(column, row)];
            // The table is read at position code + 1 counted from one: index code.
            text += QLatin1Char(code < 24 ? Letters[code] : ' ');
            text += QLatin1Char(' ');
        }
        text += lineEnd;
    }
    text += QStringLiteral(" +----------------") + lineEnd;
    text += QStringLiteral("  a b c d e f g h") + lineEnd;
    text += (board.side == White ? QStringLiteral("  White") : QStringLiteral("  Black")) +
            QStringLiteral(" to move.") + lineEnd;
    return text;
}

int CastlingMaskOf(const RulesBoard& board)
{
    if (board.historyCount < 1 || board.historyCount > 1024)
        return 0;
    return (board.history[board.historyCount - 1] >> 16) & 15;
}

int EnPassantOf(const RulesBoard& board)
{
    if (board.historyCount < 1 || board.historyCount > 1024)
        return 0;
    const int value = (board.history[board.historyCount - 1] >> 20) & 15;
    return value >= 4 && value <= 11 ? value : 0;
}

int FenMoveNumber(const QString& fen)
{
    const qsizetype at = fen.indexOf(QStringLiteral(" 0 "));
    if (at < 0)
        return 1;
    return ParseClamped(fen.mid(at + 3), 1, MaxMoveNumber - 1);
}

bool LoadPositionFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowFileError(path);
        return false;
    }
    const QByteArray head = file.read(MaxPositionLine);
    file.close();
    QByteArrayView line;
    PgnLines lines(head);
    if (!lines.next(line))
        line = {};
    const QString text = DecodeLine(line);
    // Latin-1 decoding turns any byte into a character: control characters tell binary apart.
    if (!isText(text) || line.contains('\0')) {
        showNotText(QStringLiteral("This is not a text file: ") + path);
        return false;
    }
    return StartFromFen(text, false);
}

void ImportMovesFromFile()
{
    const QString path = FileDialog(QStringLiteral("Load Moves from Text File"),
                                    QStringLiteral("Text files"), QStringLiteral("txt"), {});
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowFileError(path);
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    if (bytes.contains('\0') || !isText(DecodeLine(bytes.left(MaxPositionLine)))) {
        showNotText(QStringLiteral("This is not a text file: ") + path);
        return;
    }
    haltForChange();
    stepToLastPly();
    QString comment;
    int depth = 0;
    PgnLines lines(bytes);
    QByteArrayView raw;
    while (lines.next(raw))
        parseLine(DecodeLine(raw), comment, depth);
    ShowMoveList(false);
    SetModified();
}

void ImportMovesFromClipboard()
{
    QString text = platform().clipboardText();
    if (!isText(text)) {
        showNotText(NoClipboardText);
        return;
    }
    haltForChange();
    stepToLastPly();
    const QString prefix = QString::fromLatin1(FenPrefix);
    if (text.startsWith(prefix)) {
        if (const qsizetype close = text.indexOf(QLatin1Char('}')); close >= 0) {
            if (PromptSave())
                return;
            // A refused position keeps the game, which the moves were not meant for.
            if (!StartFromFen(text.mid(prefix.size(), close - prefix.size()), false))
                return;
            text = text.mid(close + 1);
        }
    }
    QString comment;
    int depth = 0;
    // Other programs end clipboard lines in CR LF, LF or CR alike.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& line : text.split(QLatin1Char('\n')))
        parseLine(line, comment, depth);
    ShowMoveList(false);
    SetModified();
}

bool StartFromEditedPosition(const RulesBoard& board, int moveNumber, const QString& fen)
{
    if (const QString fault = PositionFault(board); !fault.isEmpty()) {
        showMessage(QStringLiteral("This position cannot be played:\n\n") + fault, MsgButtons::Ok,
                    MsgIcon::Exclamation);
        return false;
    }
    Game.GameFile.clear();
    ResetGame(true, false);
    Game.StartSide = Game.SideToMove = Game.EndSide = board.side;
    Game.StartMoveNumber = Game.MoveNumber = moveNumber;
    Game.StartFen = fen;
    Game.Board = board;
    Game.StandardStart = false;
    RedrawBoard();
    RefreshGameCaptions();
    ShowMoveList(false);
    return true;
}

void mnPosCopy_Click()
{
    platform().setClipboardText(CurrentFen());
    showMessage(QStringLiteral("The current position is copied to the clipboard."), MsgButtons::Ok,
                MsgIcon::Information);
}

void mnPosPaste_Click()
{
    if (PromptSave())
        return;
    const QString text = platform().clipboardText();
    if (!isText(text)) {
        showNotText(NoClipboardText);
        return;
    }
    StartFromFen(text, false);
}

void mnPosLoad_Click()
{
    if (PromptSave())
        return;
    const QString path = FileDialog(QStringLiteral("Load Position from File"),
                                    QStringLiteral("Position files"), QStringLiteral("fen"), {});
    if (!path.isEmpty())
        LoadPositionFile(path);
}

void mnPosStore_Click()
{
    // The save dialog needs a name to preset; a game without one still gets the save dialog.
    QString name = DefaultGameName();
    if (name.isEmpty())
        name = QStringLiteral("position");
    const QString path = FileDialog(QStringLiteral("Save Position to File"),
                                    QStringLiteral("Position files"), QStringLiteral("fen"), name);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ShowFileError(path);
        return;
    }
    const QByteArray line = (CurrentFen() + QLatin1Char('\n')).toUtf8();
    // A disk that fills up is told like a file that cannot be opened.
    if (file.write(line) != line.size() || !file.flush())
        ShowFileError(path);
    file.close();
}

void mnMoveImport_Click()
{
    ImportMovesFromFile();
}

void mnMovePaste_Click()
{
    ImportMovesFromClipboard();
}
