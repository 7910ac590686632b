#include "form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "form2.h"
#ifdef TRO_HISTORY
#include "history.h"
#endif
#include "platform.h"
#include "player_list.h"
#include "rules.h"
#include "settings.h"
#include "testing/fake_services.h"
#include "testing/play_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::PlayDir;

// Records the submission window instead of opening it.
struct FakeRecordWindows final : RecordWindows {
    void showSubmission(const SubmissionInput& input) override { submissions.push_back(input); }
    void showHelp() override {}
    void showAbout() override {}
    std::vector<SubmissionInput> submissions;
};

// A first user start writes the switch off and plays nothing; a click turns it on, and the
// next start plays the start sound. Then a handed-off result with a place: the name dialog opens
// over the hand-off's table with the place sound (no start sound). OK needs a chosen name, Escape
// asks first, a new name must be new; the name is stored at the place, that row is selected, the
// submission window follows, and the start button starts the game again.
TEST(MainWindow, AHandedOffResultIsNamedStoredAndSelected) {
    PlayDir play;
    testing::FakeServices fake;
    FakeRecordWindows records;
    play.addGame("lines", "ЛАЙНС", 1, {"на очки", "на время"});
    (void)saveRules(play.dir(), "lines", "Правила линий");
    fs::create_directories(play / "sound");
    for (const char* name : {"start1.wav", "2ndplace1.wav"}) {
        testing::writeBytes(play / ("sound/" + std::string(name)), "RIFF");
    }
    auto form = std::make_unique<Form1>(fake.services, records, play.dir());
    ASSERT_TRUE(form->load(""));
    auto* box = form->findChild<QCheckBox*>("Check1");
    EXPECT_FALSE(box->isChecked() || readSoundSwitch(play.dir()) || !fake.sound.played.empty());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_TRUE(readSoundSwitch(play.dir()));
    form = std::make_unique<Form1>(fake.services, records, play.dir());
    ASSERT_TRUE(form->load(""));  // now with the start sound

    play.fillTable("lines", 1, "R1=900,R2=100");
    ASSERT_EQ(addPlayerName(play.dir(), "R1"), AddPlayerOutcome::Kept);
    fake.dialogs.yesNoAnswers = {false};
    fake.dialogs.textAnswers = {QStringLiteral(" R1 "), QStringLiteral("Новичок")};
    QTimer::singleShot(0, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == "Form2" && widget->isVisible()) {
                auto* dialog = static_cast<Form2*>(widget);
                auto* ok = dialog->findChild<QPushButton*>("Command2");
                QTest::mouseClick(ok, Qt::LeftButton);
                dialog->reject();
                auto* list = dialog->findChild<QComboBox*>("LIST1");
                list->setCurrentIndex(0);
                emit list->activated(0);
                QTest::mouseClick(ok, Qt::LeftButton);
            }
        }
    });
    const std::string handoff = "lines*2*" + PlayDir::code("lines", 2, 321, fake.clock.now().date);
    play.handOff(handoff, {11, 59, 59});
    form = std::make_unique<Form1>(fake.services, records, play.dir());
    ASSERT_TRUE(form->load(QString::fromStdString(handoff)));
    // Messages: nothing chosen; the name is taken.
    EXPECT_EQ(std::tuple(fake.dialogs.messages.size(), fake.dialogs.questions.size()),
              std::tuple(2u, 1u));
    const QString sounds = QDir::fromNativeSeparators(fake.sound.played.join('|'));
    EXPECT_TRUE(fake.sound.played.size() == 2 && sounds.contains("/sound/start1.wav|") &&
                sounds.endsWith("/sound/2ndplace1.wav"));
    EXPECT_EQ(loadPlayerNames(play.dir()), (std::vector<std::string>{"R1", "Новичок"}));
    // The name chosen is the current player's now, and the history has the result under it.
    EXPECT_EQ(form->currentPlayer(), "Новичок");
#ifdef TRO_HISTORY
    History history(play.dir(), fake.clock);
    EXPECT_EQ(history.rounds({"Новичок", "lines", 2}).size(), 1u);
#endif
    ASSERT_EQ(records.submissions.size(), 1u);
    const SubmissionInput& in = records.submissions[0];
    EXPECT_EQ(std::tie(in.gameId, in.variant, in.result, in.handoffTime),
              std::make_tuple(std::string("lines"), 2, 321, TimeOfDay{11, 59, 59}));
    const auto list = [&](const char* name) { return form->findChild<QListWidget*>(name); };
    EXPECT_EQ(std::tuple(list("GAME")->currentRow(), list("NASTROY")->currentRow(),
                         list("IMYA")->currentRow()),
              std::tuple(0, 1, 1));
    EXPECT_EQ(form->findChild<QPlainTextEdit*>("Text1")->toPlainText(), "Правила линий");
    QStringList rows;
    for (int i = 0; i < 3; ++i) {
        rows << list("IMYA")->item(i)->text() + " " + list("OCHKI")->item(i)->text() + " " +
                    list("DATA")->item(i)->text();
    }
    EXPECT_EQ(rows.join(','), "R1 900 01.01.2026,Новичок 321 06.12.2026,R2 100 01.01.2026");
    QTest::mouseClick(form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    ASSERT_EQ(fake.launcher.starts.size(), 1u);
    EXPECT_EQ(
        std::tuple(fake.launcher.starts[0].program, fake.launcher.starts[0].arguments),
        std::tuple(QString::fromStdString(fs::absolute(play / programFileName("lines")).string()),
                   QStringList{"2"}));
    EXPECT_EQ(fake.process.exits, std::vector<int>{0});
}

// A result without a place is kept under the current player, who is chosen in "Игрок:" (a new
// name with the rules of the name dialog) and remembered.
TEST(MainWindow, AResultWithoutAPlaceIsKeptUnderThePlayerChosenInTheMainWindow) {
    PlayDir play;
    testing::FakeServices fake;
    FakeRecordWindows records;
    play.addGame("lines", "ЛАЙНС", 1, {"на очки"});
    std::string full;
    for (int row = 0; row < kTableRows; ++row) {
        full += "R" + std::to_string(row) + "=900,";
    }
    play.fillTable("lines", 0, full);
    ASSERT_EQ(addPlayerName(play.dir(), "Аня"), AddPlayerOutcome::Kept);
    ASSERT_EQ(writeCurrentPlayer(play.dir(), "Аня"), SlotStatus::Ok);
    const std::string handoff = "lines*1*" + PlayDir::code("lines", 1, 5, fake.clock.now().date);
    play.handOff(handoff, fake.clock.now().time);
    Form1 form(fake.services, records, play.dir());
    ASSERT_TRUE(form.load(QString::fromStdString(handoff)));
#ifdef TRO_HISTORY
    History history(play.dir(), fake.clock);
    const auto kept = history.rounds({"Аня", {}, {}});
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(std::tuple(kept[0].result, kept[0].fromTable, records.submissions.size()),
              std::tuple(5, false, 0u));
#endif

    auto* igrok = form.findChild<QComboBox*>("IGROK");
    fake.dialogs.textAnswers = {QStringLiteral("Аня"), QStringLiteral("Боря")};
    emit igrok->activated(0);  // "Новое имя...": Аня is taken, Боря is new
    EXPECT_EQ(std::tuple(readCurrentPlayer(play.dir()), igrok->currentText().toStdString(),
                         fake.dialogs.messages.size()),
              std::tuple(std::string("Боря"), std::string("Боря"), 1u));
    emit igrok->activated(1);
    EXPECT_EQ(readCurrentPlayer(play.dir()), "Аня");
}

}  // namespace
}  // namespace tro
