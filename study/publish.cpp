#include "study/publish.h"

#include "core/gamerecord.h"
#include "files/captions.h"
#include "files/positions.h"
#include "kessrin.h"
#include "shell/platform.h"
#include "shell/settings.h"

#include <QRegularExpression>

namespace {

const QString ShareText = QStringLiteral(
    "Chess Quorvin: A free, powerful chess software to play, study, edit and publish games");
const QString CopiedMessage =
    QStringLiteral("The game was copied to the clipboard. Press Ctrl+V to paste it.");
const QString Q = QStringLiteral("\"");
const QString CrLf = QStringLiteral("\r\n");

QString address(const char* base, const char* path)
{
    return QString::fromLatin1(base) + QString::fromLatin1(path);
}

void showInformation(const QString& text)
{
    showMessage(text, MsgButtons::Ok, MsgIcon::Information);
}

bool isHtml(int format)
{
    return format == FormatHtmlCode || format == FormatHtmlContent;
}

// Builds one publication. Text from the game and from the update check is escaped in the HTML
// formats, so a "<" in a tag or comment shows as itself instead of opening markup.
class Publication {
public:
    explicit Publication(int format)
        : format(format), lineEnd(isHtml(format) ? QStringLiteral("<br>\r\n") : CrLf)
    {
    }

    QString build(bool positionOnly)
    {
        header();
        if (positionOnly) {
            position();
        } else {
            if (isHtml(format))
                flashBoard();
            wholeGame();
        }
        promotionLine();
        return text;
    }

private:
    QString shown(const QString& raw) const { return isHtml(format) ? raw.toHtmlEscaped() : raw; }
    void line(const QString& content) { text += content + lineEnd; }
    // Every kind of line break written as the format's line end.
    QString withLineEnds(const QString& raw) const
    {
        static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
        QString result = shown(raw);
        result.replace(breaks, lineEnd);
        return result;
    }

    void header()
    {
        // The players' caption stands alone ("(In progress)") when a name is missing; the
        // result already ends the moves, so only a caption that names the players heads them.
        const bool named = !Game.TagWhite.isEmpty() && !Game.TagBlack.isEmpty();
        for (const QString& caption : {EventCaption(), named ? PlayersCaption() : QString(),
                                       SiteDateCaption(), OpeningCaption()})
            if (!caption.isEmpty())
                line(shown(caption));
    }

    void position()
    {
        const QString fen = CurrentFen();
        switch (format) {
        case FormatPlainText:
            text += TextDiagram(Game.Board);
            line(QStringLiteral("# ") + fen);
            break;
        case FormatBBCode:
            line(QStringLiteral("[img]") + PictureUrl(fen) + QStringLiteral("[/img]"));
            line(QStringLiteral("# [url=") + FenViewerUrl(fen) + QLatin1Char(']') + fen +
                 QStringLiteral("[/url]"));
            break;
        default:
            line(QStringLiteral("<img src=") + Q + PictureUrl(fen) + Q + QLatin1Char('>'));
            fenLink(fen);
            break;
        }
    }

    void fenLink(const QString& fen)
    {
        line(QStringLiteral("# <a href=") + Q + FenViewerUrl(fen) + Q + QLatin1Char('>') +
             shown(fen) + QStringLiteral("</a>"));
    }

    void flashBoard()
    {
        QString variables;
        if (!Game.StandardStart)
            variables += QStringLiteral("Position=") + UrlEncode(Game.StartFen) + QLatin1Char('&');
        variables += QStringLiteral("MoveList=");
        for (int ply = 1; ply <= Game.PlyCount; ++ply) {
            // The board takes from and to squares only.
            const QString coord = QString::fromStdString(MoveToCoord(Game.Moves[ply], false));
            variables += UrlEncode(coord.left(4) + QLatin1Char(' '));
        }
        line(QStringLiteral("<embed src=") + Q + WebSite() + QStringLiteral("/FlashBoard.swf") + Q +
             QStringLiteral(" width=") + Q + QStringLiteral("246") + Q +
             QStringLiteral(" height=") + Q + QStringLiteral("270") + Q + QStringLiteral(" type=") +
             Q + QStringLiteral("application/x-shockwave-flash") + Q +
             QStringLiteral(" pluginspage=") + Q +
             address(WebAddress::FlashPlayer, "/go/getflashplayer") + Q +
             QStringLiteral(" allowScriptAccess=") + Q + QStringLiteral("always") + Q +
             QStringLiteral(" quality=") + Q + QStringLiteral("high") + Q +
             QStringLiteral(" wmode=") + Q + QStringLiteral("transparent") + Q +
             QStringLiteral(" flashvars=") + Q + variables + Q + QLatin1Char('>'));
    }

    void startPosition()
    {
        const QString& fen = Game.StartFen;
        switch (format) {
        case FormatPlainText: {
            RulesBoard start{};
            KessrinFen2Board(start, fen.toStdString());
            text += TextDiagram(start);
            line(QStringLiteral("# ") + fen);
            break;
        }
        case FormatBBCode:
            line(QStringLiteral("[img]") + PictureUrl(fen) + QStringLiteral("[/img]"));
            line(QStringLiteral("# [url=") + FenViewerUrl(fen) + QLatin1Char(']') + fen +
                 QStringLiteral("[/url]"));
            break;
        default:
            fenLink(fen);
            break;
        }
    }

    void comment(const QString& raw)
    {
        line(QLatin1Char('{') + withLineEnds(raw) + QLatin1Char('}'));
    }

    void wholeGame()
    {
        if (!Game.StandardStart)
            startPosition();
        if (format == FormatBBCode)
            text += QStringLiteral("[color=#003333]");
        else if (isHtml(format))
            text += QStringLiteral("<font color=") + Q + QStringLiteral("#003333") + Q +
                    QLatin1Char('>');
        if (!Game.MoveComment[0].isEmpty())
            comment(Game.MoveComment[0]);

        int number = Game.StartMoveNumber;
        int side = Game.StartSide;
        bool numbered = true;
        for (int ply = 1; ply <= Game.PlyCount; ++ply) {
            if (numbered)
                text += QLatin1Char(' ') + QString::number(number) +
                        (side == White ? QStringLiteral(".") : QStringLiteral("..."));
            text += QLatin1Char(' ') + Game.MoveSan[ply] + AnnotationSymbol(Game.MoveNag[ply]);
            if (side == Black) {
                text += lineEnd;
                numbered = true;
            } else {
                numbered = false;
            }
            if (!Game.MoveComment[ply].isEmpty()) {
                if (!numbered)
                    text += lineEnd;
                comment(Game.MoveComment[ply]);
                numbered = true;
            }
            side = 1 - side;
            if (side == White)
                ++number;
        }

        static const char* const results[] = {" *", " 1-0", " 1/2-1/2", " 0-1"};
        const int result = Game.GameResult >= ResultNone && Game.GameResult <= ResultBlackWins
                               ? Game.GameResult
                               : ResultNone;
        line(QString::fromLatin1(results[result]));
        if (format == FormatBBCode)
            text += QStringLiteral("[/color]");
        else if (isHtml(format))
            text += QStringLiteral("</font>");
        line(QString(33, QLatin1Char('=')));
    }

    void promotionLine()
    {
        const QString& link = Cfg.AdvertLink;
        // A link that already names its scheme keeps it; "https://" included.
        const bool hasScheme = link.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive) ||
                               link.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive);
        const QString target = hasScheme ? link : QStringLiteral("http://") + link;
        text += QStringLiteral("# ") + shown(Cfg.AdvertText) + QLatin1Char(' ');
        switch (format) {
        case FormatPlainText:
            text += link;
            break;
        case FormatBBCode:
            text += QStringLiteral("[url=") + target + QLatin1Char(']') + link +
                    QStringLiteral("[/url]");
            break;
        default:
            text += QStringLiteral("<a href=") + Q + shown(target) + Q + QLatin1Char('>') +
                    shown(link) + QStringLiteral("</a>");
            break;
        }
    }

    int format;
    QString lineEnd;
    QString text;
};

} // namespace

QString UrlEncode(const QString& text)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    QString encoded;
    for (const char byte : text.toUtf8()) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '*' || c == '-' || c == '.' || c == '@' || c == '_') {
            encoded += QLatin1Char(static_cast<char>(c));
        } else if (c == ' ') {
            encoded += QLatin1Char('+');
        } else {
            encoded += QLatin1Char('%');
            encoded += QLatin1Char(Hex[c >> 4]);
            encoded += QLatin1Char(Hex[c & 15]);
        }
    }
    return encoded;
}

QString WebSite()
{
    // The default "SiteBase" is the local folder of help pages, which no reader of a published
    // text can reach.
    const QString& base = Cfg.SiteBase;
    if (base.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive) ||
        base.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive))
        return base;
    return QString::fromLatin1(WebAddress::Site);
}

QString PictureUrl(const QString& fen)
{
    return WebSite() + QStringLiteral("/board/?fen=") + UrlEncode(fen) + QStringLiteral("&size=") +
           QString::number(Cfg.Size);
}

QString FenViewerUrl(const QString& fen)
{
    return WebSite() + QStringLiteral("/fen/?fen=") + UrlEncode(fen);
}

QString DatabaseUrl(const QString& key, const QString& value)
{
    return WebSite() + QStringLiteral("/base/?") + key + QLatin1Char('=') + value;
}

QString PublishHelpUrl(const QString& fragment)
{
    QString url = Cfg.SiteBase + QStringLiteral("/help/publish.htm");
    if (!fragment.isEmpty())
        url += QLatin1Char('#') + fragment;
    return url;
}

QString PostingPageUrl(int location)
{
    switch (location) {
    case LocationBlogger:
        return address(WebAddress::Blogger, "/home");
    case LocationWordPress:
        return address(WebAddress::WordPress, "/wp-admin/");
    case LocationFacebook:
        return address(WebAddress::Facebook, "/notes.php");
    case LocationYahooAnswers:
        return address(WebAddress::YahooAnswers, "/question/ask");
    default:
        return {};
    }
}

int FormatForLocation(int location, int format)
{
    switch (location) {
    case LocationBlogger:
    case LocationWordPress:
        return FormatHtmlContent;
    case LocationFacebook:
    case LocationYahooAnswers:
        return FormatPlainText;
    default:
        return format;
    }
}

QString PublishText(int format, bool positionOnly)
{
    return Publication(format).build(positionOnly);
}

void PublishGame()
{
    const int format = Cfg.Format;
    const QString text = PublishText(format, Cfg.Content);
    if (format == FormatHtmlContent)
        // Plain-text targets get the same publication as plain text, diagram included.
        platform().setClipboardHtml(text, PublishText(FormatPlainText, Cfg.Content));
    else
        platform().setClipboardText(text);
    if (const QString page = PostingPageUrl(Cfg.Location); !page.isEmpty())
        platform().openUrl(page);
    showInformation(CopiedMessage);
}

void ShareLink(int service, const QString& text, const QString& url)
{
    switch (service) {
    case ShareTwitter:
        platform().openUrl(address(WebAddress::Twitter, "/intent/tweet?text=") + UrlEncode(text) +
                           QStringLiteral("&url=") + UrlEncode(url));
        break;
    case ShareFacebook:
        platform().openUrl(address(WebAddress::Facebook, "/sharer/sharer.php?u=") + UrlEncode(url));
        break;
    case ShareBlogger:
        platform().openUrl(address(WebAddress::Blogger, "/blog-this.g?n=") + UrlEncode(text) +
                           QStringLiteral("&u=") + UrlEncode(url));
        break;
    case ShareOther:
        platform().setClipboardText(text + QStringLiteral(" ") + CrLf + url);
        showInformation(QStringLiteral("The share link was copied to the clipboard. Press Ctrl+V "
                                       "to paste this link into any websites, forums or "
                                       "communities.\n\nThank you for your support of Chess "
                                       "Quorvin."));
        break;
    default:
        break;
    }
}

void PublishQuestion(const QString& text, const QString& fen, bool openAsk)
{
    RulesBoard board{};
    KessrinFen2Board(board, fen.toStdString());
    platform().setClipboardText(text + CrLf + TextDiagram(board) + QStringLiteral("=== ") +
                                Cfg.AdvertText + QLatin1Char(' ') + Cfg.AdvertLink +
                                QStringLiteral(" ==="));
    if (openAsk)
        platform().openUrl(PostingPageUrl(LocationYahooAnswers));
    showInformation(CopiedMessage);
}

void mnHelpShare_Click(int index)
{
    ShareLink(index, ShareText, WebSite() + QStringLiteral("/quorvin.htm"));
}

void mnSearchOpening_Click()
{
    // ECO codes need no encoding; a tag of another shape must not break the address.
    if (!Game.TagEco.isEmpty())
        platform().openUrl(DatabaseUrl(QStringLiteral("eco"), UrlEncode(Game.TagEco)));
}

void mnSearchPosition_Click()
{
    platform().openUrl(DatabaseUrl(QStringLiteral("position"), UrlEncode(CurrentFen())));
}

void mnSearchEndgame_Click()
{
    platform().openUrl(DatabaseUrl(QStringLiteral("endgame"), UrlEncode(CurrentFen())));
}

void mnEndgamesEndgames_Click()
{
    platform().openUrl(DatabaseUrl(QStringLiteral("endgame"), UrlEncode(Game.StartFen)));
}

void mnQuorvinBitmap_Click()
{
    platform().openUrl(PictureUrl(CurrentFen()));
    showInformation(QStringLiteral("Right click the picture in the browser, and you can copy or "
                                   "save it.\n\nYou can set the picture size in \"Publish "
                                   "Game\" dialog."));
}
