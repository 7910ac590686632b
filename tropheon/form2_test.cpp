#include "form2.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "player_list.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::FakeServices;
using testing::TempDir;

QString labelText(const QWidget& dialog, const char* name) {
    const auto* label = dialog.findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<missing>");
}

QStringList listEntries(const QComboBox* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->itemText(i);
    }
    return out;
}

void chooseNewName(QComboBox* list) {
    list->setCurrentIndex(0);
    emit list->activated(0);
}

TEST(NameDialog, ShowsItsTextsAndThePlayerList) {
    TempDir dir;
    ASSERT_EQ(addPlayerName(dir.path(), "Аня"), AddPlayerOutcome::Kept);
    ASSERT_EQ(addPlayerName(dir.path(), "Bob"), AddPlayerOutcome::Kept);
    FakeServices fake;
    Form2 dialog(fake.services, dir.path());
    dialog.prepare(1234, 7, false);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Регистрация рекорда"));
    EXPECT_EQ(labelText(dialog, "Label1"), QStringLiteral("Вы набрали очков:"));
    EXPECT_EQ(labelText(dialog, "Label2"), QStringLiteral("Вы заняли место:"));
    EXPECT_EQ(labelText(dialog, "Label7"), QStringLiteral("Список имен:"));
    EXPECT_EQ(labelText(dialog, "Label3"),
              QStringLiteral("Выберите ваше имя из списка и нажмите ОК."));
    EXPECT_EQ(labelText(dialog, "Label4"), QStringLiteral("1234"));
    EXPECT_EQ(labelText(dialog, "Label5"), QStringLiteral("7"));
    EXPECT_EQ(dialog.findChild<QPushButton*>("Command2")->text(), QStringLiteral("OK"));
    auto* list = dialog.findChild<QComboBox*>("LIST1");
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(list->isEditable());
    EXPECT_EQ(listEntries(list),
              (QStringList{QStringLiteral("Новое имя..."), QStringLiteral("Аня"), "Bob"}));
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(dialog.size(), QSize(303, 198));
    EXPECT_EQ(dialog.palette().color(QPalette::Window), QColor(255, 255, 192));
}

struct NameCase {
    const char* what;
    std::vector<std::optional<QString>> answers;
    QString selected;               // the LIST1 entry selected afterwards
    std::vector<std::string> kept;  // users.dat afterwards
    int messages;                   // message boxes shown
    QString messagePart;            // a piece of the first message
};

TEST(NameDialog, TheNewNameLoop) {
    const NameCase cases[] = {
        {"blanks are trimmed",
         {QStringLiteral("  Вера  ")},
         QStringLiteral("Вера"),
         {"Аня", "Bob", "Вера"},
         0,
         {}},
        {"thirty characters are shortened",
         {QString(30, QLatin1Char('z'))},
         QString(22, QLatin1Char('z')) + "...",
         {"Аня", "Bob", std::string(22, 'z') + "..."},
         0,
         {}},
        {"an exact duplicate is refused, other letter case is accepted",
         {QStringLiteral("Аня"), QStringLiteral("аня")},
         QStringLiteral("аня"),
         {"Аня", "Bob", "аня"},
         1,
         QStringLiteral("Такое имя уже есть в списке. Введите другое.")},
        {"the entry for a new name is no name",
         {QStringLiteral("Новое имя..."), std::nullopt},
         QStringLiteral("Новое имя..."),
         {"Аня", "Bob"},
         1,
         QStringLiteral("Такое имя")},
        {"cancel adds nothing",
         {std::nullopt},
         QStringLiteral("Новое имя..."),
         {"Аня", "Bob"},
         0,
         {}},
        {"an empty answer adds nothing",
         {QStringLiteral("   ")},
         QStringLiteral("Новое имя..."),
         {"Аня", "Bob"},
         0,
         {}},
        {"a name the list cannot hold is refused and asked again",
         {QStringLiteral("Ann ✓"), QStringLiteral("Ann")},
         "Ann",
         {"Аня", "Bob", "Ann"},
         1,
         QStringLiteral("«✓»")},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        ASSERT_EQ(addPlayerName(dir.path(), "Аня"), AddPlayerOutcome::Kept);
        ASSERT_EQ(addPlayerName(dir.path(), "Bob"), AddPlayerOutcome::Kept);
        FakeServices fake;
        for (const auto& answer : c.answers) {
            fake.dialogs.textAnswers.push_back(answer);
        }
        Form2 dialog(fake.services, dir.path());
        dialog.prepare(10, 1, false);
        auto* list = dialog.findChild<QComboBox*>("LIST1");
        chooseNewName(list);
        EXPECT_EQ(list->currentText(), c.selected);
        EXPECT_EQ(loadPlayerNames(dir.path()), c.kept);
        EXPECT_EQ(fake.dialogs.inputs.size(), c.answers.size());
        for (const auto& input : fake.dialogs.inputs) {
            EXPECT_EQ(input.title, QStringLiteral("Регистрация игрока"));
            EXPECT_EQ(input.text, QStringLiteral("Введите имя нового игрока."));
        }
        ASSERT_EQ(static_cast<int>(fake.dialogs.messages.size()), c.messages);
        if (c.messages > 0) {
            EXPECT_EQ(fake.dialogs.messages[0].title, QStringLiteral("Трофеон"));
            EXPECT_TRUE(fake.dialogs.messages[0].text.contains(c.messagePart))
                << fake.dialogs.messages[0].text.toStdString();
        }
    }
}

TEST(NameDialog, AFullListUsesTheNewNameWithoutKeepingIt) {
    TempDir dir;
    SlotFile file(dir / "users.dat", kPlayerListSlot);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    for (int slot = 1; slot <= kMaxPlayers; ++slot) {
        ASSERT_EQ(file.writeText(slot, "P" + std::to_string(slot)), SlotStatus::Ok);
    }
    const std::string before = testing::readBytes(dir / "users.dat");
    FakeServices fake;
    fake.dialogs.textAnswers.push_back(QStringLiteral("Новичок"));
    Form2 dialog(fake.services, dir.path());
    dialog.prepare(10, 1, false);
    auto* list = dialog.findChild<QComboBox*>("LIST1");
    EXPECT_EQ(list->count(), kMaxPlayers + 1);
    chooseNewName(list);
    EXPECT_EQ(list->currentText(), QStringLiteral("Новичок"));
    EXPECT_EQ(testing::readBytes(dir / "users.dat"), before);
    QTest::mouseClick(dialog.findChild<QPushButton*>("Command2"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenName(), QStringLiteral("Новичок"));
}

TEST(NameDialog, OkNeedsARealName) {
    TempDir dir;
    ASSERT_EQ(addPlayerName(dir.path(), "Аня"), AddPlayerOutcome::Kept);
    FakeServices fake;
    Form2 dialog(fake.services, dir.path());
    dialog.prepare(55, 3, false);
    auto* list = dialog.findChild<QComboBox*>("LIST1");
    auto* ok = dialog.findChild<QPushButton*>("Command2");
    dialog.setResult(-1);

    // Nothing selected: the message, and the dialog stays.
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_EQ(fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(fake.dialogs.messages[0].text,
              QStringLiteral("Выберите ваше имя из списка, а уже затем нажмите ОК."));
    EXPECT_EQ(dialog.result(), -1);

    // "Новое имя..." selected after a cancelled input: OK asks for the name again.
    fake.dialogs.textAnswers.push_back(std::nullopt);
    chooseNewName(list);
    fake.dialogs.textAnswers.push_back(std::nullopt);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(fake.dialogs.inputs.size(), 2u);
    EXPECT_EQ(dialog.result(), -1);
    fake.dialogs.textAnswers.push_back(QStringLiteral("Гоша"));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenName(), QStringLiteral("Гоша"));
    EXPECT_EQ(loadPlayerNames(dir.path()), (std::vector<std::string>{"Аня", "Гоша"}));

    // A listed name is taken as it stands; the selection is cleared for the next time.
    dialog.setResult(-1);
    list->setCurrentIndex(1);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenName(), QStringLiteral("Аня"));
    EXPECT_EQ(dialog.resultText(), QStringLiteral("55"));
    EXPECT_EQ(dialog.place(), 3);
    EXPECT_EQ(list->currentIndex(), -1);
}

TEST(NameDialog, PlaysThePlaceSoundForTheFirstThreePlaces) {
    struct Case {
        int place;
        bool soundOn;
        bool filesExist;
        QString played;  // the file name played, "" for none
    };
    const Case cases[] = {
        {1, true, true, "1stplace1.wav"},
        {2, true, true, "2ndplace1.wav"},
        {3, true, true, "3dplace1.wav"},
        {4, true, true, ""},
        {1, false, true, ""},
        {1, true, false, ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        if (c.filesExist) {
            fs::create_directories(dir.path() / "sound");
            for (const char* name : {"1stplace1.wav", "2ndplace1.wav", "3dplace1.wav"}) {
                testing::writeBytes(dir.path() / "sound" / name, "RIFF");
            }
        }
        FakeServices fake;
        Form2 dialog(fake.services, dir.path());
        dialog.prepare(10, c.place, c.soundOn);
        dialog.show();
        if (c.played.isEmpty()) {
            EXPECT_TRUE(fake.sound.played.isEmpty()) << c.place;
        } else {
            ASSERT_EQ(fake.sound.played.size(), 1) << c.place;
            EXPECT_TRUE(fake.sound.played[0].endsWith("/sound/" + c.played))
                << fake.sound.played[0].toStdString();
        }
    }
}

}  // namespace
}  // namespace tro
