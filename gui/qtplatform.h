// The Platform of the running program, over Qt's widgets and desktop services.
#pragma once

#include "gui/espeakvoice.h"
#include "gui/sdlaudio.h"
#include "shell/platform.h"

#include <random>

class QtPlatform : public Platform {
public:
    QtPlatform();

    MsgAnswer messageBox(const MessageRequest& request) override;
    QString openFileDialog(const QString& title, const QString& filter) override;
    QString saveFileDialog(const QString& title, const QString& filter, const QString& initialName,
                           const QString& defaultExtension) override;
    QString browseFolder(const QString& title, const QString& startFolder) override;
    QString clipboardText() override;
    void setClipboardText(const QString& text) override;
    void setClipboardHtml(const QString& html, const QString& plainText) override;
    bool openUrl(const QString& url) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    double timeOfDay() override;
    void sleepMs(int milliseconds) override;
    void httpGet(const QString& url, int timeoutMs,
                 std::function<void(const QString&)> done) override;
    void waitForActivity(int maxMs, int descriptor) override;
    int processorCount() override;
    int randomInt(int low, int high) override;
    QSize screenSize() override;
    bool playSound(const QString& path) override { return audio.playSound(path); }
    void stopSound() override { audio.stopSound(); }
    bool playMusic(const QString& path) override { return audio.playMusic(path); }
    bool musicEnded() override { return audio.musicEnded(); }
    void replayMusic() override { audio.replayMusic(); }
    void closeMusic() override { audio.closeMusic(); }
    bool speechIdle() override { return voice.idle(); }
    void systemSound(MsgIcon kind) override;
    void speak(const QString& text) override { voice.speak(text); }

private:
    std::mt19937 random;
    // The folder of the last file chosen, where the next file dialog opens; the working folder
    // until then.
    QString lastFolder;
    SdlAudio audio;
    EspeakVoice voice{audio}; // after audio: it speaks through audio's device
};

// "Game files (*.pgn)|*.pgn|All files (*.*)|*.*" as a Qt dialog filter. "*.*" means every file.
QString qtFileFilter(const QString& filter);
