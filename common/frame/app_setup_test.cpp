#include "app_setup.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <memory>

namespace tro {
namespace {

// The test main sets the application up as every program does: the toolkit's menus speak
// Russian whatever the locale (a shortcut keeps its key names), the Windows font families are
// drawn with their metric twins, and a message box without a title takes its window's title,
// never the program file's name.
TEST(AppSetup, MenusFontsAndMessageTitlesAreTheSuites) {
    QLineEdit line;
    const std::unique_ptr<QMenu> menu(line.createStandardContextMenu());
    ASSERT_FALSE(menu->actions().isEmpty());
    for (const QAction* action : menu->actions()) {
        const QString words = action->text().section(QLatin1Char('\t'), 0, 0);
        EXPECT_FALSE(words.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
            << words.toStdString();
    }
#ifndef _WIN32
    for (const QString& family :
         {kSansFamily, QStringLiteral("Arial"), QApplication::font().family(), kMonoFamily}) {
        EXPECT_EQ(QFontInfo(QFont(family, 10)).family(),
                  family == kMonoFamily ? "Liberation Mono" : "Liberation Sans")
            << family.toStdString();
    }
#endif
    QWidget window;
    window.setWindowTitle(QStringLiteral("Лайнс"));
    QWidget child(&window);
    EXPECT_EQ(dialogTitle(QStringLiteral("Свой"), &child), QStringLiteral("Свой"));
    EXPECT_EQ(dialogTitle({}, &child), QStringLiteral("Лайнс"));
    EXPECT_EQ(dialogTitle({}, nullptr), kSuiteTitle);
}

}  // namespace
}  // namespace tro
