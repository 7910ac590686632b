#include "form5.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "submission_code.h"
#include "testing/fake_services.h"

namespace tro {
namespace {

// Today's date is picked in the lists, which run from 2005 to this year. A date that does
// not exist is reported; "No" to the question, or Enter in the name field, codes nothing;
// "Yes" codes name, date, result and hand-off time once, for the clipboard and a mail.
TEST(SubmissionWindow, CodesOnceAfterTheChecksAndAYes) {
    testing::FakeServices fake;
    Form5 w({"lines", 2, 1234, {18, 5, 9}}, fake.services);
    w.show();
    QComboBox* lists[] = {w.findChild<QComboBox*>("Combo1"), w.findChild<QComboBox*>("Combo2"),
                          w.findChild<QComboBox*>("Combo3")};
    const auto pick = [&](const QString& date) {
        for (int i = 0; i < 3; ++i) {
            lists[i]->setCurrentIndex(lists[i]->findText(date.section(' ', i, i)));
        }
    };
    auto* name = w.findChild<QLineEdit*>("Text2");
    auto* codeText = w.findChild<QLineEdit*>("Text1");
    auto* codeButton = w.findChild<QPushButton*>("Command1");
    const auto press = [&](const char* button) {
        QTest::mouseClick(w.findChild<QPushButton*>(button), Qt::LeftButton);
    };
    EXPECT_EQ(lists[0]->currentText() + lists[1]->currentText() + lists[2]->currentText() +
                  lists[2]->itemText(0) + lists[2]->itemText(lists[2]->count() - 1),
              "6декабря202620052026");
    pick("31 апреля 2020");
    name->setText("  Пётр Первый ");
    fake.dialogs.yesNoAnswers = {false, false, true};
    press("Command1");
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].text, "В апреле 30 дней!");
    pick("29 февраля 2008");
    press("Command1");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(std::tuple(fake.dialogs.questions.size(), w.isVisible(), codeText->text(),
                         codeButton->isEnabled()),
              std::tuple(2u, true, QString(), true));
    press("Command1");
    press("Command1");  // coded only once
    const QString code = codeText->text();
    EXPECT_EQ(std::tuple(w.code(), fake.dialogs.questions.size(), codeButton->isEnabled(),
                         name->isReadOnly()),
              std::tuple(code, 3u, false, true));
    EXPECT_EQ(std::get<SubmissionRecord>(Raskodirovka(code.toStdString())),
              (SubmissionRecord{"Пётр Первый", "lines", 2, 1234, {2008, 2, 29}, {18, 5, 9}}));
    press("Command3");
    press("Command4");
    press("Command2");
    EXPECT_EQ(fake.clipboard.content, code);
    EXPECT_EQ(fake.urls.opened, std::vector<QUrl>{submissionMailUrl(TRO_SUBMISSION_ADDRESS, code)});
    EXPECT_EQ(w.result(), QDialog::Accepted);
    // "Прогресс" is there when the manager gives the way to it.
    int opened = 0;
    Form5 withProgress({"lines", 2, 1234, {18, 5, 9}}, fake.services, nullptr, [&] { ++opened; });
    QTest::mouseClick(withProgress.findChild<QPushButton*>("Command5"), Qt::LeftButton);
    EXPECT_EQ(std::pair(opened, w.findChild<QPushButton*>("Command5") == nullptr),
              std::pair(1, true));
}

}  // namespace
}  // namespace tro
