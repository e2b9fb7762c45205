// Game captions: the header texts built from the tags, and the labels and pictures they fill.
#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "files/captions.h"
#include "gui/frmmain.h"
#include "gui/pieceimages.h"
#include "support/fake_platform.h"
#include "support/program_state.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

class CaptionsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override
    {
        resetRecord(false);
        Engine.EngineWhite = Engine.EngineBlack = false;
    }
};

TEST_F(CaptionsTest, EventCaption)
{
    const struct {
        const char* event;
        const char* round;
        const char* expected;
    } rows[] = {
        {"Club match", "3", "Club match, Round 3"},
        {"Club match", "?", "Club match, ?"},
        {"", "5", "Round 5"},
        {"Club match", "", "Club match"},
        {"", "", ""},
        {"Open", "0", "Open, 0"},         // zero is no round number
        {"Open", "-2", "Open, Round -2"}, // a non-zero reading keeps the text as typed
        {"Open", "4.1", "Open, Round 4.1"},
        {"Open", "-", "Open, -"},
        {"", "a", "a"},
    };
    for (const auto& row : rows) {
        Game.TagEvent = QString::fromUtf8(row.event);
        Game.TagRound = QString::fromUtf8(row.round);
        EXPECT_EQ(EventCaption(), QString::fromUtf8(row.expected))
            << row.event << " / " << row.round;
    }
}

TEST_F(CaptionsTest, PlayersCaption)
{
    const struct {
        const char* white;
        const char* whiteElo;
        const char* black;
        const char* blackElo;
        int result;
        const char* expected;
    } rows[] = {
        {"Ann", "2400", "Bob", "", ResultDraw, "Ann (2400) 1/2-1/2 Bob"},
        {"Ann", "", "Bob", "2310", ResultNone, "Ann vs Bob (2310)"},
        {"Ann", "2400", "Bob", "2310", ResultWhiteWins, "Ann (2400) 1-0 Bob (2310)"},
        {"Ann", "", "Bob", "", ResultBlackWins, "Ann 0-1 Bob"},
        {"Ann", "2400", "", "", ResultDraw, "(Draw)"},
        {"", "", "Bob", "", ResultNone, "(In progress)"},
        {"", "", "", "", ResultWhiteWins, "(White wins)"},
        {"", "", "", "", ResultBlackWins, "(Black wins)"},
    };
    for (const auto& row : rows) {
        Game.TagWhite = QString::fromUtf8(row.white);
        Game.TagWhiteElo = QString::fromUtf8(row.whiteElo);
        Game.TagBlack = QString::fromUtf8(row.black);
        Game.TagBlackElo = QString::fromUtf8(row.blackElo);
        Game.GameResult = row.result;
        EXPECT_EQ(PlayersCaption(), QString::fromUtf8(row.expected)) << row.expected;
    }
}

TEST_F(CaptionsTest, SiteDateCaption)
{
    const struct {
        const char* site;
        const char* date;
        const char* expected;
    } rows[] = {
        {"Oslo", "2021.05.04", "(Oslo, 2021.05.04)"},
        {"", "2021.05.04", "(, 2021.05.04)"},
        {"Oslo", "", "(Oslo)"},
        {"", "", ""},
    };
    for (const auto& row : rows) {
        Game.TagSite = QString::fromUtf8(row.site);
        Game.TagDate = QString::fromUtf8(row.date);
        EXPECT_EQ(SiteDateCaption(), QString::fromUtf8(row.expected)) << row.expected;
    }
}

TEST_F(CaptionsTest, OpeningCaption)
{
    const struct {
        const char* opening;
        const char* variation;
        const char* subVariation;
        const char* eco;
        const char* expected;
    } rows[] = {
        {"Sicilian", "Najdorf", "English Attack", "B90", "Sicilian: Najdorf, English Attack (B90)"},
        {"Sicilian", "", "English Attack", "B90", "Sicilian (B90)"},
        {"Sicilian", "Najdorf", "", "", "Sicilian: Najdorf"},
        {"", "", "", "A00", " (A00)"},
        {"", "", "", "", ""},
    };
    for (const auto& row : rows) {
        Game.TagOpening = QString::fromUtf8(row.opening);
        Game.TagVariation = QString::fromUtf8(row.variation);
        Game.TagSubVariation = QString::fromUtf8(row.subVariation);
        Game.TagEco = QString::fromUtf8(row.eco);
        EXPECT_EQ(OpeningCaption(), QString::fromUtf8(row.expected)) << row.expected;
    }
}

TEST_F(CaptionsTest, DefaultGameName)
{
    EXPECT_EQ(DefaultGameName(), QStringLiteral("(In progress)"));
    Game.TagRound = QStringLiteral("2");
    Game.TagWhite = QStringLiteral("Ann");
    Game.TagBlack = QStringLiteral("Bob");
    Game.GameResult = ResultWhiteWins;
    EXPECT_EQ(DefaultGameName(), QStringLiteral("Round 2 - Ann 1-0 Bob"));
    Game.TagEvent = QStringLiteral("Cup");
    EXPECT_EQ(DefaultGameName(), QStringLiteral("Cup, Round 2 - Ann 1-0 Bob"));
}

class RefreshCaptionsTest : public CaptionsTest {
protected:
    void SetUp() override
    {
        CaptionsTest::SetUp();
        LoadPieceImages();
    }
    FakePlatform fake;
};

qint64 shown(const QLabel* label)
{
    return label->pixmap().cacheKey();
}

TEST_F(RefreshCaptionsTest, PicturesFollowSidesAndOrientation)
{
    ASSERT_FALSE(Pictures.pieces[1].isNull());
    ASSERT_FALSE(Pictures.engineBlack().isNull());
    frmMain window;
    const struct {
        bool flipped;
        bool engineWhite;
        bool engineBlack;
        const QPixmap* up;
        const QPixmap* down;
    } rows[] = {
        {false, false, false, &Pictures.pieces[7], &Pictures.pieces[1]},
        {true, false, false, &Pictures.pieces[1], &Pictures.pieces[7]},
        {false, false, true, &Pictures.engineBlack(), &Pictures.pieces[1]},
        {true, true, false, &Pictures.engineWhite(), &Pictures.pieces[7]},
        {true, true, true, &Pictures.engineWhite(), &Pictures.engineBlack()},
    };
    for (const auto& row : rows) {
        Game.Flipped = row.flipped;
        Engine.EngineWhite = row.engineWhite;
        Engine.EngineBlack = row.engineBlack;
        RefreshGameCaptions();
        EXPECT_EQ(shown(window.imgUp), row.up->cacheKey());
        EXPECT_EQ(shown(window.imgDown), row.down->cacheKey());
    }
}

TEST_F(RefreshCaptionsTest, LabelsShowTagsAsPlainText)
{
    frmMain window;
    Game.TagEvent = QStringLiteral("<b>Cup</b>");
    Game.TagRound = QStringLiteral("1");
    Game.TagSite = QStringLiteral("Oslo");
    Game.TagOpening = QStringLiteral("Italian");
    RefreshGameCaptions();
    EXPECT_EQ(window.lblEvent->text(), QStringLiteral("<b>Cup</b>, Round 1"));
    EXPECT_EQ(window.lblEvent->textFormat(), Qt::PlainText);
    EXPECT_EQ(window.lblResult->text(), QStringLiteral("(In progress)"));
    EXPECT_EQ(window.lblSiteDate->text(), QStringLiteral("(Oslo)"));
    EXPECT_EQ(window.lblOpen->text(), QStringLiteral("Italian"));
}

} // namespace
