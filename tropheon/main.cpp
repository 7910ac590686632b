// The results manager: started by the player with an empty command line, or by a game with
// its hand-off text.

#include <QApplication>
#include <QScreen>

#include "app_setup.h"
#include "form1.h"
#include "platform_services.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tro::setUpApplication();
    // The program ends on its own terms: at once, or after the exit sound.
    QApplication::setQuitOnLastWindowClosed(false);
    tro::PlatformServices platform;
    tro::QtRecordWindows records(platform.services());

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const QString commandLine = arguments.join(QLatin1Char(' '));

    tro::Form1 window(platform.services(), records, ".");
    records.setProgress([&window] { window.showProgress(); });
    if (!window.load(commandLine)) {
        return 0;
    }
    platform.dialogs().setParent(&window);
    records.setParent(&window);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
    window.show();
    return QApplication::exec();
}
