// lorimel: the opening book editor. It finds its book, opening table and pictures beside its
// own executable.
#include "bookedit/ui/frmlorimel.h"
#include "gui/pieceimages.h"
#include "gui/qtplatform.h"
#include "shell/appstate.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chess Quorvin"));
    QApplication::setOrganizationName(QStringLiteral("Chess Quorvin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("lorimel"));

    QtPlatform desktop;
    setPlatform(&desktop);
    App.ProgramFolder = QCoreApplication::applicationDirPath();
    if (!App.ProgramFolder.endsWith(QLatin1Char('/')))
        App.ProgramFolder += QLatin1Char('/');
    LoadPieceImages();

    int status = 0;
    {
        frmLorimel window;
        window.show();
        window.Form_Load();
        status = QApplication::exec();
    }
    setPlatform(nullptr);
    return status;
}
