#include "shell/audio.h"

#include "shell/appstate.h"
#include "shell/media_catalog.h"
#include "shell/platform.h"
#include "shell/settings.h"
#include "shell/view.h"

#include <QFileInfo>

namespace {

bool isFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

QString text(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

constexpr int MusicPieceCount = static_cast<int>(media::musicBaseNames.size());

} // namespace

void PlaySoundName(const QString& name)
{
    if (!Cfg.Sounds || name.isEmpty())
        return;
    const QString path =
        App.ProgramFolder + text(media::soundsFolder) + name + QStringLiteral(".WAV");
    if (isFile(path))
        platform().playSound(path);
}

void SetMusic(int index)
{
    if (index < 0 || index > MusicPieceCount)
        index = 0;
    platform().closeMusic();
    if (index > 0 && !App.SecondInstance) {
        const QString path = App.ProgramFolder + text(media::musicFolder) +
                             text(media::musicBaseNames[static_cast<std::size_t>(index - 1)]) +
                             QStringLiteral(".MID");
        // A piece that is missing or cannot play stays silent, unreported.
        if (isFile(path))
            platform().playMusic(path);
    }
    Cfg.Music = static_cast<qint16>(index);
    view().tickOnly(QStringLiteral("mnOptionsMusic"), index);
}

void MusicTick()
{
    if (Cfg.Music > 0 && platform().musicEnded())
        platform().replayMusic();
}

void StopSound()
{
    platform().stopSound();
}

void CloseMusic()
{
    platform().closeMusic();
}
