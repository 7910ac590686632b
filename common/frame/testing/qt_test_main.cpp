#include <gtest/gtest.h>

#include <QApplication>

#include "app_setup.h"

int main(int argc, char** argv) {
    // Test discovery runs this binary outside ctest's environment: stay off any display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // The same fonts and toolkit texts as the programs, so window tests measure what players see.
    tro::setUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
