#include "form5.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrlQuery>
#include <memory>

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

TEST_F(Form5Test, ShowsTheResultItsTextsAndTheAddresses) {
    auto w = open();
    EXPECT_EQ(w->windowTitle(), "Кодирование результата");
    const std::vector<std::pair<const char*, QString>> texts = {
        {"Label5", "lines"},
        {"Label7", "2"},
        {"Label12", "1234"},
        {"Label10", TRO_WEB_ADDRESS},
        {"Label11", "Для этого нужно закодировать свой результат и послать его"},
        {"Label15", "по электронной почте автору этой программы"},
        {"Label13", "(" TRO_SUBMISSION_ADDRESS ")"},
        {"Label18", "Прежде, чем кодировать результат, почитайте, пожалуйста, правила:"},
        {"Label17",
         "Закодировать этот результат можно только сейчас. Если выйдете, такая возможность уже "
         "не повторится!"},
        {"Label1", "Ваше имя:"},
        {"Label2", " - максимум 40 символов."},
        {"Label4", "Сегодняшняя дата:"},
    };
    for (const auto& [name, text] : texts) {
        EXPECT_EQ(child<QLabel>(*w, name)->text(), text) << name;
    }
    const std::vector<std::pair<const char*, QString>> buttons = {
        {"Command1", "Кодировать результат"},
        {"Command2", "Выйти без кодирования результата."},
        {"Command3", "В буфер"},
        {"Command4", "Послать кодировку на " TRO_SUBMISSION_ADDRESS},
    };
    for (const auto& [name, text] : buttons) {
        EXPECT_EQ(child<QPushButton>(*w, name)->text(), text) << name;
    }
    expectUncoded(*w);
    EXPECT_EQ(child<QLineEdit>(*w, "Text2")->maxLength(), 40);
    auto* rules = child<QPlainTextEdit>(*w, "Text3");
    EXPECT_TRUE(rules->isReadOnly());
    EXPECT_TRUE(rules->toPlainText().contains(TRO_SUBMISSION_ADDRESS));
    EXPECT_TRUE(rules->toPlainText().contains("«Рекорд»"));
    EXPECT_TRUE(rules->toPlainText().contains("124"));
}

TEST_F(Form5Test, EveryTextFitsItsPlaceInsideTheWindow) {
    auto w = open({"tsifran", 12, 32767, {23, 59, 59}});
    for (QWidget* widget : w->findChildren<QWidget*>()) {
        if (widget->parentWidget() != w.get()) {
            continue;
        }
        const std::string name = widget->objectName().toStdString();
        EXPECT_TRUE(w->rect().contains(widget->geometry())) << name;
        auto* label = qobject_cast<QLabel*>(widget);
        if (label != nullptr && !label->wordWrap()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << name;
        }
        auto* button = qobject_cast<QPushButton*>(widget);
        if (button != nullptr) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << name;
        }
    }
}

TEST_F(Form5Test, DateListsRunToThisYearWithTodayPicked) {
    struct Case {
        Date today;
        QString lastYear;
        QString day, month, year;
    };
    const std::vector<Case> cases = {
        {{2026, 12, 6}, "2026", "6", "декабря", "2026"},
        {{2031, 1, 31}, "2031", "31", "января", "2031"},
        {{2005, 2, 28}, "2005", "28", "февраля", "2005"},
        // A clock set before the first year: the list still holds that year.
        {{1999, 7, 4}, "2005", "4", "июля", "2005"},
    };
    for (const Case& c : cases) {
        fake.clock.set(c.today, {9, 0, 0});
        auto w = open();
        auto* days = child<QComboBox>(*w, "Combo1");
        auto* months = child<QComboBox>(*w, "Combo2");
        auto* years = child<QComboBox>(*w, "Combo3");
        EXPECT_EQ(days->count(), 31);
        EXPECT_EQ(days->itemText(0), "1");
        EXPECT_EQ(days->itemText(30), "31");
        EXPECT_EQ(months->count(), 12);
        EXPECT_EQ(months->itemText(0), "января");
        EXPECT_EQ(months->itemText(11), "декабря");
        EXPECT_EQ(years->itemText(0), "2005");
        EXPECT_EQ(years->itemText(years->count() - 1), c.lastYear);
        EXPECT_EQ(days->currentText(), c.day);
        EXPECT_EQ(months->currentText(), c.month);
        EXPECT_EQ(years->currentText(), c.year);
    }
}

TEST_F(Form5Test, ImpossibleDatesAndNamesAreReportedAndNothingIsCoded) {
    struct Case {
        QString day, month, year, name;
        QString title, message;
    };
    const std::vector<Case> cases = {
        {"30", "февраля", "2008", "Ann", "Ошибка даты", "В феврале не может быть более 29 дней"},
        {"31", "апреля", "2020", "Ann", "Ошибка даты", "В апреле 30 дней!"},
        {"29", "февраля", "2006", "Ann", "Ошибка даты", "В феврале 2006 года только 28 дней"},
        {"6", "декабря", "2026", "", "", "Необходимо ввести имя"},
        {"6", "декабря", "2026", "  ", "", "Необходимо ввести имя"},
        {"6", "декабря", "2026", "#", "", "Имя не должно содержать символов <>@$#&~"},
        {"6", "декабря", "2026", "Ив\tан", "", "Имя содержит неизвестные символы"},
        {"6", "декабря", "2026", "Snow☃", "", "Имя содержит неизвестные символы"},
    };
    for (const Case& c : cases) {
        auto w = open();
        pickDate(*w, c.day, c.month, c.year);
        child<QLineEdit>(*w, "Text2")->setText(c.name);
        fake.dialogs.messages.clear();
        fake.dialogs.yesNoAnswers = {true};
        clickCode(*w);
        ASSERT_EQ(fake.dialogs.messages.size(), 1u) << c.message.toStdString();
        EXPECT_EQ(fake.dialogs.messages[0].title, c.title);
        EXPECT_EQ(fake.dialogs.messages[0].text, c.message);
        EXPECT_TRUE(fake.dialogs.questions.empty());
        expectUncoded(*w);
    }
}

TEST_F(Form5Test, NoToTheQuestionLeavesTheWindowAsItWas) {
    auto w = open();
    child<QLineEdit>(*w, "Text2")->setText("Ann");
    fake.dialogs.yesNoAnswers = {false};
    clickCode(*w);
    ASSERT_EQ(fake.dialogs.questions.size(), 1u);
    EXPECT_EQ(fake.dialogs.questions[0].title, "");
    EXPECT_EQ(fake.dialogs.questions[0].text,
              "Вы уверены, что все правильно указали? Кодировка производится только один раз!");
    expectUncoded(*w);
}

TEST_F(Form5Test, YesCodesNameDateResultAndTheHandOffTimeOnce) {
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
}

TEST_F(Form5Test, EnterInTheNameFieldCodesAndNeverLeaves) {
    auto w = open();
    auto* name = child<QLineEdit>(*w, "Text2");
    name->setText("Ann");
    name->setFocus();
    fake.dialogs.yesNoAnswers = {false};
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(fake.dialogs.questions.size(), 1u);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(Form5Test, TheCodeGoesToTheClipboardAndIntoAMail) {
    auto w = open();
    child<QLineEdit>(*w, "Text2")->setText("Ann");
    fake.dialogs.yesNoAnswers = {true};
    clickCode(*w);
    const QString code = w->code();
    ASSERT_EQ(code.size(), 124);

    fake.clipboard.content = "old";
    QTest::mouseClick(child<QPushButton>(*w, "Command3"), Qt::LeftButton);
    EXPECT_EQ(fake.clipboard.content, code);

    QTest::mouseClick(child<QPushButton>(*w, "Command4"), Qt::LeftButton);
    ASSERT_EQ(fake.urls.opened.size(), 1u);
    const QUrl mail = fake.urls.opened[0];
    QString expected = code;
    expected.replace("(", "%28").replace(")", "%29");
    EXPECT_EQ(mail.toEncoded(), QByteArray("mailto:" TRO_SUBMISSION_ADDRESS
                                           "?Subject=%D0%A0%D0%B5%D0%BA%D0%BE%D1%80%D0%B4&body=") +
                                    expected.toLatin1());
    const QUrlQuery query(mail);
    EXPECT_EQ(query.queryItemValue("Subject", QUrl::FullyDecoded), "Рекорд");
    EXPECT_EQ(query.queryItemValue("body", QUrl::FullyDecoded), code);
    EXPECT_EQ(mail.path(), TRO_SUBMISSION_ADDRESS);
    EXPECT_TRUE(fake.dialogs.messages.empty());

    // Without a mail program the player learns how to send the code by hand.
    fake.urls.succeeds = false;
    QTest::mouseClick(child<QPushButton>(*w, "Command4"), Qt::LeftButton);
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(fake.dialogs.messages[0].text.contains(TRO_SUBMISSION_ADDRESS));
}

TEST(SubmissionMail, EveryPartIsPercentEncoded) {
    const QUrl url = submissionMailUrl("a b@example.org", "Ab(9)z");
    EXPECT_EQ(url.toEncoded(),
              "mailto:a%20b@example.org?Subject=%D0%A0%D0%B5%D0%BA%D0%BE%D1%80%D0%B4"
              "&body=Ab%289%29z");
}

TEST_F(Form5Test, TheAddressLabelsOpenTheTableAndANewMail) {
    auto w = open();
    QTest::mouseClick(child<QLabel>(*w, "Label10"), Qt::LeftButton);
    QTest::mouseClick(child<QLabel>(*w, "Label13"), Qt::LeftButton);
    ASSERT_EQ(fake.urls.opened.size(), 2u);
    EXPECT_EQ(fake.urls.opened[0], QUrl(TRO_WEB_ADDRESS));
    EXPECT_EQ(fake.urls.opened[1], QUrl("mailto:" TRO_SUBMISSION_ADDRESS));
}

TEST_F(Form5Test, LeavingWithoutCodingGivesUpTheCode) {
    auto w = open();
    child<QLineEdit>(*w, "Text2")->setText("Ann");
    QTest::mouseClick(child<QPushButton>(*w, "Command2"), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Rejected);
    EXPECT_TRUE(w->code().isEmpty());
    EXPECT_TRUE(fake.dialogs.questions.empty());
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
