// A scripted Platform: records every call with its texts and answers from queues.
#pragma once

#include "shell/platform.h"

#include <algorithm>
#include <deque>
#include <utility>
#include <vector>

struct RecordedDialog {
    QString kind; // "open", "save", "folder"
    QString title;
    QString filter;
    QString initialName;
    QString defaultExtension;
};

class FakePlatform : public Platform {
public:
    FakePlatform();
    ~FakePlatform() override;

    MsgAnswer messageBox(const MessageRequest& request) override;
    QString openFileDialog(const QString& title, const QString& filter) override;
    QString saveFileDialog(const QString& title, const QString& filter, const QString& initialName,
                           const QString& defaultExtension) override;
    QString browseFolder(const QString& title, const QString& startFolder) override;
    QString clipboardText() override { return clipboard; }
    void setClipboardText(const QString& text) override;
    void setClipboardHtml(const QString& html, const QString& plainText) override;
    bool openUrl(const QString& url) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    double timeOfDay() override;
    void sleepMs(int milliseconds) override;
    // Answers from pages (the first whose key starts the address), else ""; at once.
    void httpGet(const QString& url, int timeoutMs,
                 std::function<void(const QString&)> done) override;
    // Nothing ever arrives: the wait lasts its whole time.
    void waitForActivity(int maxMs, int descriptor) override;
    int processorCount() override { return processors; }
    int randomInt(int low, int high) override;
    QSize screenSize() override { return screen; }
    bool playSound(const QString& path) override;
    void stopSound() override { ++soundStops; }
    bool playMusic(const QString& path) override;
    bool musicEnded() override { return !music.isEmpty() && musicFinished; }
    void replayMusic() override;
    void closeMusic() override;
    bool speechIdle() override { return !speaking; }
    void systemSound(MsgIcon kind) override { systemSounds.push_back(kind); }
    void speak(const QString& text) override;

    // Answers, taken from the front; an empty queue answers Ok/No-like defaults.
    std::deque<MsgAnswer> answers;
    std::deque<QString> fileAnswers;
    std::deque<int> randomAnswers;
    bool openUrlSucceeds = true;
    bool startSucceeds = true;

    // What happened.
    std::vector<MessageRequest> messages;
    std::vector<RecordedDialog> dialogs;
    std::vector<QString> openedUrls;
    std::vector<std::pair<QString, QString>> pages; // address prefix, body
    std::vector<QString> fetchedUrls;
    std::vector<QStringList> startedPrograms; // program followed by its arguments
    QString clipboard;
    QString clipboardHtml;
    int sleptMs = 0;
    int sleepCalls = 0;
    int idleWaits = 0; // calls of waitForActivity
    // Audio: files played, in order; the open music ("" none) and whether it reached its end.
    std::vector<QString> soundsPlayed;
    int soundStops = 0;
    std::vector<QString> musicPlayed;
    std::vector<MsgIcon> systemSounds;
    bool speaking = false; // a voice is busy: the demonstration and the engine wait
    QString music;
    bool musicFinished = false;
    int musicReplays = 0;
    bool audioSucceeds = true;
    // Speech: every text asked for, in order; with voiceSpeaks a text keeps the voice busy until
    // a test clears speaking, and "" always silences it.
    std::vector<QString> spoken;
    bool voiceSpeaks = false;

    // The clock: a fixed time of day that sleeping advances, and that tests set freely.
    double clock = 12 * 3600.0;
    int processors = 4;
    QSize screen{1920, 1080};

    // The text of the most recent message box, or "" when none was shown.
    QString lastMessage() const { return messages.empty() ? QString() : messages.back().text; }

private:
    Platform* previous;
};
