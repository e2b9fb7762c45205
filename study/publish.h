// Publishing and sharing: the game or position as plain text, BBCode or HTML for the clipboard,
// links to a picture of the board, web searches for the opening, position or endgame, and share
// links for the outside services.
#pragma once

#include <QString>

// Base addresses. Only paths and query keys are appended to them. The program's own pages that
// other people must reach (pictures, FEN viewer, database, product page, the Flash board) live
// on the public web site; the help pages come from the configured "SiteBase".
namespace WebAddress {
inline constexpr const char* Site = "https://www.chessquorvin.example";
inline constexpr const char* Twitter = "https://twitter.com";
inline constexpr const char* Facebook = "https://www.facebook.com";
inline constexpr const char* Blogger = "https://www.blogger.com";
inline constexpr const char* WordPress = "https://wordpress.com";
inline constexpr const char* YahooAnswers = "https://answers.yahoo.com";
inline constexpr const char* FlashPlayer = "https://www.adobe.com";
} // namespace WebAddress

// Publishing formats ("Format") and target sites ("Location"), as the dialog lists them.
enum PublishFormatCode : int {
    FormatPlainText = 0,
    FormatBBCode = 1,
    FormatHtmlCode = 2,
    FormatHtmlContent = 3
};
enum PublishLocationCode : int {
    LocationBlogger = 0,
    LocationWordPress = 1,
    LocationFacebook = 2,
    LocationYahooAnswers = 3,
    LocationOther = 4
};
// Share services of ShareLink; 3 is the menu's separator line.
enum ShareService : int { ShareTwitter = 0, ShareFacebook = 1, ShareBlogger = 2, ShareOther = 4 };

// Query-value encoding: letters, digits and "*-.@_" kept, a blank as "+", every other byte of the
// UTF-8 text as "%" and two upper-case hexadecimal digits.
QString UrlEncode(const QString& text);
// The program's web site: "SiteBase" when it is a web address, the public site otherwise.
QString WebSite();
// Board picture of fen at the chosen picture size.
QString PictureUrl(const QString& fen);
// The web site's FEN viewer showing fen.
QString FenViewerUrl(const QString& fen);
// The game database page with one query key; value is placed as given.
QString DatabaseUrl(const QString& key, const QString& value);
// The publishing help page, optionally with a fragment ("location", "format").
QString PublishHelpUrl(const QString& fragment = {});
// The posting page of a target site; "" for (Other).
QString PostingPageUrl(int location);
// The format a newly chosen site asks for: HTML Content for the blogs, Plain Text for Facebook
// and Yahoo! Answers, format itself for (Other).
int FormatForLocation(int location, int format);

// The published text of the whole game or the shown position in one of the four formats.
QString PublishText(int format, bool positionOnly);
// Publishes with the dialog's choices: the text to the clipboard (rendered HTML for "HTML
// Content"), the site's posting page opened, and the closing message.
void PublishGame();

// Opens a service's share page for text and url; ShareOther copies both to the clipboard instead.
void ShareLink(int service, const QString& text, const QString& url);
// Copies a question with the diagram of fen and the program's line, and optionally opens the
// question site's ask page.
void PublishQuestion(const QString& text, const QString& fen, bool openAsk);

// Menu commands.
void mnHelpShare_Click(int index);
void mnSearchOpening_Click();
void mnSearchPosition_Click();
void mnSearchEndgame_Click();
void mnEndgamesEndgames_Click();
void mnQuorvinBitmap_Click();
