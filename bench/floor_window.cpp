// The floor that the suite's start-up is measured against: the least a Qt Widgets program
// of this kind does before its window shows. One window with ten labels and ten buttons,
// nothing read, nothing played.
//
//   floor_window                 shows the window and waits to be closed
//   floor_window --start-other   shows the window, then hands over as a game does: writes a
//                                small file "floor.bol" in the current directory, starts a
//                                second floor_window (without arguments) detached with its
//                                output on the null device, and ends at once

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

constexpr int kRows = 10;

void startOtherAndEnd() {
    // The same steps as a game's hand-off: a short file written and closed, then the start.
    {
        std::ofstream mark("floor.bol", std::ios::binary | std::ios::trunc);
        mark << "floor handoff";
    }
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    process.setWorkingDirectory(QDir::currentPath());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    auto* grid = new QGridLayout(&window);
    for (int row = 0; row < kRows; ++row) {
        grid->addWidget(new QLabel(QStringLiteral("Label %1").arg(row + 1), &window), row, 0);
        grid->addWidget(new QPushButton(QStringLiteral("Button %1").arg(row + 1), &window), row, 1);
    }
    window.show();
    if (argc > 1 && QByteArray(argv[1]) == "--start-other") {
        QTimer::singleShot(0, &window, startOtherAndEnd);
    }
    return QApplication::exec();
}
