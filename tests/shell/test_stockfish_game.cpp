// A short timed game against Debian's real engine on the offscreen main window: the user's
// moves go in through board clicks and the move box, the main loop's passes hand the turn to the
// engine, and both clocks run.
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/engineload.h"
#include "engine/engineoptions.h"
#include "engine/engineoutput.h"
#include "engine/enginestate.h"
#include "engine/vorsel.h"
#include "gui/boardview.h"
#include "gui/frmmain.h"
#include "gui/wiring.h"
#include "kessrin/kessrin.h"
#include "play/clocks.h"
#include "play/clockstate.h"
#include "play/clocktick.h"
#include "play/gamecontrol.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "support/fake_platform.h"
#include "support/program_state.h"
#include "support/test_app.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <memory>
#include <thread>

namespace {

using SteadyClock = std::chrono::steady_clock;

// Each sleep of the main loop takes a real millisecond, so the engine's output arrives, while
// the time of day moves only as the test allows: `step` seconds per sleep until `budget` is
// spent. That makes the seconds each side's clock counts independent of the machine's speed.
class SteppedPlatform : public FakePlatform {
public:
    void sleepMs(int milliseconds) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        sleptMs += milliseconds;
        ++sleepCalls;
        const double advance = std::min(step, budget);
        clock += advance;
        budget -= advance;
    }
    // The engine's output must arrive while time is handed out: a short real pause stands for
    // the idle wait.
    void waitForActivity(int /*maxMs*/, int /*descriptor*/) override { sleepMs(1); }
    // Outside the game the clock keeps pace with the sleeps, so the engine's hand-shake and
    // stop waits time out as they should.
    void followSleeps()
    {
        step = 0.001;
        budget = 1e9;
    }
    // In the game the test hands out each side's time.
    void stepClock()
    {
        step = 0.25;
        budget = 0.0;
    }
    double step = 0.001;
    double budget = 1e9;
};

// Processes whose parent is this process, running or not yet reaped.
int childProcessCount()
{
    const QString self = QString::number(getpid());
    int count = 0;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks, so read after its ")".
        const QString text = QString::fromLatin1(stat.readAll());
        const QStringList fields = text.mid(text.lastIndexOf(QLatin1Char(')')) + 2)
                                       .split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() > 1 && fields.at(1) == self)
            ++count;
    }
    return count;
}

int pieceValue(int code)
{
    static constexpr int values[] = {0, 900, 500, 330, 320, 100}; // by PieceType; kings 0
    const int type = TypeOf(code);
    return type <= Pawn ? values[type] : 0;
}

// Material balance from the point of view of side.
int material(const RulesBoard& board, int side)
{
    int balance = 0;
    for (int square = 0; square < 128; ++square) {
        if (!OnBoard(square))
            continue;
        const int code = board.squares[square];
        if (code & ColourValue(White))
            balance += pieceValue(code);
        else if (code & ColourValue(Black))
            balance -= pieceValue(code);
    }
    return side == White ? balance : -balance;
}

constexpr int GameEndingFlags = MoveFlag::Repetition | MoveFlag::FiftyMoves | MoveFlag::NoMaterial;
constexpr int LostScore = -1000000;

// The user's move: the first legal move whose worst reply keeps the most material, never one
// that allows mate in one or ends the game by a draw rule, so that the game reaches move 10.
MoveCode chooseUserMove(const RulesBoard& board)
{
    MoveCode moves[1024];
    const int count = KessrinGenMoves(board, moves);
    MoveCode chosen = 0;
    int bestScore = INT_MIN;
    for (int i = 0; i < count; ++i) {
        RulesBoard after = board;
        int flags = 0;
        if (!KessrinTryMove(after, flags, moves[i]))
            continue;
        MoveCode replies[1024];
        const int replyCount = KessrinGenMoves(after, replies);
        int worst = (flags & GameEndingFlags) || replyCount == 0 ? LostScore / 2 : INT_MAX;
        for (int r = 0; r < replyCount && worst > LostScore; ++r) {
            RulesBoard answered = after;
            int replyFlags = 0;
            if (!KessrinTryMove(answered, replyFlags, replies[r]))
                continue;
            const bool mated = (replyFlags & MoveFlag::Check) && (replyFlags & MoveFlag::NoReply);
            worst = std::min(worst, mated ? LostScore : material(answered, board.side));
        }
        if (worst > bestScore) {
            bestScore = worst;
            chosen = moves[i];
        }
    }
    return chosen;
}

class StockfishGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramState();
        ASSERT_TRUE(logFolder.isValid());
        App.CpuCount = 1;
        Cfg.Sounds = false;
        Cfg.AlwaysPonder = false;
        Cfg.EnginePath.clear();
        Cfg.EngineLog = true;
        Cfg.LogFile = logFolder.filePath(QStringLiteral("engine.htm"));
        form = std::make_unique<frmMain>();
        form->Form_Load();
        ConnectAllCommands(*form);
        // Shown, so that the board has a size and a click lands on the square it aims at.
        form->resize(1000, 760);
        form->show();
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        fake.followSleeps();
        UnloadEngine();
        form.reset();
        SetMainBoardView(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    // One pass of the program's main loop.
    static void loopPass()
    {
        if (PollEngine())
            ProcessEvents();
        else
            ClockTick();
    }

    // Runs the main loop while `seconds` pass on the clock of the side to move.
    ::testing::AssertionResult think(double seconds)
    {
        fake.budget = seconds;
        const auto deadline = SteadyClock::now() + std::chrono::seconds(5);
        while (fake.budget > 0.0) {
            if (SteadyClock::now() > deadline)
                return ::testing::AssertionFailure() << "the main loop stopped sleeping";
            loopPass();
        }
        // The tick that sees the last of that time counts it; a pass that only read an engine
        // line would leave it to the move, which starts the next count.
        ClockTick();
        return ::testing::AssertionSuccess();
    }

    // Runs the main loop until the engine has answered with ply `plies` and is idle again; its
    // clock is given `seconds` of the time it takes. The whole game shares one deadline.
    ::testing::AssertionResult awaitEngineMove(int plies, double seconds)
    {
        fake.budget = seconds;
        while (Game.PlyCount < plies || Engine.EngineState != 1) {
            if (Engine.EngineState == 0)
                return ::testing::AssertionFailure() << "the engine was lost before ply " << plies
                                                     << ": " << fake.lastMessage().toStdString();
            if (SteadyClock::now() > gameDeadline)
                return ::testing::AssertionFailure()
                       << "the game was not over at " << GameSeconds.count()
                       << " s: no answer to ply " << plies - 1 << " (engine state "
                       << Engine.EngineState << ", " << Game.PlyCount << " plies)";
            loopPass();
        }
        return ::testing::AssertionSuccess();
    }

    // Presses the mouse on the board image showing square.
    void clickSquare(int square)
    {
        BoardView* board = MainBoardView();
        const QPointF at = board->cellRect(ImageOfSquare(square)).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, board->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(board, &press);
    }

    // Types text into the move box and presses Enter.
    void typeMove(const QString& text)
    {
        form->txtMove->setText(text);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(form->txtMove, &enter);
    }

    // The "go" lines the main engine was sent, from the engine log.
    QStringList goLines() const
    {
        QFile log(Cfg.LogFile);
        if (!log.open(QIODevice::ReadOnly))
            return {};
        static const QRegularExpression sent(QStringLiteral("<font color=\"red\">(go .*?)</font>"));
        QStringList lines;
        for (const auto& match : sent.globalMatch(QString::fromUtf8(log.readAll())))
            lines << match.captured(1);
        return lines;
    }

    static constexpr std::chrono::seconds GameSeconds{40};
    SteadyClock::time_point gameDeadline = SteadyClock::now() + GameSeconds;
    SteppedPlatform fake;
    QTemporaryDir logFolder;
    std::unique_ptr<frmMain> form;
};

// The user thinks 2.5 s a move, of which the ticks count 2 whole seconds. The engine's clock is
// given up to 2.5 s of each search too; it counts them all unless the engine answers within
// eleven loop passes.
constexpr double UserThinkSeconds = 2.5;
constexpr int UserSecondsCounted = 2;
constexpr double EngineClockSeconds = 2.5;
constexpr int FullMoves = 10;
constexpr int InitialSeconds = 60;
constexpr int IncrementSeconds = 1;

TEST_F(StockfishGame, TenMovesAtOneMinutePlusOneWithBothClocksRunning)
{
    if (GetMeldro(App.ProgramFolder + QStringLiteral("stockfish")) != 3)
        GTEST_SKIP() << "no stockfish in the program folder";
    const int children = childProcessCount();

    StartDefaultEngine();
    ASSERT_EQ(Engine.EngineState, 1) << fake.lastMessage().toStdString();
    // The engine's own time management spends a tenth of its usual share, about half a second
    // a move at this control, which keeps the game short without leaving the time control.
    SetOption(QStringLiteral("Slow Mover"), QStringLiteral("10"), false);
    fake.stepClock();

    Cfg.Depth = 0;
    Cfg.IncMode = true;
    Cfg.InitTime = InitialSeconds / 60;
    Cfg.IncTime = IncrementSeconds;
    Cfg.EnginePlay = RoleComputerBlack;
    AskNewGame();
    ASSERT_TRUE(Engine.EngineBlack && !Engine.EngineWhite);
    ASSERT_TRUE(Clock.ClockRunning);
    ASSERT_FALSE(Game.Flipped);
    EXPECT_TRUE(form->command(QStringLiteral("mnEngineLevel"))->isChecked());
    EXPECT_EQ(form->lblTimeLeftDown->text().toStdString(), "00:01:00");
    EXPECT_EQ(form->lblTimeLeftUp->text().toStdString(), "00:01:00");
    EXPECT_EQ(form->lblTimeRuleDown->text().toStdString(), "Plus 1 sec/move");

    for (int move = 1; move <= FullMoves; ++move) {
        ASSERT_EQ(Game.EndSide, White);
        ASSERT_TRUE(think(UserThinkSeconds));
        const MoveCode choice = chooseUserMove(Game.Board);
        ASSERT_NE(choice, 0) << "no legal move for the user at move " << move;
        const QString san = QString::fromStdString(KessrinMove2Alg(Game.Board, choice));
        // Odd moves are clicked, even ones typed; a promotion is typed, since a click would
        // ask for the piece in a dialog.
        if (move % 2 == 1 && MovePromo(choice) == 0 && san.indexOf(QLatin1Char('=')) < 0) {
            clickSquare(MoveFrom(choice));
            clickSquare(MoveTo(choice));
        } else {
            typeMove(san);
        }
        ASSERT_EQ(Game.PlyCount, 2 * move - 1)
            << "move " << move << " " << san.toStdString() << " was not taken";
        EXPECT_TRUE(form->txtMove->text().isEmpty());
        ASSERT_TRUE(awaitEngineMove(2 * move, EngineClockSeconds));
        ASSERT_EQ(Game.GameResult, ResultNone) << "the game ended at move " << move;
    }

    // Twenty plies under the start line.
    ASSERT_EQ(form->lstMoveText->count(), 2 * FullMoves + 1);
    EXPECT_EQ(form->lstMoveText->item(0)->text().toStdString(), "==Start==");

    // Both clocks ran down. The user's figures are exact; the engine's depend a little on how
    // quickly it answered. Either way a clock loses what it has counted and gains the increment
    // for each of its moves.
    EXPECT_TRUE(Clock.ClockRunning);
    EXPECT_FALSE(Clock.FlagFallen[White] || Clock.FlagFallen[Black]);
    EXPECT_EQ(Clock.TimeElapsed[White], UserSecondsCounted * FullMoves);
    EXPECT_GE(Clock.TimeElapsed[Black], FullMoves + 1);
    EXPECT_LT(Clock.TimeLeft[Black], InitialSeconds);
    for (const int side : {White, Black})
        EXPECT_EQ(Clock.TimeLeft[side] + Clock.TimeElapsed[side],
                  InitialSeconds + IncrementSeconds * FullMoves)
            << "side " << side;
    EXPECT_EQ(form->lblTimeLeftDown->text().toStdString(),
              FormatClock(Clock.TimeLeft[White]).toStdString());
    EXPECT_EQ(form->lblTimeElapsedDown->text().toStdString(), "00:00:20");
    EXPECT_EQ(form->lblTimeLeftUp->text().toStdString(),
              FormatClock(Clock.TimeLeft[Black]).toStdString());
    EXPECT_EQ(form->lblTimeElapsedUp->text().toStdString(),
              FormatClock(Clock.TimeElapsed[Black]).toStdString());
    EXPECT_NE(form->lblTimeElapsedUp->text().toStdString(), "00:00:00");

    // Every move of the engine was searched under the clocks, the last one with the user's
    // time after ten moves.
    const QStringList searches = goLines();
    ASSERT_EQ(searches.size(), FullMoves);
    for (const QString& line : searches)
        EXPECT_TRUE(line.startsWith("go wtime ") && line.endsWith(" winc 1000 binc 1000"))
            << line.toStdString();
    EXPECT_TRUE(searches.last().startsWith(
        QStringLiteral("go wtime %1 btime ").arg(Clock.TimeLeft[White] * 1000)))
        << searches.last().toStdString();

    fake.followSleeps();
    UnloadEngine();
    EXPECT_EQ(Engine.EngineState, 0);
    const auto reapDeadline = SteadyClock::now() + std::chrono::seconds(5);
    while (childProcessCount() > children && SteadyClock::now() < reapDeadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(childProcessCount(), children) << "an engine process was left behind";
}

} // namespace
