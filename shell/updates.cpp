#include "shell/updates.h"

#include "shell/platform.h"
#include "shell/settings.h"

#include <QDate>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <QUrl>

#include <chrono>

const QString ProgramVersion = QStringLiteral(QUORVIN_VERSION);

namespace {

// Tips are written for this program; each starts with eight spaces, as the box shows them.
const char* const Tips[TipCount] = {
    "To start a game, choose File > New Game. The Startup dialog sets the computer's level, "
    "your colour and an optional handicap; untick its box to start at once next time.",
    "The twelve named levels run from Peabrain to Overwhelming. Computer > Level also offers "
    "a fixed depth, infinite thinking and clocks with increments or moves per period.",
    "A handicap gives the computer fewer pieces: a knight, a rook, the queen or even more. Pick "
    "Custom to set up any position in the position editor.",
    "Options > Status Bar shows what the computer thinks: the move it is looking at, its speed, "
    "the depth, the score and its main line.",
    "The opening's name is shown above the move list. Click it, or press F3, to look the opening "
    "up on the web site.\nThe name follows every move, so you learn which lines you play.",
    "Quorvinry > Publish Game turns your game into plain text, BBCode or HTML for a blog, a forum "
    "or a question site, with a diagram of the position.",
    "Open a PGN game file or a FEN position file by double-clicking it in your file manager once "
    "the program is installed; a file with many games shows a list to choose from.",
    "File > View PGN shows the text of the game as it will be saved, with its tags, comments "
    "and result.",
    "Quorvinry > Demonstrate replays the game move by move. Position > Rotate Board turns the "
    "board so that Black plays upwards.",
    "Annotate a move with the box left of the move entry (!, ?, !!, ??, !?, ?!) and write a "
    "comment below it; both are saved with the game.",
    "Puzzles: the Challenge menu holds series of classic problems. Solve a mate in two against "
    "the computer, or try again when it escapes.",
    "Blindfold play hides the pieces while the moves are read aloud; type your moves or click "
    "the squares from memory.",
    "New versions are announced at start-up once a day. Help > Check for Update asks at once.",
    "Suggestions and faults are welcome: Help > Send Suggestion opens a message to the "
    "developers.\nTell us what you did, what you expected and what happened.",
    "Like the program? Help > Share Chess Quorvin tells your friends through the sites you use.",
};

QString WebSite()
{
    return QStringLiteral("http://") + DefaultAdvertLink;
}

QString NewUserId()
{
    const auto ticks = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    return QString::number(static_cast<quint32>(ticks >> 32), 16).toUpper() +
           QString::number(static_cast<quint32>(ticks), 16).toUpper();
}

void storeGui(const char* key, const QString& value)
{
    openSettingsStore()->setValue(QStringLiteral("Gui/") + QLatin1String(key), value);
}

void announce(const QString& newest, const QString& whatsNew)
{
    const QString question =
        whatsNew.trimmed().isEmpty()
            ? QStringLiteral("Chess Quorvin ") + newest +
                  QStringLiteral(" is available. Would you like to download it right now?")
            : whatsNew;
    if (showMessage(question, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes)
        platform().openUrl(WebSite() + QStringLiteral("/download.jsp"));
    else
        Cfg.UpgradeVer = newest;
}

} // namespace

QString TipText(int index)
{
    const int wrapped = ((index - 1) % TipCount + TipCount) % TipCount;
    return QStringLiteral("        ") + QString::fromUtf8(Tips[wrapped]).replace(
                                            QLatin1Char('\n'), QStringLiteral("\r\n        "));
}

int SteppedTipIndex(int index, int step)
{
    const int next = index + step;
    if (next < 1)
        return TipCount;
    if (next > TipCount)
        return 1;
    return next;
}

QString AboutText()
{
    return QStringLiteral("Chess Quorvin ") + ProgramVersion +
           QStringLiteral("\r\n\r\nWritten by the Chess Quorvin developers; free to use and share.");
}

void mnHelpAbout_Click()
{
    showMessage(AboutText(), MsgButtons::Ok, MsgIcon::Information,
                QStringLiteral("About Chess Quorvin"));
}

double LeadingNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[0-9]*\\.?[0-9]+"));
    const QRegularExpressionMatch found = number.match(text);
    return found.hasMatch() ? found.captured().trimmed().toDouble() : 0.0;
}

bool UpdateCheckDue()
{
    return Cfg.UpgradeDate != QDate::currentDate().toString(Qt::ISODate);
}

void CheckForUpdate(bool manual)
{
    QString userId = openSettingsStore()->value(QStringLiteral("Gui/UserID")).toString();
    if (userId.isEmpty())
        userId = NewUserId();
    const QString url = WebSite() + QStringLiteral("/version.jsp?referer=quorvin&version=") +
                        ProgramVersion + QStringLiteral("&userid=") +
                        QString::fromLatin1(QUrl::toPercentEncoding(userId));
    platform().httpGet(url, UpdateTimeoutMs, [manual, userId](const QString& reply) {
        if (reply.isEmpty()) {
            if (manual)
                showMessage(QStringLiteral("Cannot access ") + DefaultAdvertLink +
                                QStringLiteral(". Please try again later."),
                            MsgButtons::Ok, MsgIcon::Exclamation);
            return;
        }
        storeGui("UserID", userId);
        HandleUpdateReply(reply, manual);
    });
}

void HandleUpdateReply(const QString& reply, bool manual)
{
    Cfg.UpgradeDate = QDate::currentDate().toString(Qt::ISODate);
    storeGui("UpgradeDate", Cfg.UpgradeDate);
    QStringList lines = reply.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    const QString newest = lines.value(0).trimmed();
    if (lines.size() >= 3) {
        Cfg.AdvertLink = lines[1].trimmed();
        Cfg.AdvertText = lines[2].trimmed();
        storeGui("AdvertLink", Cfg.AdvertLink);
        storeGui("AdvertText", Cfg.AdvertText);
    }
    if (lines.size() >= 4)
        UpdateFollowUpLink = lines[3].trimmed();

    const double offered = LeadingNumber(newest);
    const bool newer = offered > LeadingNumber(ProgramVersion) + 0.005 &&
                       (manual || offered > LeadingNumber(Cfg.UpgradeVer) + 0.005);
    if (!newer) {
        if (manual)
            showMessage(QStringLiteral("No new version of Chess Quorvin detected."),
                        MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    platform().httpGet(WebSite() + QStringLiteral("/whatsnew.txt"), UpdateTimeoutMs,
                       [newest](const QString& whatsNew) { announce(newest, whatsNew); });
}
