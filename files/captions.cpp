#include "files/captions.h"

#include "core/gamerecord.h"
#include "engine/enginestate.h"
#include "play/clocks.h"
#include "shell/parseclamped.h"
#include "shell/view.h"

QString EventCaption()
{
    QString text = Game.TagEvent;
    if (Game.TagRound.isEmpty())
        return text;
    if (!text.isEmpty())
        text += QStringLiteral(", ");
    if (ParseClamped(Game.TagRound, -32767, 32767) != 0)
        text += QStringLiteral("Round ") + Game.TagRound;
    else
        text += Game.TagRound;
    return text;
}

QString PlayersCaption()
{
    const int result = std::clamp(Game.GameResult, 0, 3);
    if (Game.TagWhite.isEmpty() || Game.TagBlack.isEmpty()) {
        static const char* const alone[] = {"(In progress)", "(White wins)", "(Draw)",
                                            "(Black wins)"};
        return QString::fromLatin1(alone[result]);
    }
    static const char* const separators[] = {" vs ", " 1-0 ", " 1/2-1/2 ", " 0-1 "};
    auto rated = [](const QString& name, const QString& elo) {
        return elo.isEmpty() ? name : name + QStringLiteral(" (") + elo + QLatin1Char(')');
    };
    return rated(Game.TagWhite, Game.TagWhiteElo) + QString::fromLatin1(separators[result]) +
           rated(Game.TagBlack, Game.TagBlackElo);
}

QString SiteDateCaption()
{
    if (!Game.TagDate.isEmpty())
        return QLatin1Char('(') + Game.TagSite + QStringLiteral(", ") + Game.TagDate +
               QLatin1Char(')');
    if (!Game.TagSite.isEmpty())
        return QLatin1Char('(') + Game.TagSite + QLatin1Char(')');
    return {};
}

QString OpeningCaption()
{
    QString text = Game.TagOpening;
    if (!Game.TagVariation.isEmpty()) {
        text += QStringLiteral(": ") + Game.TagVariation;
        if (!Game.TagSubVariation.isEmpty())
            text += QStringLiteral(", ") + Game.TagSubVariation;
    }
    if (!Game.TagEco.isEmpty())
        text += QStringLiteral(" (") + Game.TagEco + QLatin1Char(')');
    return text;
}

QString DefaultGameName()
{
    const QString event = EventCaption();
    return (event.isEmpty() ? QString() : event + QStringLiteral(" - ")) + PlayersCaption();
}

void RefreshGameCaptions()
{
    View& shown = view();
    const PlayerPicture white =
        Engine.EngineWhite ? PlayerPicture::WhiteEngine : PlayerPicture::WhitePiece;
    const PlayerPicture black =
        Engine.EngineBlack ? PlayerPicture::BlackEngine : PlayerPicture::BlackPiece;
    shown.setPlayerPictures(Game.Flipped ? white : black, Game.Flipped ? black : white);
    shown.setHeaderText(HeaderLabel::Event, EventCaption());
    shown.setHeaderText(HeaderLabel::Result, PlayersCaption());
    shown.setHeaderText(HeaderLabel::SiteDate, SiteDateCaption());
    shown.setHeaderText(HeaderLabel::Opening, OpeningCaption());
    // The label sets follow the orientation, so both clocks are shown again.
    ShowClock(White);
    ShowClock(Black);
}
