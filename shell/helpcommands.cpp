#include "shell/helpcommands.h"

#include "shell/appstate.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <array>
#include <utility>

namespace {

// Public-domain sayings about the game, with the people they are attributed to.
constexpr std::array<std::pair<const char*, const char*>, QuoteCount> Quotes{{
    {"Chess is the gymnasium of the mind.", "Blaise Pascal"},
    {"The pawns are the soul of chess.", "Francois-Andre Danican Philidor"},
    {"Chess is the art of analysis.", "Mikhail Botvinnik"},
    {"Every chess master was once a beginner.", "Irving Chernev"},
    {"Help your pieces so they can help you.", "Paul Morphy"},
    {"When you see a good move, look for a better one.", "Emanuel Lasker"},
    {"Chess is a sea in which a gnat may drink and an elephant may bathe.", "Indian proverb"},
    {"The blunders are all there on the board, waiting to be made.", "Savielly Tartakower"},
    {"Chess is life.", "Bobby Fischer"},
    {"In life, as in chess, forethought wins.", "Charles Buxton"},
    {"The winner of the game is the player who makes the next-to-last mistake.",
     "Savielly Tartakower"},
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

QString HelpLink(const QString& command)
{
    static const std::pair<const char*, const char*> Paths[] = {
        {"mnHelpContents", "/help/help.htm"}, {"mnHelpHome", "/"},
        {"mnHelpEngines", "/engines.htm"},    {"mnHelpMobile", "/mobile.htm"},
        {"mnHelpBase", "/base/"},
    };
    for (const auto& [name, path] : Paths)
        if (command == QLatin1String(name))
            return Cfg.SiteBase + QLatin1String(path);
    if (command == QLatin1String("mnHelpSuggest"))
        return Cfg.SiteBase + QStringLiteral("/users/?cmd=suggest&referer=") + siteName();
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
