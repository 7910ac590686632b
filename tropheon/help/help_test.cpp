#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <set>

#include "form3.h"
#include "form4.h"
#include "testing/fake_services.h"

namespace tro {
namespace {

using testing::FakeServices;

// The help walks through the program in the order a player meets it.
TEST(HelpWindow, TheTextCoversEveryTopicInOrder) {
    const QString text = helpText();
    const QStringList topics =
        QString(
            "реакции|«ИГРА»|двадцать лучших результатов|«Начать игру!»|нажмите OK|"
            "\nЗвуковые файлы.\n|«start*.wav»|«.wav»|\nУдаление результатов.\n|«DATA»|"
            "«users.dat»|" TRO_SUBMISSION_ADDRESS "|" TRO_WEB_ADDRESS "|" TRO_CONTACT_ADDRESS
            "|«Вопрос»")
            .split('|');
    qsizetype at = 0;
    for (const QString& topic : topics) {
        const qsizetype found = text.indexOf(topic, at);
        EXPECT_GE(found, at) << topic.toStdString();
        if (found >= 0) {
            at = found;
        }
    }
}

TEST(AboutWindow, ShowsEveryTextWholeAndTheContactLabelStartsAMail) {
    FakeServices fake;
    Form3 about(fake.services);
    about.show();
    for (QLabel* label : about.findChildren<QLabel*>()) {
        if (!label->wordWrap()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
    }
    auto* contact = about.findChild<QLabel*>("Label8");
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->text(), "E-mail: " TRO_CONTACT_ADDRESS);
    QTest::mouseClick(contact, Qt::LeftButton);
    EXPECT_EQ(fake.urls.opened, std::vector<QUrl>{QUrl("mailto:" TRO_CONTACT_ADDRESS)});
    EXPECT_TRUE(fake.dialogs.messages.empty());
    // With no mail program the address is shown, so the player can write by hand.
    fake.urls.succeeds = false;
    QTest::mouseClick(contact, Qt::LeftButton);
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(fake.dialogs.messages[0].text.contains(TRO_CONTACT_ADDRESS));
}

TEST(AboutWindow, TheEmblemIsAGoldenCupOnTheWindowColour) {
    FakeServices fake;
    Form3 about(fake.services);
    about.show();
    auto* emblem = about.findChild<QWidget*>("Picture1");
    ASSERT_NE(emblem, nullptr);
    const QImage image = emblem->grab().toImage();
    const QColor background(255, 255, 192);
    int gold = 0, other = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == background) {
                continue;
            }
            ++other;
            gold += c.red() > 180 && c.green() > 130 && c.blue() < 120 ? 1 : 0;
        }
    }
    const int area = image.width() * image.height();
    // The cup fills a good part of its picture and most of it is gold.
    EXPECT_GT(other, area / 5);
    EXPECT_GT(gold, other / 4);
    // The corners keep the window colour.
    EXPECT_EQ(image.pixelColor(0, 0), background);
    EXPECT_EQ(image.pixelColor(image.width() - 1, 0), background);
}

}  // namespace
}  // namespace tro
