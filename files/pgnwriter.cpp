#include "files/pgnwriter.h"

#include "core/gamerecord.h"
#include "files/filedialog.h"
#include "files/filestate.h"
#include "files/savegame.h"
#include "shell/appstate.h"
#include "shell/settings.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString LineEnd = QStringLiteral("\r\n");

void appendLine(QString& text, const QString& line)
{
    text += line;
    text += LineEnd;
}

// True when comment can stand between braces: no brace of its own, which other readers take
// for the end of the comment, parentheses that pair up, since ours nests them with braces, and no
// line that a reader splitting a file by lines could take for a tag or an escaped line.
bool fitsInBraces(const QString& comment)
{
    for (const QStringView line : QStringView(comment).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('%')) || line.trimmed().startsWith(QLatin1Char('[')))
            return false;
    }
    int depth = 0;
    for (const QChar c : comment) {
        if (c == QLatin1Char('{') || c == QLatin1Char('}'))
            return false;
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')') && --depth < 0)
            return false;
    }
    return depth == 0;
}

// A comment as whole lines. Line breaks typed in the comment box arrive as bare line feeds; they
// are written as the file's own line end, which is how the reader joins comment lines. A comment
// that does not fit in braces goes line by line into ";" comments, which run to the line end
// whatever they hold, each of its line breaks into a brace comment holding only that break.
void appendComment(QString& text, const QString& comment)
{
    QString lines = comment;
    lines.replace(LineEnd, QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (fitsInBraces(lines)) {
        lines.replace(QLatin1Char('\n'), LineEnd);
        appendLine(text, QLatin1Char('{') + lines + QLatin1Char('}'));
        return;
    }
    const QStringList parts = lines.split(QLatin1Char('\n'));
    for (qsizetype k = 0; k < parts.size(); ++k) {
        if (k > 0) {
            appendLine(text, QStringLiteral("{"));
            appendLine(text, QStringLiteral("}"));
        }
        if (!parts[k].isEmpty())
            appendLine(text, QLatin1Char(';') + parts[k]);
    }
}

void appendTags(QString& text)
{
    const struct {
        const char* name;
        const QString& value;
    } tags[] = {
        {"Event", Game.TagEvent},
        {"Site", Game.TagSite},
        {"Date", Game.TagDate},
        {"Round", Game.TagRound},
        {"White", Game.TagWhite},
        {"WhiteElo", Game.TagWhiteElo},
        {"Black", Game.TagBlack},
        {"BlackElo", Game.TagBlackElo},
        {"Result", ResultToken(Game.GameResult)},
        {"ECO", Game.TagEco},
        {"Opening", Game.TagOpening},
        {"Variation", Game.TagVariation},
        {"SubVariation", Game.TagSubVariation},
    };
    for (const auto& tag : tags)
        appendLine(text, TagLine(QString::fromLatin1(tag.name), tag.value));

    if (!Game.StandardStart) {
        if (KessrinIsChess960(Game.Board))
            appendLine(text, TagLine(QStringLiteral("Variant"), QStringLiteral("Fischerandom")));
        appendLine(text, TagLine(QStringLiteral("FEN"), Game.StartFen));
    }
}

// One full move per line, each line starting with a space; a comment stands on its own line and
// makes the next move repeat its number. A White move without a comment leaves its line open.
void appendMoves(QString& text)
{
    bool newLine = true;
    int number = Game.StartMoveNumber;
    int side = Game.StartSide;
    for (int ply = 1; ply <= Game.PlyCount; ++ply) {
        if (newLine)
            text += QLatin1Char(' ') + QString::number(number) +
                    (side == White ? QStringLiteral(".") : QStringLiteral("..."));
        text += QLatin1Char(' ') + Game.MoveSan[ply];
        if (side == Black) {
            text += LineEnd;
            newLine = true;
        } else {
            newLine = false;
        }
        if (!Game.MoveComment[ply].isEmpty()) {
            if (!newLine)
                text += LineEnd;
            appendComment(text, Game.MoveComment[ply]);
            newLine = true;
        }
        side = 1 - side;
        if (side == White)
            ++number;
    }
}

} // namespace

QString TagLine(const QString& name, const QString& value)
{
    QString clean = value;
    clean.remove(QLatin1Char('\r'));
    clean.remove(QLatin1Char('\n'));
    clean.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    clean.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('[') + name + QStringLiteral(" \"") + clean + QStringLiteral("\"]");
}

QString ResultToken(int gameResult)
{
    switch (gameResult) {
    case ResultWhiteWins:
        return QStringLiteral("1-0");
    case ResultDraw:
        return QStringLiteral("1/2-1/2");
    case ResultBlackWins:
        return QStringLiteral("0-1");
    default:
        return QStringLiteral("*");
    }
}

QString GameText()
{
    QString text;
    appendTags(text);
    text += LineEnd;
    if (!Game.MoveComment[0].isEmpty())
        appendComment(text, Game.MoveComment[0]);
    appendMoves(text);
    // After an open White move the token follows on the same line; otherwise it starts its own.
    appendLine(text, QLatin1Char(' ') + ResultToken(Game.GameResult));
    return text;
}

QString AutosaveFolder()
{
    // A program folder installed where the user may not write keeps the copy in the user's own
    // data folder instead; a folder of one's own (copied, or built) keeps it beside the program.
    const QFileInfo folder(App.ProgramFolder);
    if (!folder.isDir() || folder.isWritable())
        return App.ProgramFolder;
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (own.isEmpty() || !QDir().mkpath(own))
        return App.ProgramFolder;
    return own + QLatin1Char('/');
}

QString AutosavePath()
{
    return AutosaveFolder() + QStringLiteral("AUTOSAVE.PGN");
}

namespace {

// Written beside the target and renamed over it, so a failed write or a crash never leaves a half
// game where the last good one was; falls back to writing in place in a read-only folder.
bool writeGameText(const QString& target)
{
    QSaveFile file(target);
    file.setDirectWriteFallback(true);
    if (target.isEmpty() || !file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = GameText().toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

bool WriteGame(bool toAutosave)
{
    const QString target = toAutosave ? AutosavePath() : Game.GameFile;
    if (!writeGameText(target)) {
        ShowFileError(target);
        return false;
    }
    if (!toAutosave)
        ClearModified();
    return true;
}

void AutoSaveGame()
{
    if (!Cfg.AutoSave || Files.AutosaveHeld)
        return;
    if (writeGameText(AutosavePath()))
        return;
    // A folder that refuses the copy refuses it at every move; the user hears of it once.
    Files.AutosaveHeld = true;
    ShowFileError(AutosavePath());
}

bool KeepAutosaveAside()
{
    const QString path = AutosavePath();
    if (!QFile::exists(path))
        return true;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString aside = AutosaveFolder() + QStringLiteral("AUTOSAVE-") + stamp +
                              (attempt ? QLatin1Char('-') + QString::number(attempt) : QString()) +
                              QStringLiteral(".PGN");
        if (!QFile::exists(aside) && QFile::rename(path, aside))
            return true;
    }
    Files.AutosaveHeld = true;
    return false;
}
