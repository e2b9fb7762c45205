// Published texts byte for byte, their delivery, and the links and searches of the web site.
#include "support/game_fixture.h"

#include "core/domove.h"
#include "core/gamerecord.h"
#include "core/movelist.h"
#include "files/positions.h"
#include "shell/settings.h"
#include "study/publish.h"

namespace {

const QString Site = QStringLiteral("https://www.chessquorvin.example");
const QString Promo = QStringLiteral("# Welcome to www.chessquorvin.example");
const QString BBPromo = QStringLiteral(
    "# Welcome to [url=http://www.chessquorvin.example]www.chessquorvin.example[/url]");
const QString HtmlPromo = QStringLiteral(
    "# Welcome to <a href=\"http://www.chessquorvin.example\">www.chessquorvin.example</a>");
const QString Signs = QStringLiteral("=================================");
const QString Copied =
    QStringLiteral("The game was copied to the clipboard. Press Ctrl+V to paste it.");

class PublishTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        Cfg.AdvertText = QStringLiteral("Welcome to");
        Cfg.AdvertLink = QStringLiteral("www.chessquorvin.example");
        Cfg.SiteBase = QStringLiteral("file:///opt/q/WEB");
        Cfg.Size = 0;
        Game.AutoEco = false;
        ResetMoveList();
    }
    QString embed(const QString& variables) const
    {
        return "<embed src=\"" + Site +
               "/FlashBoard.swf\" width=\"246\" height=\"270\" "
               "type=\"application/x-shockwave-flash\" "
               "pluginspage=\"https://www.adobe.com/go/getflashplayer\" "
               "allowScriptAccess=\"always\" quality=\"high\" wmode=\"transparent\" flashvars=\"" +
               variables + "\"><br>\r\n";
    }
    // A tagged game 1. e4 e5 2. Nf3! Nc6 won by White.
    void taggedGame()
    {
        playQuiet({"e4", "e5", "Nf3", "Nc6"});
        Game.MoveNag[3] = 1;
        Game.TagEvent = "Club <Open>";
        Game.TagRound = "3";
        Game.TagWhite = "Ann";
        Game.TagBlack = "Bob";
        Game.TagSite = "Oslo & Bergen";
        Game.TagDate = "2026.01.02";
        Game.TagEco = "C44";
        Game.TagOpening = "King's Knight";
        Game.GameResult = ResultWhiteWins;
    }
};

const QString TaggedHeader =
    QStringLiteral("Club <Open>, Round 3\r\nAnn 1-0 Bob\r\n"
                   "(Oslo & Bergen, 2026.01.02)\r\nKing's Knight (C44)\r\n");
const QString TaggedHtmlHeader =
    QStringLiteral("Club &lt;Open&gt;, Round 3<br>\r\nAnn 1-0 Bob<br>\r\n"
                   "(Oslo &amp; Bergen, 2026.01.02)<br>\r\nKing's Knight (C44)<br>\r\n");
const QString ShownFen =
    QStringLiteral("r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 3");
const QString ShownFenEncoded = QStringLiteral(
    "r1bqkbnr%2Fpppp1ppp%2F2n5%2F4p3%2F4P3%2F5N2%2FPPPP1PPP%2FRNBQKB1R+w+KQkq+-+0+3");
const QString ShownDiagram = QStringLiteral("8|r . b q k b n r \r\n"
                                            "7|p p p p . p p p \r\n"
                                            "6|. . n . . . . . \r\n"
                                            "5|. . . . p . . . \r\n"
                                            "4|. . . . P . . . \r\n"
                                            "3|. . . . . N . . \r\n"
                                            "2|P P P P . P P P \r\n"
                                            "1|R N B Q K B . R \r\n"
                                            " +----------------\r\n"
                                            "  a b c d e f g h\r\n"
                                            "  White to move.\r\n");

TEST_F(PublishTest, EveryFormatOfTheWholeGameAndTheShownPosition)
{
    taggedGame();
    Cfg.Size = 1;
    const QString picture = Site + "/board/?fen=" + ShownFenEncoded + "&size=1";
    const QString viewer = Site + "/fen/?fen=" + ShownFenEncoded;
    const QString htmlGame =
        TaggedHtmlHeader + embed("MoveList=e2e4+e7e5+g1f3+b8c6+") +
        "<font color=\"#003333\"> 1. e4 e5<br>\r\n 2. Nf3! Nc6<br>\r\n 1-0<br>\r\n</font>" + Signs +
        "<br>\r\n" + HtmlPromo;
    const QString htmlPosition = TaggedHtmlHeader + "<img src=\"" + picture + "\"><br>\r\n" +
                                 "# <a href=\"" + viewer + "\">" + ShownFen + "</a><br>\r\n" +
                                 HtmlPromo;
    const struct {
        int format;
        bool position;
        QString expected;
    } rows[] = {
        {FormatPlainText, false,
         TaggedHeader + " 1. e4 e5\r\n 2. Nf3! Nc6\r\n 1-0\r\n" + Signs + "\r\n" + Promo},
        {FormatBBCode, false,
         TaggedHeader + "[color=#003333] 1. e4 e5\r\n 2. Nf3! Nc6\r\n 1-0\r\n[/color]" + Signs +
             "\r\n" + BBPromo},
        {FormatHtmlCode, false, htmlGame},
        {FormatHtmlContent, false, htmlGame},
        {FormatPlainText, true, TaggedHeader + ShownDiagram + "# " + ShownFen + "\r\n" + Promo},
        {FormatBBCode, true,
         TaggedHeader + "[img]" + picture + "[/img]\r\n# [url=" + viewer + "]" + ShownFen +
             "[/url]\r\n" + BBPromo},
        {FormatHtmlCode, true, htmlPosition},
        {FormatHtmlContent, true, htmlPosition},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PublishText(row.format, row.position), row.expected)
            << row.format << (row.position ? " position" : " game");
}

TEST_F(PublishTest, NumberingCommentsAndStartPositions)
{
    struct Row {
        const char* name;
        const char* fen; // nullptr: the standard start
        std::vector<const char*> moves;
        int format;
        std::function<void()> annotate;
        QString expected;
    };
    const QString blackFen = QStringLiteral("4k3/8/8/8/8/8/4P3/4K3 b - - 0 7");
    const QString blackDiagram = QStringLiteral(
        "8|. . . . k . . . \r\n7|. . . . . . . . \r\n6|. . . . . . . . \r\n5|. . . . . . . . \r\n"
        "4|. . . . . . . . \r\n3|. . . . . . . . \r\n2|. . . . P . . . \r\n1|. . . . K . . . \r\n"
        " +----------------\r\n  a b c d e f g h\r\n  Black to move.\r\n");
    const QString promoFen = QStringLiteral("4k3/1P6/8/8/8/8/8/4K3 w - - 0 1");
    const QString promoEncoded = QStringLiteral("4k3%2F1P6%2F8%2F8%2F8%2F8%2F8%2F4K3+w+-+-+0+1");
    const Row rows[] = {
        {"the example",
         nullptr,
         {"e4", "e5", "Nf3"},
         FormatPlainText,
         [] {},
         " 1. e4 e5\r\n 2. Nf3 *\r\n" + Signs + "\r\n" + Promo},
        {"Black to move first",
         "4k3/8/8/8/8/8/4P3/4K3 b - - 0 7",
         {"Kd7", "e4", "Kd6"},
         FormatPlainText,
         [] {},
         blackDiagram + "# " + blackFen + "\r\n 7... Kd7\r\n 8. e4 Kd6\r\n *\r\n" + Signs + "\r\n" +
             Promo},
        {"a comment after White's move",
         nullptr,
         {"e4", "e5", "Nf3"},
         FormatPlainText,
         [] {
             Game.MoveComment[1] = "Best\r\nby test";
             Game.MoveNag[1] = 3;
             Game.MoveComment[0] = "Start";
             Game.GameResult = ResultDraw;
         },
         "{Start}\r\n 1. e4!!\r\n{Best\r\nby test}\r\n 1... e5\r\n 2. Nf3 1/2-1/2\r\n" + Signs +
             "\r\n" + Promo},
        // Markup in a comment is shown, not obeyed; every line break becomes the format's.
        {"an HTML comment",
         nullptr,
         {"e4", "e5"},
         FormatHtmlCode,
         [] { Game.MoveComment[2] = "a<b>&\nc"; },
         embed("MoveList=e2e4+e7e5+") +
             "<font color=\"#003333\"> 1. e4 e5<br>\r\n{a&lt;b&gt;&amp;<br>\r\nc}<br>\r\n "
             "*<br>\r\n</font>" +
             Signs + "<br>\r\n" + HtmlPromo},
        // The board gets the start position and from-to squares only, even for a promotion.
        {"a start position for the Flash board",
         "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1",
         {"b8=N", "Ke7"},
         FormatHtmlContent,
         [] { Game.GameResult = ResultBlackWins; },
         embed("Position=" + promoEncoded + "&MoveList=b7b8+e8e7+") + "# <a href=\"" + Site +
             "/fen/?fen=" + promoEncoded + "\">" + promoFen +
             "</a><br>\r\n<font color=\"#003333\"> 1. b8=N Ke7<br>\r\n 0-1<br>\r\n</font>" + Signs +
             "<br>\r\n" + HtmlPromo},
        {"a start position in BBCode",
         "4k3/1P6/8/8/8/8/8/4K3 w - - 0 1",
         {"b8=Q+"},
         FormatBBCode,
         [] {},
         "[img]" + Site + "/board/?fen=" + promoEncoded + "&size=0[/img]\r\n# [url=" + Site +
             "/fen/?fen=" + promoEncoded + "]" + promoFen +
             "[/url]\r\n[color=#003333] 1. b8=Q+ "
             "*\r\n[/color]" +
             Signs + "\r\n" + BBPromo},
    };
    for (const Row& row : rows) {
        resetRecord(false);
        ResetMoveList();
        if (row.fen)
            ASSERT_TRUE(StartFromFen(QString::fromLatin1(row.fen), true)) << row.name;
        for (const char* san : row.moves)
            ASSERT_TRUE(DoMove(KessrinAlg2Move(Game.Board, san), ModeQuiet, 0)) << san;
        row.annotate();
        EXPECT_EQ(PublishText(row.format, false), row.expected) << row.name;
    }
}

TEST_F(PublishTest, PromotionLineKeepsALinksOwnScheme)
{
    for (const char* link : {"http://a.example/x", "https://a.example/x", "HTTPS://a.example/x"}) {
        Cfg.AdvertLink = QString::fromLatin1(link);
        EXPECT_TRUE(PublishText(FormatBBCode, true)
                        .endsWith(QString::fromLatin1("[url=%1]%1[/url]").arg(link)))
            << link;
    }
    Cfg.AdvertText = "Try \"<this>\"";
    EXPECT_TRUE(PublishText(FormatHtmlCode, true)
                    .endsWith("# Try &quot;&lt;this&gt;&quot; <a"
                              " href=\"HTTPS://a.example/x\">"
                              "HTTPS://a.example/x</a>"));
}

TEST_F(PublishTest, DeliveryFollowsFormatAndSite)
{
    playQuiet({"e4", "e5", "Nf3"});
    const struct {
        int location;
        int format;
        const char* page; // "" none
    } rows[] = {
        {LocationBlogger, FormatHtmlContent, "https://www.blogger.com/home"},
        {LocationWordPress, FormatHtmlCode, "https://wordpress.com/wp-admin/"},
        {LocationFacebook, FormatPlainText, "https://www.facebook.com/notes.php"},
        {LocationYahooAnswers, FormatBBCode, "https://answers.yahoo.com/question/ask"},
        {LocationOther, FormatHtmlContent, ""},
    };
    for (const auto& row : rows) {
        fake.openedUrls.clear();
        fake.messages.clear();
        fake.clipboard = fake.clipboardHtml = "old";
        Cfg.Location = static_cast<qint16>(row.location);
        Cfg.Format = static_cast<qint16>(row.format);
        Cfg.Content = false;
        PublishGame();
        if (row.format == FormatHtmlContent) {
            EXPECT_EQ(fake.clipboardHtml, PublishText(FormatHtmlContent, false));
            EXPECT_EQ(fake.clipboard, PublishText(FormatPlainText, false));
        } else {
            EXPECT_TRUE(fake.clipboardHtml.isEmpty()) << row.location;
            EXPECT_EQ(fake.clipboard, PublishText(row.format, false));
        }
        if (*row.page)
            EXPECT_EQ(fake.openedUrls, std::vector<QString>{QString::fromLatin1(row.page)});
        else
            EXPECT_TRUE(fake.openedUrls.empty());
        ASSERT_EQ(fake.messages.size(), 1u);
        EXPECT_EQ(fake.messages[0].text, Copied);
        EXPECT_EQ(fake.messages[0].icon, MsgIcon::Information);
    }
    EXPECT_EQ(FormatForLocation(LocationOther, FormatBBCode), FormatBBCode);
    EXPECT_EQ(FormatForLocation(LocationWordPress, FormatBBCode), FormatHtmlContent);
    EXPECT_EQ(FormatForLocation(LocationYahooAnswers, FormatHtmlCode), FormatPlainText);
}

TEST_F(PublishTest, SearchesPicturesAndShareLinks)
{
    mnSearchOpening_Click(); // no ECO code: nothing
    EXPECT_TRUE(fake.openedUrls.empty());
    Game.TagEco = "C44";
    mnSearchOpening_Click();
    Game.TagEco = "A&B #1";
    mnSearchOpening_Click();
    playQuiet({"e4"});
    mnSearchPosition_Click();
    mnSearchEndgame_Click();
    mnEndgamesEndgames_Click();
    const QString fen = "rnbqkbnr%2Fpppppppp%2F8%2F8%2F4P3%2F8%2FPPPP1PPP%2FRNBQKBNR+b+KQkq+e3+0+1";
    const QString start = "rnbqkbnr%2Fpppppppp%2F8%2F8%2F8%2F8%2FPPPPPPPP%2FRNBQKBNR+w+KQkq+-+0+1";
    const std::vector<QString> searches = {
        Site + "/base/?eco=C44", Site + "/base/?eco=A%26B+%231", Site + "/base/?position=" + fen,
        Site + "/base/?endgame=" + fen, Site + "/base/?endgame=" + start};
    EXPECT_EQ(fake.openedUrls, searches);

    fake.openedUrls.clear();
    Cfg.Size = 2;
    Cfg.SiteBase = "http://own.example"; // a web address serves everything
    mnQuorvinBitmap_Click();
    EXPECT_EQ(fake.openedUrls,
              std::vector<QString>{"http://own.example/board/?fen=" + fen + "&size=2"});
    EXPECT_EQ(fake.lastMessage(), "Right click the picture in the browser, and you can copy or "
                                  "save it.\n\nYou can set the picture size in \"Publish Game\" "
                                  "dialog.");
    EXPECT_EQ(PublishHelpUrl("format"), "http://own.example/help/publish.htm#format");
    Cfg.SiteBase = "file:///opt/q/WEB";
    EXPECT_EQ(PublishHelpUrl(), "file:///opt/q/WEB/help/publish.htm");

    fake.openedUrls.clear();
    fake.messages.clear();
    for (int index : {0, 1, 2, 3})
        mnHelpShare_Click(index);
    const QString text = "Chess+Quorvin%3A+A+free%2C+powerful+chess+software+to+play%2C+study%2C+"
                         "edit+and+publish+games";
    const QString product = "https%3A%2F%2Fwww.chessquorvin.example%2Fquorvin.htm";
    const std::vector<QString> shares = {
        "https://twitter.com/intent/tweet?text=" + text + "&url=" + product,
        "https://www.facebook.com/sharer/sharer.php?u=" + product,
        "https://www.blogger.com/blog-this.g?n=" + text + "&u=" + product};
    EXPECT_EQ(fake.openedUrls, shares);
    EXPECT_TRUE(fake.messages.empty());
    mnHelpShare_Click(4);
    EXPECT_EQ(fake.clipboard, "Chess Quorvin: A free, powerful chess software to play, study, "
                              "edit and publish games \r\nhttps://www.chessquorvin.example/"
                              "quorvin.htm");
    EXPECT_EQ(fake.lastMessage(),
              "The share link was copied to the clipboard. Press Ctrl+V to paste this link into "
              "any websites, forums or communities.\n\nThank you for your support of Chess "
              "Quorvin.");
    EXPECT_EQ(UrlEncode(QStringLiteral("é € ~")), "%C3%A9+%E2%82%AC+%7E");
}

TEST_F(PublishTest, QuestionCarriesTheDiagramAndTheProgramsLine)
{
    for (bool ask : {false, true}) {
        fake.openedUrls.clear();
        PublishQuestion("White mates in 2.", "4k3/8/8/8/8/8/4P3/4K3 b - - 0 7", ask);
        EXPECT_EQ(fake.clipboard,
                  "White mates in 2.\r\n8|. . . . k . . . \r\n7|. . . . . . . . \r\n"
                  "6|. . . . . . . . \r\n5|. . . . . . . . \r\n4|. . . . . . . . \r\n"
                  "3|. . . . . . . . \r\n2|. . . . P . . . \r\n1|. . . . K . . . \r\n"
                  " +----------------\r\n  a b c d e f g h\r\n  Black to move.\r\n"
                  "=== Welcome to www.chessquorvin.example ===");
        EXPECT_EQ(fake.openedUrls.size(), ask ? 1u : 0u);
        EXPECT_EQ(fake.lastMessage(), Copied);
    }
    EXPECT_EQ(fake.openedUrls[0], "https://answers.yahoo.com/question/ask");
}

} // namespace
