#include "gui/qtplatform.h"

#include "gui/topmost.h"
#include "shell/appstate.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSocketNotifier>
#include <QThread>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <optional>
#include <ctime>

QtPlatform::QtPlatform()
    : random(static_cast<unsigned>(
          std::chrono::steady_clock::now().time_since_epoch().count() ^
          static_cast<long long>(QTime::currentTime().msecsSinceStartOfDay())))
{
}

MsgAnswer QtPlatform::messageBox(const MessageRequest& request)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title);
    box.setText(request.text);
    switch (request.icon) {
    case MsgIcon::None:
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Picture: {
        QPixmap picture(App.ProgramFolder + QStringLiteral("IMAGES/") + request.picture);
        if (!picture.isNull())
            box.setIconPixmap(picture);
        break;
    }
    }
    switch (request.buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    applyTopMost(box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        // Closing a Yes/No box without choosing counts as the safe answer.
        return request.buttons == MsgButtons::Ok      ? MsgAnswer::Ok
               : request.buttons == MsgButtons::YesNo ? MsgAnswer::No
                                                      : MsgAnswer::Cancel;
    }
}

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(trailingPatterns);
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            if (pattern.trimmed() == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        entries << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtPlatform::openFileDialog(const QString& title, const QString& filter)
{
    QFileDialog dialog(QApplication::activeWindow(), title, lastFolder, qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    applyTopMost(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    lastFolder = dialog.directory().absolutePath();
    return dialog.selectedFiles().constFirst();
}

QString QtPlatform::saveFileDialog(const QString& title, const QString& filter,
                                   const QString& initialName, const QString& defaultExtension)
{
    QFileDialog dialog(QApplication::activeWindow(), title, lastFolder, qtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultExtension);
    dialog.selectFile(initialName);
    applyTopMost(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    lastFolder = dialog.directory().absolutePath();
    return dialog.selectedFiles().constFirst();
}

QString QtPlatform::browseFolder(const QString& title, const QString& startFolder)
{
    QFileDialog dialog(QApplication::activeWindow(), title, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    applyTopMost(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtPlatform::clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void QtPlatform::setClipboardText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

void QtPlatform::setClipboardHtml(const QString& html, const QString& plainText)
{
    auto* data = new QMimeData; // the clipboard takes ownership
    data->setHtml(html);
    data->setText(plainText);
    QGuiApplication::clipboard()->setMimeData(data);
}

bool QtPlatform::openUrl(const QString& url)
{
    const QUrl target = QFileInfo::exists(url) ? QUrl::fromLocalFile(url) : QUrl(url);
    return QDesktopServices::openUrl(target);
}

bool QtPlatform::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

double QtPlatform::timeOfDay()
{
    // The C library reads the time-zone rules once; the clock is asked on every main-loop pass
    // and every engine line, where re-checking the zone file each time would cost.
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + now.tv_nsec / 1e9;
}

void QtPlatform::systemSound(MsgIcon /*kind*/)
{
    // The desktop offers one alert sound to programs; it is silent where the desktop has none.
    QApplication::beep();
}

void QtPlatform::sleepMs(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void QtPlatform::waitForActivity(int maxMs, int descriptor)
{
    // One pass of the event loop that may block: a window event, the engine's output or the
    // timer wakes it, whichever comes first.
    QTimer timeout;
    timeout.setSingleShot(true);
    timeout.start(maxMs);
    std::optional<QSocketNotifier> output;
    if (descriptor >= 0)
        output.emplace(static_cast<qintptr>(descriptor), QSocketNotifier::Read);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtPlatform::httpGet(const QString& url, int timeoutMs,
                         std::function<void(const QString&)> done)
{
    static QNetworkAccessManager* network = new QNetworkAccessManager(qApp);
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* reply = network->get(request);
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done = std::move(done)] {
        const bool fetched = reply->error() == QNetworkReply::NoError;
        const QString body = fetched ? QString::fromUtf8(reply->readAll()) : QString();
        reply->deleteLater();
        done(body);
    });
}

int QtPlatform::processorCount()
{
    return QThread::idealThreadCount();
}

int QtPlatform::randomInt(int low, int high)
{
    if (high <= low)
        return low;
    return std::uniform_int_distribution<int>(low, high)(random);
}

QSize QtPlatform::screenSize()
{
    QWidget* window = QApplication::activeWindow();
    QScreen* screen =
        window && window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}
