#include "play/levels.h"

#include "engine/search.h"
#include "play/clockstate.h"
#include "shell/parseclamped.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <array>

namespace {

constexpr std::array<const char*, LevelCount> LevelNames = {
    "Peabrain",     "Newbie",       "Novice", "Rookie", "Beginner",    "Amateur",
    "Intermediate", "Professional", "Expert", "Master", "Grandmaster", "Overwhelming"};

const QString StopHint =
    QStringLiteral("Press 'Stop / Move Now' to make the computer stop thinking.");

} // namespace

QString LevelName(int index)
{
    if (index < 0 || index >= LevelCount)
        return QString();
    return QString::fromLatin1(LevelNames[static_cast<std::size_t>(index)]);
}

QString LevelText(const QString& text)
{
    // The value is read as a real number; text that is no number counts as the timed level.
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || value == 0)
        return QString();
    if (value == LevelInfinite)
        return QStringLiteral("Infinite");
    if (value < 0)
        return LevelName(static_cast<int>(-value) - 1);
    return text + QStringLiteral(" Plies");
}

QString LevelText(int level)
{
    return LevelText(QString::number(level));
}

GoLimits LevelLimits(int sideToMove)
{
    GoLimits limits;
    limits.level = Cfg.Depth;
    limits.incMode = Cfg.IncMode;
    limits.timeLeftWhite = Clock.TimeLeft[0];
    limits.timeLeftBlack = Clock.TimeLeft[1];
    limits.incTime = Cfg.IncTime;
    limits.movesLeft = Clock.MovesLeft[sideToMove == 1 ? 1 : 0];
    return limits;
}

QString SearchLimits(int sideToMove)
{
    return GoLimitsText(LevelLimits(sideToMove));
}

QString LevelWarning(int choice)
{
    QString first;
    if (choice == 10)
        first = QStringLiteral("'Grandmaster' usually takes much time to make a move. Do not try "
                               "this level if you lack patience.");
    else if (choice == 11)
        first = QStringLiteral("'Overwhelming' usually takes much more time than 'Grandmaster' to "
                               "make a move. Do not try this level if you lack patience.");
    else if (choice == LevelInfinite)
        first = QStringLiteral("'Infinite' usually fits for solving puzzles and endgames instead "
                               "of normal games, where the computer will keep thinking until a "
                               "checkmate concluded.");
    else
        return QString();
    return first + QStringLiteral("\n\n") + StopHint;
}

void WarnAboutLevel(int choice)
{
    const QString text = LevelWarning(choice);
    if (!text.isEmpty())
        showMessage(text, MsgButtons::Ok, MsgIcon::Information);
}
