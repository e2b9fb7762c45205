#include "play/clocks.h"

#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "files/captions.h"
#include "play/clockstate.h"
#include "play/levels.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"

#include <algorithm>

namespace {

void ResetTimes()
{
    Clock.FlagFallen = {false, false};
    Clock.TimeLeft.fill(Cfg.InitTime * 60);
    Clock.MovesLeft.fill(Cfg.IncMove);
}

} // namespace

QString FormatClock(int n)
{
    n = std::max(n, 0);
    const QChar digits[6] = {
        QChar(u'0' + (n / 36000) % 6), QChar(u'0' + (n / 3600) % 10), QChar(u'0' + (n / 600) % 6),
        QChar(u'0' + (n / 60) % 10),   QChar(u'0' + (n / 10) % 6),    QChar(u'0' + n % 10),
    };
    QString text;
    text.reserve(8);
    text += digits[0];
    text += digits[1];
    text += QLatin1Char(':');
    text += digits[2];
    text += digits[3];
    text += QLatin1Char(':');
    text += digits[4];
    text += digits[5];
    return text;
}

void ShowClock(int side)
{
    const int s = side < 0 ? Game.EndSide : side;
    const bool upper = (s == White) == Game.Flipped;
    View& shown = view();
    const auto SetLabel = [&shown, upper](ClockField field, const QString& text) {
        shown.setClockText(upper, field, text);
    };

    if (Cfg.Depth != LevelTimed) {
        SetLabel(ClockField::Head, QStringLiteral("Level"));
        SetLabel(ClockField::Value, LevelText(Cfg.Depth));
        SetLabel(ClockField::Rule, QString());
    } else {
        SetLabel(ClockField::Head, QStringLiteral("Timer"));
        SetLabel(ClockField::Value, FormatClock(Clock.TimeLeft[s]));
        SetLabel(ClockField::Rule,
                 Cfg.IncMode ? QStringLiteral("Plus %1 sec/move").arg(Cfg.IncTime)
                             : QStringLiteral("In next %1 moves").arg(Clock.MovesLeft[s]));
    }
    SetLabel(ClockField::Elapsed, FormatClock(Clock.TimeElapsed[s]));
}

void SetLevelCommandTicked(bool ticked)
{
    view().setCommandCheckable(QStringLiteral("mnEngineLevel"), true);
    view().setCommandChecked(QStringLiteral("mnEngineLevel"), ticked);
}

void mnEngineLevel_Click()
{
    if (view().commandChecked(QStringLiteral("mnEngineLevel")))
        StopClocks();
    else
        view().showLevelDialog();
}

void ResetClocks()
{
    ResetTimes();
    Clock.TimeElapsed = {0, 0};
    Clock.ClockRunning = false;
    Game.MoveStartTime = platform().timeOfDay();
    SetLevelCommandTicked(false);
    // A game that starts without a time control still shows fresh labels.
    ShowClock(White);
    ShowClock(Black);
}

void ApplyLevel()
{
    ResetTimes();
    ShowClock(White);
    ShowClock(Black);
    // Only a game against the computer under a time control is timed.
    if (Cfg.Depth == LevelTimed && (Engine.EngineWhite || Engine.EngineBlack)) {
        Clock.ClockRunning = true;
        Game.MoveStartTime = platform().timeOfDay();
        SetLevelCommandTicked(true);
    } else {
        StopClocks();
    }
}

void StopClocks()
{
    Clock.ClockRunning = false;
    SetLevelCommandTicked(false);
}

void ChargeMove()
{
    const int mover = Game.EndSide;
    if (Clock.FlagFallen[mover] || !Clock.ClockRunning)
        return;
    if (Cfg.IncMode) {
        Clock.TimeLeft[mover] = std::clamp(Clock.TimeLeft[mover] + Cfg.IncTime, 0, MaxClockSeconds);
    } else if (--Clock.MovesLeft[mover] <= 0) {
        // A new period starts with the full time; what was left of the old one is lost.
        Clock.TimeLeft[mover] = Cfg.InitTime * 60;
        Clock.MovesLeft[mover] = Cfg.IncMove;
    }
    ShowClock(mover);
}

void ClockSecond()
{
    const int s = Game.EndSide;
    if (!Clock.ClockRunning || Clock.FlagFallen[s])
        return;
    double now = platform().timeOfDay();
    if (now < Game.MoveStartTime)
        now += SecondsPerDay; // midnight passed since the clock last counted
    if (Game.MoveStartTime + 1 >= now)
        return;
    // A fresh reading: a stalled loop costs the side to move one second, never more.
    Game.MoveStartTime = platform().timeOfDay();
    Clock.TimeLeft[s] -= 1;
    Clock.TimeElapsed[s] = std::min(Clock.TimeElapsed[s] + 1, MaxClockSeconds);

    if (Clock.TimeLeft[s] < 0) {
        // The state is settled before the message, whose modal loop may run other handlers.
        Clock.FlagFallen[s] = true;
        Clock.TimeLeft[s] = 0;
        Game.GameResult = s == White ? ResultBlackWins : ResultWhiteWins;
        ShowClock(s);
        showMessage(s == White ? QStringLiteral("White's flag fell.")
                               : QStringLiteral("Black's flag fell."),
                    MsgButtons::Ok, MsgIcon::Information);
        view().setHeaderText(HeaderLabel::Result, PlayersCaption());
    }
    ShowClock(s);
}
