#include "core/board.h"
#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "engine/search.h"
#include "gui/boardcommands.h"
#include "gui/boardview.h"
#include "gui/frmmain.h"
#include "gui/frmpromotion.h"
#include "gui/movecommands.h"
#include "gui/wiring.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "support/fake_platform.h"
#include "support/program_state.h"
#include "support/test_app.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        Cfg = Settings::defaults();
        App = AppState();
        App.Running = true;
    }
    FakePlatform fake;
};

TEST_F(MainWindowTest, ToolbarButtonsShareTheMenuCommands)
{
    frmMain window;
    EXPECT_EQ(window.menuBar()->actions().size(), 8);
    // A literal ampersand in a caption must stay text, not turn into an access key.
    EXPECT_EQ(window.command(QStringLiteral("mnHelpMobile"))->text(),
              QStringLiteral("&Mobile Chess && Flash Chess"));
    const QToolBar* toolbar = window.findChild<QToolBar*>();
    ASSERT_NE(toolbar, nullptr);
    const QList<QAction*> commands = window.commandSet().all();
    int buttons = 0;
    for (QAction* act : toolbar->actions()) {
        if (act->isSeparator())
            continue;
        ++buttons;
        EXPECT_TRUE(commands.contains(act)) << act->objectName().toStdString();
        EXPECT_FALSE(act->icon().isNull()) << act->objectName().toStdString();
    }
    EXPECT_EQ(buttons, 24);
    // Commands no theme has an icon for show the program's own pictures, not letter boxes.
    App.ProgramFolder = testProgramFolder();
    frmMain pictured;
    const std::pair<const char*, const char*> own[] = {{"PosEdit", "TBPOSEDIT.PNG"},
                                                       {"EngineWhite", "TBENGINEW.PNG"},
                                                       {"EngineBlack", "TBENGINEB.PNG"},
                                                       {"EngineAnalyze", "TBANALYZE.PNG"}};
    for (const auto& [key, file] : own) {
        const QImage expected(testProgramFolder() + QStringLiteral("IMAGES/") +
                              QString::fromLatin1(file));
        ASSERT_EQ(expected.size(), QSize(48, 48)) << file;
        const QImage shown = pictured.commandSet()
                                 .toolbarAction(QString::fromLatin1(key))
                                 ->icon()
                                 .pixmap(QSize(48, 48))
                                 .toImage();
        ASSERT_EQ(shown.size(), expected.size()) << key;
        // Edge pixels round differently on their way through the icon; a drawn letter box
        // would differ almost everywhere.
        const auto far = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) > 8 || std::abs(qGreen(a) - qGreen(b)) > 8 ||
                   std::abs(qBlue(a) - qBlue(b)) > 8 || std::abs(qAlpha(a) - qAlpha(b)) > 8;
        };
        int differing = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x)
                differing += far(shown.pixel(x, y), expected.pixel(x, y));
        EXPECT_LT(differing, 48 * 48 / 20) << key;
    }
    // A key named unlike its command still reaches it.
    EXPECT_EQ(window.commandSet().toolbarAction(QStringLiteral("FileViewPgn")),
              window.command(QStringLiteral("mnFilePgn")));
    // A key that names no command does nothing, and does not crash.
    window.pressToolbarButton(QStringLiteral("NoSuchButton"));
    EXPECT_TRUE(App.Running);
}

// A key given to two commands triggers neither, and every key the user's guide names must
// reach a command.
TEST_F(MainWindowTest, KeyboardShortcutsAreDistinctAndThoseTheGuideNamesExist)
{
    frmMain window;
    QHash<QString, QString> owner;
    for (QAction* act : window.commandSet().all()) {
        const QString keys = act->shortcut().toString();
        if (keys.isEmpty())
            continue;
        EXPECT_FALSE(owner.contains(keys)) << keys.toStdString() << " is taken by "
                                           << owner.value(keys).toStdString() << " and "
                                           << act->objectName().toStdString();
        owner.insert(keys, act->objectName());
    }
    QFile guide(testProgramFolder() + QStringLiteral("WEB/help/help.htm"));
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    static const QRegularExpression named(QStringLiteral("<kbd>([^<]+)</kbd>"));
    int promised = 0;
    for (const auto& match : named.globalMatch(QString::fromUtf8(guide.readAll()))) {
        ++promised;
        EXPECT_TRUE(owner.contains(match.captured(1))) << match.captured(1).toStdString();
    }
    EXPECT_GT(promised, 10);
    EXPECT_EQ(owner.value(QStringLiteral("F3")).toStdString(), "mnSearchOpening");
}

TEST_F(MainWindowTest, FormLoadFillsFixedListsAndTicks)
{
    Cfg.Coordinates = true;
    Cfg.Sounds = false;
    frmMain window;
    window.Form_Load();
    ASSERT_EQ(window.lstMoveText->count(), 1);
    EXPECT_EQ(window.lstMoveText->item(0)->text(), QStringLiteral("==Start=="));
    EXPECT_TRUE(window.command(QStringLiteral("mnOptionsCoordinates"))->isChecked());
    EXPECT_FALSE(window.command(QStringLiteral("mnOptionsSounds"))->isChecked());
    // Loading twice does not duplicate the fixed items.
    window.Form_Load();
    EXPECT_EQ(window.lstMoveText->count(), 1);
    EXPECT_EQ(window.cmbAnnotation->count(), 7);
}

TEST_F(MainWindowTest, OptionTogglesFlipSettingAndTick)
{
    frmMain window;
    window.Form_Load();
    const struct {
        const char* command;
        bool Settings::*setting;
    } toggles[] = {
        {"mnOptionsAnimation", &Settings::Animation},
        {"mnOptionsSounds", &Settings::Sounds},
        {"mnOptionsCoordinates", &Settings::Coordinates},
        {"mnOptionsTopMost", &Settings::TopMost},
    };
    for (const auto& toggle : toggles) {
        QAction* act = window.command(QString::fromLatin1(toggle.command));
        const bool before = Cfg.*toggle.setting;
        for (const bool on : {!before, before}) {
            act->trigger();
            EXPECT_EQ(Cfg.*toggle.setting, on) << toggle.command;
            EXPECT_EQ(act->isChecked(), on) << toggle.command;
        }
    }
    // The coordinates appear and vanish on the board at once.
    ConnectBoardCommands(window);
    for (const bool on : {!Cfg.Coordinates, Cfg.Coordinates}) {
        window.command(QStringLiteral("mnOptionsCoordinates"))->trigger();
        ASSERT_NE(MainBoardView(), nullptr);
        EXPECT_EQ(MainBoardView()->captionsShown(), on);
    }
    // Always on Top puts the window above others.
    window.command(QStringLiteral("mnOptionsTopMost"))->trigger();
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    window.command(QStringLiteral("mnOptionsTopMost"))->trigger();
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainWindowTest, OnlyCommandsWithAHandlerAreEnabled)
{
    frmMain window;
    window.Form_Load();
    ConnectAllCommands(window);
    // The thinking controls ask to enable commands whose windows are still to come.
    SetThinkingControls(true);
    SetThinkingControls(false);
    int enabled = 0;
    for (QAction* act : window.commandSet().all()) {
        auto* command = dynamic_cast<CommandAction*>(act);
        ASSERT_NE(command, nullptr) << act->objectName().toStdString();
        if (act->isEnabled()) {
            ++enabled;
            EXPECT_TRUE(command->hasHandler()) << act->objectName().toStdString();
        }
    }
    EXPECT_GT(enabled, 20);
    EXPECT_TRUE(window.command(QStringLiteral("mnPosEdit"))->isEnabled());
    EXPECT_TRUE(window.command(QStringLiteral("mnFileExit"))->isEnabled());
    EXPECT_TRUE(window.command(QStringLiteral("mnQuorvinPlay"))->isEnabled());

    // A submenu is enabled exactly while one of its items is, and follows them as they change.
    int submenus = 0;
    for (QMenu* top : window.menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        for (QAction* entry : top->actions())
            if (QMenu* submenu = entry->menu()) {
                ++submenus;
                const QList<QAction*> items = submenu->actions();
                const bool any = std::any_of(items.begin(), items.end(), [](QAction* item) {
                    return !item->isSeparator() && item->isEnabled();
                });
                EXPECT_EQ(entry->isEnabled(), any) << submenu->objectName().toStdString();
            }
    EXPECT_GE(submenus, 5);
    QMenu* music = window.commandSet().menu(QStringLiteral("mnOptionsMusic_"));
    ASSERT_NE(music, nullptr);
    const QList<QAction*> pieces = music->actions();
    for (QAction* piece : pieces)
        piece->setEnabled(false);
    EXPECT_FALSE(music->menuAction()->isEnabled());
    pieces.front()->setEnabled(true);
    EXPECT_TRUE(music->menuAction()->isEnabled());
    window.setMenuEnabled(QStringLiteral("mnOptionsMusic_"), false);
    EXPECT_FALSE(music->menuAction()->isEnabled());
}

TEST_F(MainWindowTest, StatusBarToggleKeepsTheBoardSize)
{
    frmMain window;
    window.Form_Load();
    window.resize(900, 640);
    window.show();
    const int height = window.height();
    QAction* toggle = window.command(QStringLiteral("mnOptionsStatusBar"));
    toggle->trigger();
    EXPECT_TRUE(Cfg.StatusBar);
    EXPECT_TRUE(window.statusBar()->isVisible());
    EXPECT_GT(window.height(), height);
    toggle->trigger();
    EXPECT_FALSE(window.statusBar()->isVisible());
    EXPECT_EQ(window.height(), height);
    for (const char* key : {"Curr", "Nps", "Pv", "Msg"})
        EXPECT_NE(window.statusPanel(QString::fromLatin1(key)), nullptr) << key;
}

TEST_F(MainWindowTest, ExitEndsTheLoopAndStoresThePosition)
{
    frmMain window;
    window.Form_Load();
    window.show();
    window.move(100, 80);
    window.command(QStringLiteral("mnFileExit"))->trigger();
    EXPECT_FALSE(App.Running);
    EXPECT_EQ(Cfg.Left, window.geometry().x() * 15);
    EXPECT_EQ(Cfg.Top, window.geometry().y() * 15);
}

TEST_F(MainWindowTest, SecondCopyDoesNotStoreThePosition)
{
    App.SecondInstance = true;
    Cfg.Left = 1234;
    Cfg.Top = 567;
    frmMain window;
    window.Form_Load();
    window.show();
    window.move(300, 200);
    window.close();
    EXPECT_FALSE(App.Running);
    EXPECT_EQ(Cfg.Left, 1234);
    EXPECT_EQ(Cfg.Top, 567);
}

TEST_F(MainWindowTest, ClosingAChangedGameAsksAndCancelKeepsRunning)
{
    resetRecord(false);
    Game.Modified = true;
    frmMain window;
    window.Form_Load();
    window.show();
    fake.answers = {MsgAnswer::Cancel};
    window.command(QStringLiteral("mnFileExit"))->trigger();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text,
              QStringLiteral("The game has changed.\r\n\r\nDo you want to save the changes?"));
    EXPECT_EQ(fake.messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(fake.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(App.Running);
    EXPECT_TRUE(window.isVisible());

    // No discards the changes and closes.
    fake.answers = {MsgAnswer::No};
    window.command(QStringLiteral("mnFileExit"))->trigger();
    EXPECT_FALSE(App.Running);
    EXPECT_FALSE(window.isVisible());
    Game.Modified = false;
}

// The window with its board and Move commands connected, as the program runs the game core.
class MainWindowMovesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramState();
        form = std::make_unique<frmMain>();
        form->Form_Load();
        ConnectBoardCommands(*form);
        board = MainBoardView();
        ConnectMoveCommands(*form);
        RedrawBoard();
    }
    void TearDown() override
    {
        form.reset();
        SetMainBoardView(nullptr);
        // Let the window system forget the closed windows before the application goes at exit.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    void playQuiet(std::initializer_list<const char*> sans)
    {
        for (const char* san : sans)
            ASSERT_TRUE(DoMove(KessrinAlg2Move(Game.Board, san), ModeQuiet, 0)) << san;
    }
    int pictureOf(int square) const { return board->cellPicture(ImageOfSquare(square)); }

    FakePlatform fake;
    std::unique_ptr<frmMain> form;
    BoardView* board = nullptr;
};

int sq(const char* name)
{
    return MakeSquare(ColumnOfLetter(name[0]), RowOfDigit(name[1]));
}

// A real press of button on the middle of the square's picture, as the window system sends it.
void pressOnBoard(BoardView* board, int square, Qt::MouseButton button)
{
    const QPointF centre = board->cellRect(ImageOfSquare(square)).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, board->mapToGlobal(centre), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(board, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, board->mapToGlobal(centre), button,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(board, &release);
}

// Answers every promotion dialog that opens by pressing the button of one piece.
class PromotionAnswerer {
public:
    explicit PromotionAnswerer(int piece)
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this, piece] {
            if (auto* dialog = qobject_cast<frmPromotion*>(QApplication::activeModalWidget())) {
                ++shown;
                for (int i = 0; i < 4; ++i)
                    pictures.push_back(dialog->btnPiece(i)->property("picture").toInt());
                dialog->btnPiece(piece)->click();
            }
        });
        timer.start();
    }
    int shown = 0;
    std::vector<int> pictures; // piece pictures on the four buttons

private:
    QTimer timer;
};

TEST_F(MainWindowMovesTest, FoolsMateByClicksOnTheWindow)
{
    form->resize(900, 700);
    form->show();
    QApplication::processEvents();
    ASSERT_GT(board->cellRect(0).width(), 0);
    struct Click {
        const char* from;
        const char* to;
        Qt::MouseButton button; // any button moves
    };
    const Click clicks[] = {{"f2", "f3", Qt::LeftButton},
                            {"e7", "e5", Qt::RightButton},
                            {"g2", "g4", Qt::MiddleButton},
                            {"d8", "h4", Qt::LeftButton}};
    for (const Click& click : clicks) {
        pressOnBoard(board, sq(click.from), click.button);
        EXPECT_EQ(Game.SelectedSquare, sq(click.from));
        pressOnBoard(board, sq(click.to), click.button);
    }
    EXPECT_EQ(Game.PlyCount, 4);
    EXPECT_EQ(form->lstMoveText->item(4)->text(), "  Qh4#");
    EXPECT_EQ(form->lstMoveText->currentRow(), 4);
    EXPECT_EQ(Game.GameResult, ResultBlackWins);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, "Black wins.");
    EXPECT_EQ(fake.messages[0].icon, MsgIcon::Picture);
    EXPECT_EQ(fake.messages[0].picture, "WIN.GIF");
    EXPECT_EQ(pictureOf(sq("e1")), WhiteMatedImage);
    EXPECT_TRUE(Game.Modified);
}

TEST_F(MainWindowMovesTest, PromotionDialogShowsThePiecesOfTheSide)
{
    for (const auto& [side, piece] : {std::pair{White, 3}, std::pair{Black, 1}}) {
        PromotionAnswerer answerer(piece);
        EXPECT_EQ(form->askPromotionPiece(side), piece);
        EXPECT_EQ(answerer.shown, 1);
        const std::vector<int> pieces =
            side == White ? std::vector<int>{2, 3, 4, 5} : std::vector<int>{8, 9, 10, 11};
        EXPECT_EQ(answerer.pictures, pieces);
    }
}

TEST_F(MainWindowMovesTest, MoveItemsReachTheirHandlers)
{
    playQuiet({"e4", "e5", "Nf3"});
    ShowMoveList(false);
    const std::pair<const char*, int> steps[] = {
        {"mnMoveBack", 2}, {"mnMoveStart", 0}, {"mnMoveForward", 1}, {"mnMoveEnd", 3}};
    for (const auto& [name, ply] : steps) {
        form->command(QString::fromLatin1(name))->trigger();
        EXPECT_EQ(Game.CurPly, ply) << name;
        EXPECT_EQ(form->lstMoveText->currentRow(), ply) << name;
    }
    form->command(QStringLiteral("mnMoveDel"))->trigger();
    EXPECT_EQ(Game.PlyCount, 2);
    form->command(QStringLiteral("mnMoveRetract"))->trigger();
    EXPECT_EQ(Game.PlyCount, 0);
    EXPECT_EQ(form->lstMoveText->count(), 1);

    // The tick of the draw item is the handler's alone, not the click's.
    QAction* draw = form->command(QStringLiteral("mnMoveDraw"));
    for (const bool offered : {true, false}) {
        draw->trigger();
        EXPECT_EQ(draw->isChecked(), offered);
    }
}

TEST_F(MainWindowMovesTest, ListClicksAndKeysMoveTheShownPly)
{
    playQuiet({"e4", "e5", "Nf3", "Nc6"});
    ShowMoveList(false);
    form->lstMoveText->setCurrentRow(1);
    EXPECT_EQ(Game.CurPly, 1);
    form->lstMoveText->setCurrentRow(0);
    EXPECT_EQ(Game.CurPly, 0);

    struct Row {
        QWidget* target;
        Qt::Key key;
        int from, to;
    };
    const Row rows[] = {
        {form->lstMoveText, Qt::Key_Right, 0, 1},
        {form->lstMoveText, Qt::Key_End, 1, 4},
        {form->lstMoveText, Qt::Key_Left, 4, 3},
        {board, Qt::Key_Home, 3, 0},
        {board, Qt::Key_Right, 0, 1},
        {form->txtMove, Qt::Key_Left, 1, 1},
        {board, Qt::Key_Left, 0, 0},
    };
    for (const Row& row : rows) {
        if (row.from == 0 && Game.CurPly != 0)
            mnMoveStart_Click();
        ASSERT_EQ(Game.CurPly, row.from);
        QKeyEvent press(QEvent::KeyPress, row.key, Qt::NoModifier);
        QApplication::sendEvent(row.target, &press);
        EXPECT_EQ(Game.CurPly, row.to) << row.target->objectName().toStdString() << " " << row.key;
    }
}

TEST_F(MainWindowMovesTest, TypeInFocusesTheMoveBox)
{
    form->show();
    form->activateWindow();
    form->command("mnMoveType")->trigger();
    EXPECT_TRUE(form->txtMove->hasFocus() || QApplication::focusWidget() == form->txtMove ||
                form->txtMove == form->focusWidget());
}

} // namespace
