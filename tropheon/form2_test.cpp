#include "form2.h"

#include <gtest/gtest.h>

#include <QComboBox>
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

void chooseNewName(QComboBox* list) {
    list->setCurrentIndex(0);
    emit list->activated(0);
}

void fillPlayerList(const fs::path& dir, int count) {
    SlotFile file(dir / "users.dat", kPlayerListSlotLength);
    ASSERT_EQ(file.open(), SlotStatus::Ok);
    for (int slot = 1; slot <= count; ++slot) {
        ASSERT_EQ(file.writeText(slot, slot == 1 ? "Аня" : "P" + std::to_string(slot)),
                  SlotStatus::Ok);
    }
}

// The answers typed into the input box (none: cancelled), the size of the player list before,
// the entry selected afterwards, the names added to the list, and the message shown, if any.
TEST(NameDialog, TheNewNameLoop) {
    const QString newEntry = QStringLiteral("Новое имя...");
    const QString taken = QStringLiteral("Такое имя уже есть в списке. Введите другое.");
    const std::tuple<std::vector<std::optional<QString>>, int, QString, std::vector<std::string>,
                     QString>
        cases[] = {
            {{"  Вера  "}, 2, "Вера", {"Вера"}, ""},
            {{QString(30, QLatin1Char('z'))},
             2,
             QString(22, QLatin1Char('z')) + "...",
             {std::string(22, 'z') + "..."},
             ""},
            {{"Аня", "аня"}, 2, "аня", {"аня"}, taken},
            {{newEntry, std::nullopt}, 2, newEntry, {}, taken},
            {{std::nullopt}, 2, newEntry, {}, ""},
            {{"   "}, 2, newEntry, {}, ""},
            {{"Новичок"}, kMaxPlayers, "Новичок", {}, ""},  // a full list keeps no more names
        };
    for (const auto& [answers, listed, selected, added, message] : cases) {
        SCOPED_TRACE(selected.toStdString());
        TempDir dir;
        fillPlayerList(dir.path(), listed);
        std::vector<std::string> kept = loadPlayerNames(dir.path());
        kept.insert(kept.end(), added.begin(), added.end());
        FakeServices fake;
        fake.dialogs.textAnswers.assign(answers.begin(), answers.end());
        Form2 dialog(fake.services, dir.path());
        dialog.prepare(10, 1, false);
        auto* list = dialog.findChild<QComboBox*>("LIST1");
        chooseNewName(list);
        EXPECT_EQ(list->currentText(), selected);
        EXPECT_EQ(loadPlayerNames(dir.path()), kept);
        EXPECT_EQ(fake.dialogs.inputs.size(), answers.size());
        ASSERT_EQ(fake.dialogs.messages.size(), message.isEmpty() ? 0u : 1u);
        if (listed == kMaxPlayers) {  // the new name is used all the same
            QTest::mouseClick(dialog.findChild<QPushButton*>("Command2"), Qt::LeftButton);
            EXPECT_EQ(dialog.chosenName(), selected);
        }
    }
}

TEST(NameDialog, OkNeedsARealName) {
    TempDir dir;
    fillPlayerList(dir.path(), 1);
    FakeServices fake;
    Form2 dialog(fake.services, dir.path());
    dialog.prepare(55, 3, false);
    auto* list = dialog.findChild<QComboBox*>("LIST1");
    auto* ok = dialog.findChild<QPushButton*>("Command2");
    dialog.setResult(-1);

    // Nothing selected: the message, and the dialog stays.
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(fake.dialogs.messages.size(), 1u);
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
    EXPECT_EQ(list->currentIndex(), -1);

    // Escape asks first; only a yes gives the result up.
    fake.dialogs.yesNoAnswers = {false, true};
    dialog.setResult(-1);
    dialog.reject();
    EXPECT_EQ(dialog.result(), -1);
    dialog.reject();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(NameDialog, PlaysThePlaceSoundForTheFirstThreePlaces) {
    // The place, the sound switch, whether the sound files exist, the file played ("": none).
    const std::tuple<int, bool, bool, QString> cases[] = {
        {1, true, true, "1stplace1.wav"},
        {2, true, true, "2ndplace1.wav"},
        {4, true, true, ""},
        {1, false, true, ""},
    };
    for (const auto& [place, soundOn, filesExist, played] : cases) {
        SCOPED_TRACE(played.toStdString() + std::to_string(place));
        TempDir dir;
        fs::create_directories(dir.path() / "sound");
        for (const char* name : {"1stplace1.wav", "2ndplace1.wav", "3dplace1.wav"}) {
            if (filesExist) {
                testing::writeBytes(dir.path() / "sound" / name, "RIFF");
            }
        }
        FakeServices fake;
        Form2 dialog(fake.services, dir.path());
        dialog.prepare(10, place, soundOn);
        dialog.show();
        ASSERT_EQ(fake.sound.played.size(), played.isEmpty() ? 0 : 1);
        if (!played.isEmpty()) {
            EXPECT_TRUE(fake.sound.played[0].endsWith("/sound/" + played));
        }
    }
}

}  // namespace
}  // namespace tro
