// The update check's reply rules through the scripted Platform, and the desktop's fetch against a
// server on this machine: an answer, silence, and nobody listening.
#include "gui/qtplatform.h"
#include "shell/appstate.h"
#include "shell/helpcommands.h"
#include "shell/settings.h"
#include "shell/updates.h"
#include "support/fake_platform.h"
#include "support/program_state.h"
#include "support/test_app.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QEventLoop>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

class UpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApplication();
        ResetProgramState();
        ASSERT_TRUE(store.isValid());
        setSettingsStorePath(store.filePath(QStringLiteral("settings.ini")));
        Cfg.AdvertLink = QStringLiteral("old.example");
        Cfg.AdvertText = QStringLiteral("Old text");
        UpdateFollowUpLink.clear();
    }
    void TearDown() override { setSettingsStorePath(QString()); }
    QString stored(const char* key) const
    {
        QSettings ini(store.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        return ini.value(QStringLiteral("Gui/") + QLatin1String(key)).toString();
    }
    void serve(const QString& reply)
    {
        fake.pages = {{QStringLiteral("http://") + DefaultAdvertLink + "/version.jsp", reply}};
    }

    QTemporaryDir store;
    FakePlatform fake;
};

TEST_F(UpdateTest, RepliesAreStoredAndOnlyAClearlyNewerVersionIsAnnounced)
{
    struct Row {
        const char* reply;
        bool manual;
        bool asked;           // the download question came
        const char* message;  // otherwise the message shown, "" none
        const char* advert;   // AdvertLink afterwards
    } rows[] = {
        {"1.06", false, false, "", "old.example"},
        {"1.064", true, false, "No new version of Chess Quorvin detected.", "old.example"},
        {"1.07\r\nnew.example\r\nNew text\r\nhttp://follow.example/", false, true, "",
         "new.example"},
        {"garbage", true, false, "No new version of Chess Quorvin detected.", "old.example"},
        {"", true, false, "Cannot access www.chessquorvin.example. Please try again later.",
         "old.example"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reply);
        Cfg.AdvertLink = QStringLiteral("old.example");
        Cfg.UpgradeVer.clear();
        Cfg.UpgradeDate.clear();
        fake.messages.clear();
        fake.answers = {MsgAnswer::No};
        serve(QString::fromLatin1(row.reply));
        CheckForUpdate(row.manual);
        const bool reached = *row.reply != '\0';
        EXPECT_EQ(!Cfg.UpgradeDate.isEmpty(), reached);
        EXPECT_EQ(UpdateCheckDue(), !reached);
        EXPECT_EQ(Cfg.AdvertLink.toStdString(), row.advert);
        const bool asked = !fake.messages.empty() && fake.messages[0].buttons == MsgButtons::YesNo;
        EXPECT_EQ(asked, row.asked);
        if (!row.asked)
            EXPECT_EQ(fake.lastMessage().toStdString(), row.message);
    }
    EXPECT_EQ(stored("AdvertLink"), QStringLiteral("new.example"));
    EXPECT_FALSE(stored("UserID").isEmpty());
    EXPECT_EQ(UpdateFollowUpLink, QStringLiteral("http://follow.example/"));
}

TEST_F(UpdateTest, NoSilencesTheAutomaticCheckButNotTheManualOne)
{
    serve(QStringLiteral("2.0"));
    fake.answers = {MsgAnswer::No};
    CheckForUpdate(false);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text,
              "Chess Quorvin 2.0 is available. Would you like to download it right now?");
    EXPECT_EQ(Cfg.UpgradeVer, QStringLiteral("2.0"));
    CheckForUpdate(false);
    EXPECT_EQ(fake.messages.size(), 1u);
    fake.answers = {MsgAnswer::Yes};
    CheckForUpdate(true);
    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(fake.openedUrls.back(),
              QStringLiteral("http://") + DefaultAdvertLink + "/download.jsp");
}

TEST(TipTest, StepsWrapAndEveryTipIsIndented)
{
    EXPECT_EQ(SteppedTipIndex(1, -1), 15);
    EXPECT_EQ(SteppedTipIndex(15, 1), 1);
    EXPECT_EQ(SteppedTipIndex(7, 1), 8);
    int twoParagraphs = 0;
    for (int i = 1; i <= TipCount; ++i) {
        EXPECT_TRUE(TipText(i).startsWith(QStringLiteral("        "))) << i;
        twoParagraphs += TipText(i).contains(QStringLiteral("\r\n"));
    }
    EXPECT_EQ(twoParagraphs, 2);
}

TEST_F(UpdateTest, QuotesLinksAndTheBookEditor)
{
    QStringList seen;
    for (int n = 1; n <= QuoteCount; ++n) {
        const QString quote = QuoteText(n);
        EXPECT_TRUE(quote.contains(QStringLiteral("\r\n\r\n    -- "))) << n;
        seen.append(quote);
    }
    seen.removeDuplicates();
    EXPECT_EQ(seen.size(), QuoteCount);
    fake.randomAnswers = {12};
    mnHelpQuote_Click();
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].title, QStringLiteral("Quote"));
    EXPECT_EQ(fake.messages[0].text, QuoteText(12));

    // A site on a server gets the query; the pages kept in the program folder are files, and
    // each one a link names is there.
    Cfg.SiteBase = QStringLiteral("https://www.chessquorvin.example");
    OpenHelpLink(QStringLiteral("mnHelpSuggest"));
    OpenHelpLink(QStringLiteral("mnNoSuchLink"));
    EXPECT_EQ(fake.openedUrls, (std::vector<QString>{"https://www.chessquorvin.example/users/"
                                                     "?cmd=suggest&referer=quorvin"}));
    Cfg.SiteBase = QUrl::fromLocalFile(testProgramFolder() + QStringLiteral("WEB")).toString();
    for (const char* command : {"mnHelpContents", "mnHelpHome", "mnHelpEngines", "mnHelpMobile",
                                "mnHelpBase", "mnHelpSuggest"}) {
        const QUrl link(HelpLink(QString::fromLatin1(command)));
        EXPECT_TRUE(link.isLocalFile() && QFileInfo(link.toLocalFile()).isFile())
            << command << " " << link.toString().toStdString();
    }
    App.ProgramFolder = QStringLiteral("/opt/q/");
    mnQuorvinBook_Click();
    ASSERT_EQ(fake.startedPrograms.size(), 1u);
    EXPECT_EQ(fake.startedPrograms[0], QStringList{QStringLiteral("/opt/q/lorimel")});
}

// The desktop's fetch: one server answers, one accepts and stays silent, and on a closed port
// nobody listens. Each ends with a body or "" and never hangs.
TEST(HttpFetch, AnswerSilenceAndNobody)
{
    ensureApplication();
    if (!TestProgramShowsWindows)
        GTEST_SKIP();
    QtPlatform desktop;
    QTcpServer answering;
    ASSERT_TRUE(answering.listen(QHostAddress::LocalHost));
    QObject::connect(&answering, &QTcpServer::newConnection, [&answering] {
        QTcpSocket* client = answering.nextPendingConnection();
        QObject::connect(client, &QTcpSocket::readyRead, client, [client] {
            client->readAll();
            client->write("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n1.07\r\nlink\r\ntext");
            client->disconnectFromHost();
        });
    });
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 nobody = closed.serverPort();
    closed.close();

    const auto fetch = [&desktop](quint16 port) {
        QString body = QStringLiteral("unset");
        QEventLoop loop;
        desktop.httpGet(QStringLiteral("http://127.0.0.1:%1/version.jsp").arg(port), 500,
                        [&](const QString& got) {
                            body = got;
                            loop.quit();
                        });
        loop.exec();
        return body;
    };
    EXPECT_EQ(fetch(answering.serverPort()), QStringLiteral("1.07\r\nlink\r\ntext"));
    EXPECT_EQ(fetch(silent.serverPort()), QString());
    EXPECT_EQ(fetch(nobody), QString());
}

} // namespace
