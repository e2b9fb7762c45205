// Everything that blocks, leaves the process or depends on the desktop goes through Platform, so
// that tests can script the user's answers and read the exact texts the user would have seen.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

extern const QString AppTitle; // "Chess Quorvin"

enum class MsgIcon { None, Exclamation, Question, Information, Picture };
enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    QString title = AppTitle;
    QString picture; // program folder picture file shown instead of a standard icon
};

class Platform {
public:
    virtual ~Platform() = default;

    // Modal message box owned by the active window.
    virtual MsgAnswer messageBox(const MessageRequest& request) = 0;
    // Open dialog; filter is "description|pattern|description|pattern...". "" when cancelled.
    virtual QString openFileDialog(const QString& title, const QString& filter) = 0;
    // Save dialog with the initial name; asks before overwriting; "" when cancelled.
    virtual QString saveFileDialog(const QString& title, const QString& filter,
                                   const QString& initialName, const QString& defaultExtension) = 0;
    // Folder browser; "" when cancelled.
    virtual QString browseFolder(const QString& title, const QString& startFolder) = 0;

    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;
    // Rendered HTML on the clipboard, with a plain-text alternative for plain-text targets.
    virtual void setClipboardHtml(const QString& html, const QString& plainText) = 0;

    // Opens a web address or file with the desktop's default handler; false when that failed.
    virtual bool openUrl(const QString& url) = 0;
    // Fetches a web page without blocking; done gets its body, or "" when the page could not be
    // had within timeoutMs. done runs later, from the event loop.
    virtual void httpGet(const QString& url, int timeoutMs,
                         std::function<void(const QString&)> done) = 0;
    // Starts a program without waiting for it; false when it could not be started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;

    // Local time of day in seconds since midnight, with fractions.
    virtual double timeOfDay() = 0;
    // Blocks the calling (only) thread.
    virtual void sleepMs(int milliseconds) = 0;
    // Blocks until window events arrive, the descriptor (-1: none) has input, or maxMs pass.
    virtual void waitForActivity(int maxMs, int descriptor) = 0;
    virtual int processorCount() = 0;
    // Uniform whole number in [low, high].
    virtual int randomInt(int low, int high) = 0;
    // Size of the screen the main window is on, in pixels.
    virtual QSize screenSize() = 0;

    // Plays a WAV file without waiting, cutting off the sound that plays; false when it cannot.
    virtual bool playSound(const QString& path) = 0;
    // Silences the sound effect that plays, if any.
    virtual void stopSound() = 0;
    // Closes the open music, then opens a MIDI file and plays it once; false when it cannot.
    virtual bool playMusic(const QString& path) = 0;
    // True while open music has played to its end (and not been replayed).
    virtual bool musicEnded() = 0;
    // Rewinds the open music to its start and plays it again.
    virtual void replayMusic() = 0;
    // Stops and releases the open music, if any.
    virtual void closeMusic() = 0;
    // True unless a voice is speaking.
    virtual bool speechIdle() = 0;
    // The desktop's alert sound for a kind of message, played before some message boxes.
    virtual void systemSound(MsgIcon kind) = 0;
    // Speaks text without waiting, cutting off what is being spoken; "" silences the voice.
    // Quietly does nothing without a working voice.
    virtual void speak(const QString& text) = 0;
};

// The program's one Platform; tests install a scripted one.
Platform& platform();
void setPlatform(Platform* instance);

// Convenience for the common boxes.
MsgAnswer showMessage(const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title = AppTitle);
