// The test game. At start it reads "testgame.txt" in the current directory:
//   "result N"  hands off the result N at once;
//   "none"      hands off without a result at once;
// with no such file it shows an empty window, which hands off without a result once closed.

#include <QFile>
#include <QTimer>

#include "game_window.h"

namespace {

class TestGameWindow : public tro::GameWindow {
  public:
    explicit TestGameWindow(tro::GameFrame& gameFrame) : GameWindow(gameFrame) {
        setWindowTitle(QStringLiteral("Тестовая игра"));
        QFile script(QStringLiteral("testgame.txt"));
        if (script.open(QIODevice::ReadOnly)) {
            const QString order = QString::fromUtf8(script.readAll()).trimmed();
            QTimer::singleShot(0, this, [this, order] {
                if (order.startsWith(QStringLiteral("result "))) {
                    frame().handOffResult(order.mid(7).toInt());
                } else {
                    frame().handOffWithoutResult();
                }
            });
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    return tro::runGame(argc, argv, {"testgame", 3, 1}, [](tro::GameFrame& frame) {
        return std::make_unique<TestGameWindow>(frame);
    });
}
