#include "shell/helpcommands.h"

#include "shell/appstate.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <array>
#include <utility>

namespace {

// Sayings about the game by authors long out of copyright, or proverbs, with their attribution.
constexpr std::array<std::pair<const char*, const char*>, QuoteCount> Quotes{{
    {"Chess is the gymnasium of the mind.", "Blaise Pascal"},
    {"The pawns are the soul of chess.", "Francois-Andre Danican Philidor"},
    {"Chess is the touchstone of intellect.", "Johann Wolfgang von Goethe"},
    {"The game of chess is not merely an idle amusement.", "Benjamin Franklin"},
    {"Help your pieces so they can help you.", "Paul Morphy"},
    {"When you see a good move, look for a better one.", "Emanuel Lasker"},
    {"Chess is a sea in which a gnat may drink and an elephant may bathe.", "Indian proverb"},
    {"Chess is so inspiring that I do not believe a good player is capable of having an evil "
     "thought during the game.",
     "Wilhelm Steinitz"},
    {"Chess, like love, like music, has the power to make men happy.", "Siegbert Tarrasch"},
    {"In life, as in chess, forethought wins.", "Charles Buxton"},
    {"The hardest game to win is a won game.", "Emanuel Lasker"},
    {"Life is like a game of chess, changing with each move.", "Chinese proverb"},
}};

QString siteName()
{
    return QStringLiteral("quorvin");
}

} // namespace

QString QuoteText(int number)
{
    const auto& [saying, who] = Quotes[static_cast<std::size_t>((number - 1 + QuoteCount) % QuoteCount)];
    return QString::fromUtf8(saying) + QStringLiteral("\r\n\r\n    -- ") + QString::fromUtf8(who);
}

void mnHelpQuote_Click()
{
    showMessage(QuoteText(platform().randomInt(1, QuoteCount)), MsgButtons::Ok,
                MsgIcon::Information, QStringLiteral("Quote"));
}

namespace {

// A folder of the site kept in the program folder has no server to answer for it: its page is
// index.htm, and a query means nothing to a file.
QString localPage(const QString& link)
{
    if (!link.startsWith(QLatin1String("file:")))
        return link;
    QString page = link.left(link.indexOf(QLatin1Char('?')) < 0 ? link.size()
                                                                  : link.indexOf(QLatin1Char('?')));
    if (page.endsWith(QLatin1Char('/')))
        page += QStringLiteral("index.htm");
    return page;
}

} // namespace

QString HelpLink(const QString& command)
{
    static const std::pair<const char*, const char*> Paths[] = {
        {"mnHelpContents", "/help/help.htm"}, {"mnHelpHome", "/"},
        {"mnHelpEngines", "/engines.htm"},    {"mnHelpMobile", "/mobile.htm"},
        {"mnHelpBase", "/base/"},
    };
    for (const auto& [name, path] : Paths)
        if (command == QLatin1String(name))
            return localPage(Cfg.SiteBase + QLatin1String(path));
    if (command == QLatin1String("mnHelpSuggest"))
        return localPage(Cfg.SiteBase + QStringLiteral("/users/?cmd=suggest&referer=") +
                         siteName());
    return {};
}

void OpenHelpLink(const QString& command)
{
    const QString link = HelpLink(command);
    if (!link.isEmpty())
        platform().openUrl(link);
}

void mnQuorvinBook_Click()
{
    platform().startDetached(App.ProgramFolder + QStringLiteral("lorimel"), {});
}
