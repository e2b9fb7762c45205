#include "gui/qtplatform.h"
#include "gui/wiring.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chess Quorvin"));
    QApplication::setOrganizationName(QStringLiteral("Chess Quorvin"));
    QApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setDesktopFileName(QStringLiteral("veldran"));
    // Without a desktop session Qt knows no icon theme; the toolbar uses the freedesktop names.
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));

    QtPlatform desktop;
    setPlatform(&desktop);
    const int status = RunProgram(QApplication::arguments().mid(1));
    setPlatform(nullptr);
    return status;
}
