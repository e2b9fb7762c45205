// The board view: squares to pictures, orientation, coordinates, the mated-king shake, clicks,
// and the board commands of the main window.
#include "core/gamerecord.h"
#include "gui/boardcommands.h"
#include "gui/boardview.h"
#include "gui/frmmain.h"
#include "gui/pieceimages.h"
#include "shell/appstate.h"
#include "shell/settings.h"
#include "support/fake_platform.h"
#include "support/test_app.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QToolTip>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr int A8 = 4, E8 = 8, H8 = 11, E4 = 72, A1 = 116, E1 = 120, H1 = 123;

// Records where the shaken image stands at every pause.
class ShakeRecorder : public FakePlatform {
public:
    void sleepMs(int milliseconds) override
    {
        if (BoardView* view = MainBoardView())
            offsets.push_back(view->raisedOffset());
        FakePlatform::sleepMs(milliseconds);
    }
    std::vector<int> offsets;
};

class BoardViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        KessrinInit();
        resetRecord(false);
        Cfg = Settings::defaults();
        App = AppState();
        App.ProgramFolder = testProgramFolder();
        LoadPieceImages();
        // The window is the logic's view; its board is this one.
        form = std::make_unique<frmMain>();
        view = std::make_unique<BoardView>();
        view->resize(320, 320);
        SetMainBoardView(view.get());
    }
    void TearDown() override
    {
        SetMainBoardView(nullptr);
        resetRecord(false);
    }
    void setPosition(const char* fen)
    {
        KessrinFen2Board(Game.Board, fen);
        Game.SideToMove = Game.Board.side;
    }
    int pictureOf(int square) const { return view->cellPicture(ImageOfSquare(square)); }

    ShakeRecorder fake;
    std::unique_ptr<frmMain> form;
    std::unique_ptr<BoardView> view;
};

TEST_F(BoardViewTest, ImagesMapToSquaresInBothOrientations)
{
    const struct {
        int square;
        int image;
        int flippedImage;
    } rows[] = {{A8, 0, 63}, {H8, 7, 56}, {A1, 56, 7}, {H1, 63, 0}, {E4, 36, 27}, {E1, 60, 3}};
    for (const auto& row : rows) {
        Game.Flipped = false;
        EXPECT_EQ(ImageOfSquare(row.square), row.image) << row.square;
        EXPECT_EQ(SquareOfImage(row.image), row.square);
        Game.Flipped = true;
        EXPECT_EQ(ImageOfSquare(row.square), row.flippedImage) << row.square;
        EXPECT_EQ(SquareOfImage(row.flippedImage), row.square);
    }
    for (bool flipped : {false, true}) {
        Game.Flipped = flipped;
        for (int i = 0; i < 64; ++i)
            EXPECT_EQ(ImageOfSquare(SquareOfImage(i)), i);
    }
    EXPECT_EQ(SquareName(E4), QStringLiteral("e4"));
    EXPECT_EQ(SquareName(H8), QStringLiteral("h8"));
}

TEST_F(BoardViewTest, RedrawShowsThePositionAndClearsMarks)
{
    Game.SelectedSquare = E4;
    Game.MatedKingSquare = E8;
    RedrawBoard();
    EXPECT_EQ(Game.SelectedSquare, 0);
    EXPECT_EQ(Game.MatedKingSquare, 0);
    // Black rook, king; White king, pawn; an empty square.
    EXPECT_EQ(view->cellPicture(0), 9);
    EXPECT_EQ(view->cellPicture(4), 7);
    EXPECT_EQ(view->cellPicture(60), 1);
    EXPECT_EQ(view->cellPicture(52), 6);
    EXPECT_EQ(view->cellPicture(36), 0);
    Game.Flipped = true;
    RedrawBoard();
    EXPECT_EQ(view->cellPicture(0), 3); // h1's White rook at the top left
    EXPECT_EQ(view->cellPicture(3), 1); // e1's king
}

TEST_F(BoardViewTest, SelectedAndMatedPictures)
{
    setPosition("4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    Cfg.Animation = false;
    const struct {
        int square;
        bool selected;
        bool mated;
        int picture;
    } rows[] =
        {
            {H1, false, false, 3}, {H1, true, false, 16}, {E4, true, false, 13},
            {E1, false, true, 26}, {E8, false, true, 27}, {E8, true, true, 27},
            {H1, false, true, 3}, // only kings have a mated picture
        };
    for (const auto& row : rows) {
        DrawSquare(row.square, row.selected, row.mated);
        EXPECT_EQ(pictureOf(row.square), row.picture) << row.square;
    }
    EXPECT_EQ(fake.sleepCalls, 0);
}

TEST_F(BoardViewTest, BlindfoldShowsEverySquareEmpty)
{
    Cfg.Blindfold = true;
    Cfg.Animation = true;
    for (int i = 0; i < 64; ++i) {
        const int square = SquareOfImage(i);
        for (bool selected : {false, true}) {
            DrawSquare(square, selected, !selected);
            EXPECT_EQ(view->cellPicture(i), selected ? 13 : 0) << i;
        }
        DrawSquare(square, true, true);
        EXPECT_EQ(view->cellPicture(i), 13);
    }
    EXPECT_EQ(fake.sleepCalls, 0);
}

TEST_F(BoardViewTest, MatedKingShakesOnlyWithAnimation)
{
    setPosition("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    Cfg.Animation = false;
    DrawSquare(E1, false, true);
    EXPECT_EQ(pictureOf(E1), 26);
    EXPECT_EQ(fake.sleepCalls, 0);
    EXPECT_EQ(view->raisedImage(), -1);

    Cfg.Animation = true;
    DrawSquare(E8, false, true);
    EXPECT_EQ(pictureOf(E8), 27);
    EXPECT_EQ(fake.sleepCalls, 10);
    EXPECT_EQ(fake.sleptMs, 500);
    // 20·n twips right, then left, at 40-pixel squares: 100/15, 80/15, ... pixels, rounded.
    EXPECT_EQ(fake.offsets, (std::vector<int>{7, -7, 5, -5, 4, -4, 3, -3, 1, -1}));
    EXPECT_EQ(view->raisedImage(), -1);
    EXPECT_EQ(view->raisedOffset(), 0);

    // The shake scales with the squares.
    fake.offsets.clear();
    view->resize(640, 700);
    DrawSquare(E1, false, true);
    ASSERT_EQ(fake.offsets.size(), 10u);
    EXPECT_EQ(fake.offsets.front(), 13);
    EXPECT_EQ(fake.offsets.back(), -3);
}

TEST_F(BoardViewTest, HitTestingIsExactAtBordersAndMargins)
{
    // 31-pixel squares: a 248-pixel board at (41, 1), with margins left, right and below.
    view->resize(330, 250);
    ASSERT_EQ(view->cellSize(), 31);
    ASSERT_EQ(view->boardRect(), QRect(41, 1, 248, 248));
    const struct {
        int x, y, image;
    } rows[] = {
        {41, 1, 0},  {71, 31, 0},    {72, 31, 1},    {71, 32, 8}, {288, 248, 63}, {40, 1, -1},
        {41, 0, -1}, {289, 100, -1}, {100, 249, -1}, {0, 0, -1},  {164, 125, 35},
    };
    std::vector<std::pair<int, Qt::MouseButton>> clicks;
    QObject::connect(view.get(), &BoardView::squareClicked, [&](int image, Qt::MouseButton button) {
        clicks.emplace_back(image, button);
    });
    for (const auto& row : rows) {
        EXPECT_EQ(view->imageAt(QPoint(row.x, row.y)), row.image) << row.x << "," << row.y;
        clicks.clear();
        const QPointF at(row.x, row.y);
        QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view.get(), &press);
        if (row.image < 0) {
            EXPECT_TRUE(clicks.empty());
        } else {
            ASSERT_EQ(clicks.size(), 1u);
            EXPECT_EQ(clicks[0], std::make_pair(row.image, Qt::RightButton));
        }
    }
}

TEST_F(BoardViewTest, CoordinateCaptionsAndTooltips)
{
    ShowCoordinates(true);
    EXPECT_TRUE(view->captionsShown());
    EXPECT_EQ(view->caption(0), QStringLiteral("a8"));
    EXPECT_EQ(view->caption(63), QStringLiteral("h1"));
    view->show();
    const QRect e4 = view->cellRect(ImageOfSquare(E4));
    QHelpEvent help(QEvent::ToolTip, e4.center(), view->mapToGlobal(e4.center()));
    QCoreApplication::sendEvent(view.get(), &help);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("e4"));
    QToolTip::hideText();
    ShowCoordinates(false);
    EXPECT_FALSE(view->captionsShown());
}

TEST_F(BoardViewTest, CoordinatesKeepToTheLowerLeftCornerOfEachSquare)
{
    // The pieces fill the rest of a square: a name there would sit over a crown or a cross.
    view->resize(480, 480);
    RedrawBoard();
    const QImage plain = view->grab().toImage();
    ShowCoordinates(true);
    const QImage named = view->grab().toImage();
    ASSERT_EQ(plain.size(), named.size());
    const int cell = view->cellSize();
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            if (plain.pixel(x, y) == named.pixel(x, y))
                continue;
            ++changed;
            const QPoint inSquare = QPoint(x, y) - view->boardRect().topLeft();
            const int dx = inSquare.x() % cell;
            const int dy = inSquare.y() % cell;
            ASSERT_TRUE(dx < cell / 2 && dy >= cell * 2 / 3) << x << "," << y;
        }
    EXPECT_GT(changed, 64 * 20);
    ShowCoordinates(false);
}

// The board commands, on the main window.
class BoardCommandsTest : public BoardViewTest {
protected:
    void SetUp() override
    {
        BoardViewTest::SetUp();
        window = std::make_unique<frmMain>();
        ConnectBoardCommands(*window);
    }
    void TearDown() override
    {
        window.reset();
        BoardViewTest::TearDown();
    }
    QAction* command(const char* name, int index = -1)
    {
        return window->command(QString::fromLatin1(name), index);
    }
    std::vector<int> ticked(const char* group)
    {
        std::vector<int> result;
        for (QAction* act : window->commandSet().group(QString::fromLatin1(group)))
            if (act->isChecked())
                result.push_back(act->property("index").toInt());
        return result;
    }
    std::unique_ptr<frmMain> window;
};

TEST_F(BoardCommandsTest, BoardViewLivesInTheHostOnce)
{
    BoardView* installed = MainBoardView();
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(installed->parentWidget(), window->boardHost);
    ConnectBoardCommands(*window);
    EXPECT_EQ(MainBoardView(), installed);
    EXPECT_EQ(window->boardHost->findChildren<BoardView*>().size(), 1);
}

TEST_F(BoardCommandsTest, RotatingTwiceRestoresOrientationAndCaptions)
{
    Cfg.Coordinates = true;
    ApplyBoardSettings();
    RedrawBoard();
    BoardView* board = MainBoardView();
    std::vector<QString> captions;
    std::vector<int> pictures;
    for (int i = 0; i < 64; ++i) {
        captions.push_back(board->caption(i));
        pictures.push_back(board->cellPicture(i));
    }
    QAction* flip = command("mnPosFlip");
    ASSERT_TRUE(flip->isEnabled());
    flip->trigger();
    EXPECT_TRUE(Game.Flipped);
    EXPECT_TRUE(flip->isChecked());
    EXPECT_EQ(board->caption(0), QStringLiteral("h1"));
    EXPECT_EQ(board->cellPicture(0), 3);
    // White's king picture moves to the top.
    EXPECT_EQ(window->imgUp->pixmap().cacheKey(), Pictures.pieces[1].cacheKey());
    flip->trigger();
    EXPECT_FALSE(Game.Flipped);
    EXPECT_FALSE(flip->isChecked());
    EXPECT_EQ(window->imgUp->pixmap().cacheKey(), Pictures.pieces[7].cacheKey());
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(board->caption(i), captions[static_cast<std::size_t>(i)]);
        EXPECT_EQ(board->cellPicture(i), pictures[static_cast<std::size_t>(i)]);
    }
}

TEST_F(BoardCommandsTest, RotatingWithCoordinatesOffStillRenamesTooltips)
{
    ApplyBoardSettings();
    command("mnPosFlip")->trigger();
    EXPECT_FALSE(MainBoardView()->captionsShown());
    EXPECT_EQ(MainBoardView()->caption(0), QStringLiteral("h1"));
}

TEST_F(BoardCommandsTest, BlindfoldCommandTogglesAndRedraws)
{
    ApplyBoardSettings();
    RedrawBoard();
    QAction* blindfold = command("mnQuorvinBlindfold");
    ASSERT_TRUE(blindfold->isEnabled());
    blindfold->trigger();
    EXPECT_TRUE(Cfg.Blindfold);
    EXPECT_TRUE(blindfold->isChecked());
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(MainBoardView()->cellPicture(i), 0);
    blindfold->trigger();
    EXPECT_FALSE(Cfg.Blindfold);
    EXPECT_FALSE(blindfold->isChecked());
    EXPECT_EQ(MainBoardView()->cellPicture(60), 1);
}

TEST_F(BoardCommandsTest, BoardPictureMenuKeepsOneTick)
{
    ApplyBoardSettings();
    EXPECT_EQ(ticked("mnOptionsBoard"), std::vector<int>{0});
    const qint64 classic = MainBoardView()->boardPicture().cacheKey();
    EXPECT_FALSE(MainBoardView()->boardPicture().isNull());

    command("mnOptionsBoard", 3)->trigger();
    EXPECT_EQ(Cfg.Board, 3);
    EXPECT_EQ(ticked("mnOptionsBoard"), std::vector<int>{3});
    const qint64 wood = MainBoardView()->boardPicture().cacheKey();
    EXPECT_NE(wood, classic);

    // Choosing the ticked item again keeps its picture and its tick.
    command("mnOptionsBoard", 3)->trigger();
    EXPECT_EQ(Cfg.Board, 3);
    EXPECT_EQ(ticked("mnOptionsBoard"), std::vector<int>{3});
    EXPECT_EQ(MainBoardView()->boardPicture().cacheKey(), wood);
}

TEST_F(BoardCommandsTest, MissingBoardPictureChangesNothing)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("IMAGES")));
    ASSERT_TRUE(QFile::copy(App.ProgramFolder + QStringLiteral("IMAGES/WOOD1.JPG"),
                            folder.path() + QStringLiteral("/IMAGES/WOOD1.JPG")));
    App.ProgramFolder = folder.path() + QLatin1Char('/');
    command("mnOptionsBoard", 3)->trigger();
    const qint64 wood = MainBoardView()->boardPicture().cacheKey();
    ASSERT_EQ(ticked("mnOptionsBoard"), std::vector<int>{3});

    command("mnOptionsBoard", 2)->trigger(); // METAL.JPG is not there
    EXPECT_EQ(Cfg.Board, 3);
    EXPECT_EQ(ticked("mnOptionsBoard"), std::vector<int>{3});
    EXPECT_EQ(MainBoardView()->boardPicture().cacheKey(), wood);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(BoardCommandsTest, MusicMenuPlaysThePieceAndTicksIt)
{
    const QList<QAction*> items = window->commandSet().group(QStringLiteral("mnOptionsMusic"));
    ASSERT_EQ(items.size(), 12);
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("MUSICS")));
    QFile piece(folder.path() + QStringLiteral("/MUSICS/GREENSLV.MID"));
    ASSERT_TRUE(piece.open(QIODevice::WriteOnly));
    piece.close();
    App.ProgramFolder = folder.path() + QLatin1Char('/');

    items[3]->trigger();
    EXPECT_EQ(Cfg.Music, 3);
    EXPECT_EQ(ticked("mnOptionsMusic"), std::vector<int>{3});
    ASSERT_EQ(fake.musicPlayed.size(), 1u);
    EXPECT_EQ(fake.musicPlayed[0], App.ProgramFolder + QStringLiteral("MUSICS/GREENSLV.MID"));

    items[0]->trigger();
    EXPECT_EQ(Cfg.Music, 0);
    EXPECT_EQ(ticked("mnOptionsMusic"), std::vector<int>{0});
    EXPECT_TRUE(fake.music.isEmpty());
}

} // namespace
