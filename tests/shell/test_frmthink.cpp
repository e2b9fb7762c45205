// The thinking window over the main window: its lines and caret, docking by move events, and
// what closing it stores and unticks.
#include "support/game_fixture.h"

#include "engine/enginestate.h"
#include "gui/frmmain.h"
#include "gui/frmthink.h"
#include "gui/thinktext.h"
#include "gui/wiring.h"
#include "shell/settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QScrollBar>

#include <memory>

namespace {

class ThinkWindowTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        form = std::make_unique<frmMain>();
        form->Form_Load();
        ConnectAllCommands(*form);
        loadEngine();
        form->move(200, 100);
        form->show();
        settle();
    }
    void TearDown() override
    {
        form.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        GameTest::TearDown();
    }
    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }
    QAction* analyze() const { return form->command(QStringLiteral("mnEngineAnalyze")); }
    void open()
    {
        analyze()->trigger();
        settle();
        ASSERT_NE(ThinkForm, nullptr);
    }
    std::unique_ptr<frmMain> form;
};

TEST_F(ThinkWindowTest, LinesAccumulateWithTheCaretAtTheNewestLine)
{
    open();
    EXPECT_TRUE(Engine.ThinkShown);
    EXPECT_TRUE(analyze()->isChecked());
    ThinkText* text = ThinkForm->txtThink;
    view().appendThinking(QStringLiteral("  1   (+20) e4"));
    EXPECT_EQ(text->text(), "  1   (+20) e4");
    EXPECT_EQ(text->caretPosition(), 0);
    view().appendThinking(QStringLiteral("  2   (+15) e4 e5"));
    EXPECT_EQ(text->text(), "  1   (+20) e4\r\n  2   (+15) e4 e5");
    EXPECT_EQ(text->caretPosition(), 16);
    EXPECT_EQ(text->line(0), QStringLiteral("  1   (+20) e4"));
    EXPECT_EQ(text->line(1), QStringLiteral("  2   (+15) e4 e5"));
    for (int i = 3; i <= 500; ++i)
        view().appendThinking(QStringLiteral("line %1").arg(i));
    EXPECT_EQ(text->lineCount(), 500);
    EXPECT_EQ(text->text().mid(text->caretPosition()), "line 500");
    // The newest line is in sight: the last lines shown end with it.
    settle();
    EXPECT_GT(text->firstShownLine(), 400);
    EXPECT_EQ(text->firstShownLine(), text->verticalScrollBar()->maximum());
    // A new search starts with an empty window.
    view().clearThinking();
    EXPECT_TRUE(text->text().isEmpty());
    EXPECT_EQ(text->lineCount(), 0);
    view().appendThinking(QStringLiteral("again"));
    EXPECT_EQ(text->text(), "again");
    EXPECT_EQ(text->caretPosition(), 0);
}

TEST_F(ThinkWindowTest, FollowsTheMainWindowAndKeepsTheOffsetTheUserDraggedTo)
{
    Cfg.ThinkLeft = 1500; // 100 pixels
    Cfg.ThinkTop = 750;
    open();
    const QPoint start = form->pos();
    EXPECT_EQ(ThinkForm->pos(), start + QPoint(100, 50));

    form->move(start + QPoint(40, 30));
    settle();
    EXPECT_EQ(ThinkForm->pos(), start + QPoint(140, 80));
    EXPECT_EQ(Cfg.ThinkLeft, 1500); // following the main window changes no offset
    EXPECT_EQ(Cfg.ThinkTop, 750);

    // The user drags the thinking window: its offset from the main window is kept.
    ThinkForm->move(form->pos() + QPoint(-60, 300));
    settle();
    EXPECT_EQ(Cfg.ThinkLeft, -900);
    EXPECT_EQ(Cfg.ThinkTop, 4500);
    form->move(start);
    settle();
    EXPECT_EQ(ThinkForm->pos(), start + QPoint(-60, 300));
}

TEST_F(ThinkWindowTest, SizeComesFromTheSettingsAndClosingStoresItAndUnticks)
{
    Cfg.ThinkWidth = 6000;
    Cfg.ThinkHeight = 3000;
    open();
    EXPECT_EQ(ThinkForm->size(), QSize(400, 200));
    ThinkForm->resize(500, 250);
    settle();
    ThinkForm->close(); // the close box
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ThinkForm, nullptr);
    EXPECT_FALSE(Engine.ThinkShown);
    EXPECT_FALSE(analyze()->isChecked());
    EXPECT_EQ(Cfg.ThinkWidth, 7500);
    EXPECT_EQ(Cfg.ThinkHeight, 3750);

    // Below the smallest stored size the setting is clamped; the command closes it too.
    open();
    EXPECT_EQ(ThinkForm->size(), QSize(500, 250));
    ThinkForm->resize(60, 40);
    settle();
    analyze()->trigger();
    settle();
    EXPECT_FALSE(Engine.ThinkShown);
    EXPECT_FALSE(analyze()->isChecked());
    EXPECT_EQ(Cfg.ThinkWidth, 2400);
    EXPECT_EQ(Cfg.ThinkHeight, 1200);
}

} // namespace
