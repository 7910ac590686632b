#include "form5.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <tuple>

#include "submission_code.h"
#include "testing/fake_services.h"

namespace tro {
namespace {

using testing::FakeServices;

template <typename T>
T* child(QWidget& window, const char* name) {
    auto* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

class Form5Test : public ::testing::Test {
  protected:
    std::unique_ptr<Form5> open(SubmissionInput input = {"lines", 2, 1234, {18, 5, 9}}) {
        auto window = std::make_unique<Form5>(input, fake.services);
        window->show();
        return window;
    }

    // Picks a date in the three lists by their texts.
    static void pickDate(Form5& w, const QString& day, const QString& month, const QString& year) {
        for (const auto& [list, text] :
             {std::pair{"Combo1", day}, std::pair{"Combo2", month}, std::pair{"Combo3", year}}) {
            auto* combo = child<QComboBox>(w, list);
            const int index = combo->findText(text);
            ASSERT_GE(index, 0) << text.toStdString();
            combo->setCurrentIndex(index);
        }
    }

    static void clickCode(Form5& w) {
        QTest::mouseClick(child<QPushButton>(w, "Command1"), Qt::LeftButton);
    }

    static void expectUncoded(Form5& w) {
        EXPECT_TRUE(child<QLineEdit>(w, "Text1")->text().isEmpty());
        EXPECT_TRUE(child<QPushButton>(w, "Command1")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w, "Command3")->isEnabled());
        EXPECT_FALSE(child<QPushButton>(w, "Command4")->isEnabled());
        EXPECT_EQ(child<QPushButton>(w, "Command2")->text(), "Выйти без кодирования результата.");
    }

    FakeServices fake;
};

TEST_F(Form5Test, DateListsRunToThisYearWithTodayPicked) {
    // Today; then the picked day, month and year, which is also the last year listed. A clock
    // set before the first year still lists that year.
    const std::vector<std::pair<Date, QString>> cases = {
        {{2026, 12, 6}, "6 декабря 2026"},
        {{2031, 1, 31}, "31 января 2031"},
        {{2005, 2, 28}, "28 февраля 2005"},
        {{1999, 7, 4}, "4 июля 2005"},
    };
    for (const auto& [today, picked] : cases) {
        fake.clock.set(today, {9, 0, 0});
        auto w = open();
        auto* days = child<QComboBox>(*w, "Combo1");
        auto* months = child<QComboBox>(*w, "Combo2");
        auto* years = child<QComboBox>(*w, "Combo3");
        EXPECT_EQ(days->count(), 31);
        EXPECT_EQ(months->count(), 12);
        EXPECT_EQ(years->itemText(0), "2005");
        EXPECT_EQ(days->currentText() + " " + months->currentText() + " " + years->currentText(),
                  picked);
        EXPECT_EQ(years->currentIndex(), years->count() - 1);
    }
}

TEST_F(Form5Test, ImpossibleDatesAndNamesAreReportedAndNothingIsCoded) {
    const QString feb29 = "В феврале не может быть более 29 дней";
    const QString symbols = "Имя не должно содержать символов <>@$#&~";
    const QString unknown = "Имя содержит неизвестные символы";
    // A date picked (none: today's), the name typed, and the message shown ("": none, the
    // question comes).
    const std::vector<std::tuple<QString, QString, QString>> cases = {
        {"30 февраля 2008", "Ann", feb29},
        {"31 февраля 2006", "Ann", feb29},
        {"31 апреля 2020", "Ann", "В апреле 30 дней!"},
        {"31 июня 2020", "Ann", "В июне 30 дней!"},
        {"31 сентября 2020", "Ann", "В сентябре 30 дней!"},
        {"31 ноября 2020", "Ann", "В ноябре 30 дней!"},
        {"29 февраля 2006", "Ann", "В феврале 2006 года только 28 дней"},
        {"29 февраля 2026", "Ann", "В феврале 2026 года только 28 дней"},
        {"29 февраля 2024", "Ann", ""},
        {"28 февраля 2006", "Ann", ""},
        {"30 апреля 2006", "Ann", ""},
        {"31 декабря 2026", "Ann", ""},
        {"", "  ", "Необходимо ввести имя"},
        {"", "#", symbols},
        {"", "Ivan<3", symbols},
        {"", "me@home", symbols},
        {"", "~Ёж~", symbols},
        {"", "Ив\tан", unknown},
        {"", "a\x1f", unknown},
        {"", "a\x7f", unknown},
        {"", "Snow☃", unknown},
        {"", "Anna-Maria O'Neil (2)", ""},
    };
    for (const auto& [date, name, message] : cases) {
        SCOPED_TRACE((date + "/" + name).toStdString());
        auto w = open();
        if (!date.isEmpty()) {
            const QStringList parts = date.split(' ');
            pickDate(*w, parts[0], parts[1], parts[2]);
        }
        child<QLineEdit>(*w, "Text2")->setText(name);
        fake.dialogs.messages.clear();
        fake.dialogs.questions.clear();
        fake.dialogs.yesNoAnswers = {false};
        clickCode(*w);
        ASSERT_EQ(fake.dialogs.messages.size(), message.isEmpty() ? 0u : 1u);
        EXPECT_EQ(fake.dialogs.questions.size(), message.isEmpty() ? 1u : 0u);
        if (!message.isEmpty()) {
            EXPECT_EQ(fake.dialogs.messages[0].title, date.isEmpty() ? "" : "Ошибка даты");
            EXPECT_EQ(fake.dialogs.messages[0].text, message);
        }
        expectUncoded(*w);
    }
}

TEST_F(Form5Test, NoToTheQuestionOrEnterLeavesTheWindowAsItWas) {
    auto w = open();
    auto* name = child<QLineEdit>(*w, "Text2");
    name->setText("Ann");
    name->setFocus();
    fake.dialogs.yesNoAnswers = {false, false};
    QTest::keyClick(name, Qt::Key_Return);  // Enter in the name field codes, never leaves
    clickCode(*w);
    ASSERT_EQ(fake.dialogs.questions.size(), 2u);
    EXPECT_EQ(fake.dialogs.questions[1].title, "");
    EXPECT_EQ(fake.dialogs.questions[1].text,
              "Вы уверены, что все правильно указали? Кодировка производится только один раз!");
    EXPECT_TRUE(w->isVisible());
    expectUncoded(*w);
    // Leaving without coding gives the code up.
    QTest::mouseClick(child<QPushButton>(*w, "Command2"), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_TRUE(w->code().isEmpty());
}

TEST_F(Form5Test, YesCodesNameDateResultAndTheHandOffTimeOnceForClipboardAndMail) {
    auto w = open({"lines", 2, 1234, {18, 5, 9}});
    pickDate(*w, "29", "февраля", "2008");
    child<QLineEdit>(*w, "Text2")->setText("  Пётр Первый ");
    fake.dialogs.yesNoAnswers = {true};
    clickCode(*w);
    EXPECT_TRUE(fake.dialogs.messages.empty());
    const QString code = child<QLineEdit>(*w, "Text1")->text();
    ASSERT_EQ(code.size(), 124);
    EXPECT_EQ(w->code(), code);
    const auto decoded = Raskodirovka(code.toStdString());
    ASSERT_TRUE(std::holds_alternative<SubmissionRecord>(decoded));
    EXPECT_EQ(std::get<SubmissionRecord>(decoded),
              (SubmissionRecord{"Пётр Первый", "lines", 2, 1234, {2008, 2, 29}, {18, 5, 9}}));

    EXPECT_FALSE(child<QPushButton>(*w, "Command1")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*w, "Command3")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*w, "Command4")->isEnabled());
    EXPECT_EQ(child<QPushButton>(*w, "Command2")->text(), "Выход");
    EXPECT_TRUE(child<QLineEdit>(*w, "Text2")->isReadOnly());

    // A second press does nothing: the result is coded only once.
    clickCode(*w);
    EXPECT_EQ(fake.dialogs.questions.size(), 1u);
    EXPECT_EQ(child<QLineEdit>(*w, "Text1")->text(), code);

    // The code goes to the clipboard and into a mail.
    QTest::mouseClick(child<QPushButton>(*w, "Command3"), Qt::LeftButton);
    EXPECT_EQ(fake.clipboard.content, code);
    QTest::mouseClick(child<QPushButton>(*w, "Command4"), Qt::LeftButton);
    EXPECT_EQ(fake.urls.opened, std::vector<QUrl>{submissionMailUrl(TRO_SUBMISSION_ADDRESS, code)});
    EXPECT_TRUE(fake.dialogs.messages.empty());
    // Without a mail program the player learns how to send the code by hand.
    fake.urls.succeeds = false;
    QTest::mouseClick(child<QPushButton>(*w, "Command4"), Qt::LeftButton);
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(fake.dialogs.messages[0].text.contains(TRO_SUBMISSION_ADDRESS));
}

TEST_F(Form5Test, AResultTheCodeCannotCarryIsReportedNotCoded) {
    auto w = open({"averyveryverylonggameid", 1, 10, {1, 2, 3}});
    child<QLineEdit>(*w, "Text2")->setText("Ann");
    fake.dialogs.yesNoAnswers = {true};
    clickCode(*w);
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(fake.dialogs.messages[0].text.startsWith("Этот результат нельзя закодировать"));
    expectUncoded(*w);
}

}  // namespace
}  // namespace tro
