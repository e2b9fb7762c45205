#include "fake_platform.h"

FakePlatform::FakePlatform()
{
    // Install on construction so a test only has to declare one.
    setPlatform(this);
    previous = nullptr;
}

FakePlatform::~FakePlatform()
{
    setPlatform(previous);
}

MsgAnswer FakePlatform::messageBox(const MessageRequest& request)
{
    messages.push_back(request);
    if (!answers.empty()) {
        MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    switch (request.buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::YesNoCancel:
        return MsgAnswer::Cancel;
    }
    return MsgAnswer::Ok;
}

static QString takeFront(std::deque<QString>& queue)
{
    if (queue.empty())
        return {};
    QString answer = queue.front();
    queue.pop_front();
    return answer;
}

QString FakePlatform::openFileDialog(const QString& title, const QString& filter)
{
    dialogs.push_back({QStringLiteral("open"), title, filter, {}, {}});
    return takeFront(fileAnswers);
}

QString FakePlatform::saveFileDialog(const QString& title, const QString& filter,
                                     const QString& initialName, const QString& defaultExtension)
{
    dialogs.push_back({QStringLiteral("save"), title, filter, initialName, defaultExtension});
    return takeFront(fileAnswers);
}

QString FakePlatform::browseFolder(const QString& title, const QString& startFolder)
{
    dialogs.push_back({QStringLiteral("folder"), title, {}, startFolder, {}});
    return takeFront(fileAnswers);
}

void FakePlatform::setClipboardText(const QString& text)
{
    clipboard = text;
    clipboardHtml.clear();
}

void FakePlatform::setClipboardHtml(const QString& html, const QString& plainText)
{
    clipboardHtml = html;
    clipboard = plainText;
}

bool FakePlatform::openUrl(const QString& url)
{
    openedUrls.push_back(url);
    return openUrlSucceeds;
}

bool FakePlatform::startDetached(const QString& program, const QStringList& arguments)
{
    startedPrograms.push_back(QStringList{program} + arguments);
    return startSucceeds;
}

double FakePlatform::timeOfDay()
{
    return clock;
}

void FakePlatform::sleepMs(int milliseconds)
{
    sleptMs += milliseconds;
    ++sleepCalls;
    clock += milliseconds / 1000.0;
    if (clock >= 86400.0)
        clock -= 86400.0;
}

void FakePlatform::httpGet(const QString& url, int /*timeoutMs*/,
                           std::function<void(const QString&)> done)
{
    fetchedUrls.push_back(url);
    for (const auto& [prefix, body] : pages)
        if (url.startsWith(prefix)) {
            done(body);
            return;
        }
    done(QString());
}

void FakePlatform::waitForActivity(int maxMs, int /*descriptor*/)
{
    ++idleWaits;
    clock += maxMs / 1000.0;
    if (clock >= 86400.0)
        clock -= 86400.0;
}

int FakePlatform::randomInt(int low, int high)
{
    if (randomAnswers.empty())
        return low;
    int answer = randomAnswers.front();
    randomAnswers.pop_front();
    return std::clamp(answer, low, high);
}

bool FakePlatform::playSound(const QString& path)
{
    if (!audioSucceeds)
        return false;
    soundsPlayed.push_back(path);
    return true;
}

bool FakePlatform::playMusic(const QString& path)
{
    closeMusic();
    if (!audioSucceeds)
        return false;
    musicPlayed.push_back(path);
    music = path;
    return true;
}

void FakePlatform::replayMusic()
{
    if (music.isEmpty())
        return;
    musicFinished = false;
    ++musicReplays;
}

void FakePlatform::closeMusic()
{
    music.clear();
    musicFinished = false;
}

void FakePlatform::speak(const QString& text)
{
    spoken.push_back(text);
    if (text.isEmpty())
        speaking = false;
    else if (voiceSpeaks)
        speaking = true;
}
