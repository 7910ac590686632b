#include "app_setup.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <memory>

namespace tro {
namespace {

// The test main sets the application up as every program does.

TEST(AppSetup, ToolkitMenusSpeakRussianWhateverTheLocale) {
    QLineEdit line;
    QPlainTextEdit text;
    const std::unique_ptr<QMenu> menus[] = {
        std::unique_ptr<QMenu>(line.createStandardContextMenu()),
        std::unique_ptr<QMenu>(text.createStandardContextMenu())};
    const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    for (const auto& menu : menus) {
        ASSERT_FALSE(menu->actions().isEmpty());
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                // The shortcut after the tab keeps its key names ("Ctrl+A").
                const QString words = action->text().section(QLatin1Char('\t'), 0, 0);
                EXPECT_FALSE(words.contains(latin)) << words.toStdString();
            }
        }
    }
}

#ifndef _WIN32
TEST(AppSetup, WindowsFamiliesAreDrawnWithTheirMetricTwins) {
    const struct {
        QString family;
        const char* drawnWith;
    } cases[] = {
        {kSansFamily, "Liberation Sans"},
        {kMonoFamily, "Liberation Mono"},
        {QStringLiteral("Arial"), "Liberation Sans"},
        {QApplication::font().family(), "Liberation Sans"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QFontInfo(QFont(c.family, 10)).family().toStdString(), c.drawnWith)
            << c.family.toStdString();
    }
}
#endif

TEST(AppSetup, AMessageBoxWithoutTitleTakesItsWindowsTitleNeverTheFileName) {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Лайнс"));
    QWidget child(&window);
    const QWidget untitled;
    EXPECT_EQ(dialogTitle(QStringLiteral("Свой"), &child), QStringLiteral("Свой"));
    EXPECT_EQ(dialogTitle({}, &child), QStringLiteral("Лайнс"));
    EXPECT_EQ(dialogTitle({}, &untitled), kSuiteTitle);
    EXPECT_EQ(dialogTitle({}, nullptr), kSuiteTitle);
}

}  // namespace
}  // namespace tro
