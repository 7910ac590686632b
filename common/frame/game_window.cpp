#include "game_window.h"

#include <QApplication>
#include <QCloseEvent>

#include "app_setup.h"
#include "platform_services.h"

namespace tro {

GameWindow::GameWindow(GameFrame& frame, QWidget* parent) : QWidget(parent), frame_(frame) {}

void GameWindow::finish(const QString& title, const QString& message, int result) {
    if (frame_.handedOff()) {
        return;
    }
    frame_.services().dialogs.message(title, message, MessageIcon::Information);
    frame_.handOffResult(result);
}

void GameWindow::finishWithoutResult(const QString& title, const QString& message) {
    if (frame_.handedOff()) {
        return;
    }
    if (!message.isEmpty()) {
        frame_.services().dialogs.message(title, message, MessageIcon::Information);
    }
    frame_.handOffWithoutResult();
}

void GameWindow::bindSwitch(QCheckBox* box, int slot) {
    box->setChecked(frame_.switchValue(slot));
    connect(box, &QCheckBox::clicked, this, [this, box, slot](bool on) {
        if (!frame_.setSwitch(slot, on)) {
            box->setChecked(!on);
        }
    });
}

void GameWindow::closeEvent(QCloseEvent* event) {
    frame_.handOffWithoutResult();
    event->accept();
}

int runGame(int argc, char** argv, const GameInfo& info,
            const std::function<std::unique_ptr<GameWindow>(GameFrame&)>& makeWindow) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    // Without a variant the game ends before anything is built or shown.
    if (!parseVariantArgument(arguments, info.variantCount)) {
        return 0;
    }
    QApplication app(argc, argv);
    setUpApplication();
    PlatformServices platform;
    GameFrame frame(info, platform.services());
    if (!frame.start(arguments)) {
        return 0;
    }
    auto window = makeWindow(frame);
    platform.dialogs().setParent(window.get());
    window->show();
    return QApplication::exec();
}

}  // namespace tro
