#include "form5.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <memory>

#include "submission_code.h"
#include "testing/fake_services.h"

namespace tro {
namespace {

struct Window {
    testing::FakeServices fake;
    std::unique_ptr<Form5> form;

    explicit Window(Date today, SubmissionInput input = {"lines", 2, 1234, {18, 5, 9}}) {
        fake.clock.set(today, {9, 0, 0});
        form = std::make_unique<Form5>(input, fake.services);
        form->show();
    }
    template <typename T = QPushButton>
    T* child(const char* name) {
        return form->findChild<T*>(QString::fromLatin1(name));
    }
    QComboBox* list(int i) {
        return child<QComboBox>(i == 0 ? "Combo1" : i == 1 ? "Combo2" : "Combo3");
    }
    // The date the lists show, "6 декабря 2026".
    QString date() {
        return list(0)->currentText() + " " + list(1)->currentText() + " " + list(2)->currentText();
    }
    void pick(const QString& date) {
        for (int i = 0; i < 3; ++i) {
            list(i)->setCurrentIndex(list(i)->findText(date.section(' ', i, i)));
        }
    }
    void code(const QString& name, std::deque<bool> answers) {
        child<QLineEdit>("Text2")->setText(name);
        fake.dialogs.yesNoAnswers = std::move(answers);
        QTest::mouseClick(child("Command1"), Qt::LeftButton);
    }
    bool coded() {
        const bool done = !child<QLineEdit>("Text1")->text().isEmpty();
        EXPECT_NE(child("Command1")->isEnabled(), done);
        EXPECT_EQ(child("Command3")->isEnabled(), done);
        EXPECT_EQ(child("Command4")->isEnabled(), done);
        return done;
    }
};

TEST(SubmissionWindow, DateListsRunToThisYearWithTodayPicked) {
    // A clock set before the first year still lists that year, and picks it.
    for (const auto& [today, picked] :
         {std::pair{Date{2026, 12, 6}, "6 декабря 2026"}, {Date{1999, 7, 4}, "4 июля 2005"}}) {
        Window w(today);
        EXPECT_EQ(w.date(), picked);
        EXPECT_EQ(w.list(0)->count() + w.list(1)->count(), 31 + 12);
        EXPECT_EQ(w.list(2)->itemText(0), "2005");
        EXPECT_EQ(w.list(2)->currentIndex(), w.list(2)->count() - 1);
    }
}

// A date that does not exist is reported; "No" to the question, or Enter in the name field,
// codes nothing; "Yes" codes name, date, result and hand-off time once, for the clipboard and
// a mail; without a mail program the player learns where to send the code by hand.
TEST(SubmissionWindow, CodesOnceAfterTheChecksAndAYes) {
    Window w({2026, 12, 6});
    w.pick("31 апреля 2020");
    w.code("Ann", {true});
    ASSERT_EQ(w.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.fake.dialogs.messages[0].text, "В апреле 30 дней!");
    EXPECT_TRUE(w.fake.dialogs.questions.empty());
    w.pick("29 февраля 2008");
    w.code("  Пётр Первый ", {false, false});
    w.child<QLineEdit>("Text2")->setFocus();
    QTest::keyClick(w.child<QLineEdit>("Text2"), Qt::Key_Return);
    EXPECT_EQ(w.fake.dialogs.questions.size(), 2u);
    EXPECT_TRUE(w.form->isVisible());
    EXPECT_FALSE(w.coded());
    w.code("  Пётр Первый ", {true});
    ASSERT_TRUE(w.coded());
    EXPECT_TRUE(w.child<QLineEdit>("Text2")->isReadOnly());
    const QString code = w.child<QLineEdit>("Text1")->text();
    EXPECT_EQ(w.form->code(), code);
    const auto decoded = Raskodirovka(code.toStdString());
    ASSERT_TRUE(std::holds_alternative<SubmissionRecord>(decoded));
    EXPECT_EQ(std::get<SubmissionRecord>(decoded),
              (SubmissionRecord{"Пётр Первый", "lines", 2, 1234, {2008, 2, 29}, {18, 5, 9}}));
    QTest::mouseClick(w.child("Command1"), Qt::LeftButton);  // coded only once
    EXPECT_EQ(w.fake.dialogs.questions.size(), 3u);
    QTest::mouseClick(w.child("Command3"), Qt::LeftButton);
    EXPECT_EQ(w.fake.clipboard.content, code);
    QTest::mouseClick(w.child("Command4"), Qt::LeftButton);
    EXPECT_EQ(w.fake.urls.opened,
              std::vector<QUrl>{submissionMailUrl(TRO_SUBMISSION_ADDRESS, code)});
    w.fake.urls.succeeds = false;
    QTest::mouseClick(w.child("Command4"), Qt::LeftButton);
    ASSERT_EQ(w.fake.dialogs.messages.size(), 2u);
    EXPECT_TRUE(w.fake.dialogs.messages[1].text.contains(TRO_SUBMISSION_ADDRESS));
}

TEST(SubmissionWindow, LeavingUncodedOrWithAResultTheCodeCannotCarryGivesTheCodeUp) {
    Window w({2026, 12, 6}, {"averyveryverylonggameid", 1, 10, {1, 2, 3}});
    w.code("Ann", {true});
    ASSERT_EQ(w.fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(w.fake.dialogs.messages[0].text.startsWith("Этот результат нельзя закодировать"));
    EXPECT_FALSE(w.coded());
    QTest::mouseClick(w.child("Command2"), Qt::LeftButton);
    EXPECT_FALSE(w.form->isVisible());
    EXPECT_EQ(w.form->result(), QDialog::Rejected);
    EXPECT_TRUE(w.form->code().isEmpty());
}

}  // namespace
}  // namespace tro
