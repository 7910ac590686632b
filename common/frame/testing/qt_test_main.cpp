#include <gtest/gtest.h>

#include <QApplication>

#include "app_setup.h"

namespace {

void setByDefault(const char* name, const QByteArray& value) {
    if (qEnvironmentVariableIsEmpty(name)) {
        qputenv(name, value);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // The environment of every window test is set here, not by ctest: test discovery runs
    // this binary outside ctest's environment, and Wine hands none of the host's QT_
    // variables on. What the caller set stays.
    setByDefault("QT_QPA_PLATFORM", "offscreen");
    setByDefault("XDG_RUNTIME_DIR", TRO_TEST_RUNTIME_DIR);
    setByDefault("QT_LOGGING_RULES", "qt.qpa.*=false");
#ifdef _WIN32
    // There the offscreen platform draws with the fonts of one folder: under Wine the host's
    // free fonts of the Windows fonts' metrics, else Windows' own.
#ifdef TRO_TEST_FONTDIR
    setByDefault("QT_QPA_FONTDIR", TRO_TEST_FONTDIR);
#else
    setByDefault("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
#endif
#endif
    QApplication app(argc, argv);
    // The same fonts and toolkit texts as the programs, so window tests measure what players see.
    tro::setUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
