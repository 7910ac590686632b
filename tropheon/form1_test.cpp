#include "form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "form2.h"
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

struct Window {
    PlayDir play;
    testing::FakeServices fake;
    FakeRecordWindows records;
    std::unique_ptr<Form1> form;

    Window() {
        play.addGame("lines", "ЛАЙНС", 1, {"на очки", "на время"});
        (void)saveRules(play.dir(), "lines", "Правила линий");
        fs::create_directories(play / "sound");
        for (const char* name : {"start1.wav", "2ndplace1.wav"}) {
            testing::writeBytes(play / ("sound/" + std::string(name)), "RIFF");
        }
    }
    bool load(const std::string& commandLine) {
        if (!commandLine.empty()) {
            play.handOff(commandLine, {11, 59, 59});
        }
        form = std::make_unique<Form1>(fake.services, records, play.dir());
        return form->load(QString::fromStdString(commandLine));
    }
    template <typename T = QListWidget>
    T* child(const char* name) {
        return form->findChild<T*>(name);
    }
    QString rows(const char* name, int count) {
        QStringList out;
        for (int i = 0; i < count; ++i) {
            out << child(name)->item(i)->text();
        }
        return out.join(',');
    }
};

// A first start writes the switch off; a click turns it on, and the next start plays the
// start sound.
TEST(MainWindow, TheSoundSwitchAndTheStartSound) {
    Window w;
    for (const bool on : {false, true}) {
        ASSERT_TRUE(w.load(""));
        auto* box = w.child<QCheckBox>("Check1");
        EXPECT_EQ(box->isChecked(), on);
        EXPECT_EQ(readSoundSwitch(w.play.dir()), on);
        EXPECT_EQ(w.fake.sound.played.size(), on ? 1 : 0);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        EXPECT_EQ(readSoundSwitch(w.play.dir()), !on);
    }
}

// A handed-off result with a place: the name dialog opens over the hand-off's table with the
// place sound. OK needs a chosen name, Escape asks first, a new name must be new; the name is
// stored at the place, that row is selected, the submission window follows, and the start
// button starts the game again.
TEST(MainWindow, AHandedOffResultIsNamedStoredAndSelected) {
    Window w;
    ASSERT_EQ(writeSoundSwitch(w.play.dir(), true), SlotStatus::Ok);
    w.play.fillTable("lines", 1, {900, 100});
    ASSERT_EQ(addPlayerName(w.play.dir(), "R1"), AddPlayerOutcome::Kept);
    w.fake.dialogs.yesNoAnswers = {false};
    w.fake.dialogs.textAnswers = {QStringLiteral(" R1 "), QStringLiteral("Новичок")};
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
    ASSERT_TRUE(w.load("lines*2*" + PlayDir::code("lines", 2, 321, w.fake.clock.now().date)));
    EXPECT_EQ(w.fake.dialogs.messages.size(), 2u);  // nothing chosen; the name is taken
    EXPECT_EQ(w.fake.dialogs.questions.size(), 1u);
    ASSERT_EQ(w.fake.sound.played.size(), 1);
    EXPECT_TRUE(w.fake.sound.played[0].endsWith("/sound/2ndplace1.wav"));
    EXPECT_EQ(loadPlayerNames(w.play.dir()), (std::vector<std::string>{"R1", "Новичок"}));
    ASSERT_EQ(w.records.submissions.size(), 1u);
    const SubmissionInput& in = w.records.submissions[0];
    EXPECT_EQ(std::tie(in.gameId, in.variant, in.result, in.handoffTime),
              std::make_tuple(std::string("lines"), 2, 321, TimeOfDay{11, 59, 59}));
    EXPECT_EQ(w.child("GAME")->currentRow(), 0);
    EXPECT_EQ(w.child("NASTROY")->currentRow(), 1);
    EXPECT_EQ(w.child<QPlainTextEdit>("Text1")->toPlainText(), "Правила линий");
    EXPECT_EQ(w.rows("IMYA", 3), "R1,Новичок,R2");
    EXPECT_EQ(w.rows("OCHKI", 3), "900,321,100");
    EXPECT_EQ(w.rows("DATA", 2), "01.01.2026,06.12.2026");
    EXPECT_EQ(w.child("IMYA")->currentRow(), 1);
    QTest::mouseClick(w.child<QPushButton>("Command1"), Qt::LeftButton);
    ASSERT_EQ(w.fake.launcher.starts.size(), 1u);
    EXPECT_EQ(w.fake.launcher.starts[0].program,
              QString::fromStdString(fs::absolute(w.play / "lines").string()));
    EXPECT_EQ(w.fake.launcher.starts[0].arguments, QStringList{"2"});
    EXPECT_EQ(w.fake.process.exits, std::vector<int>{0});
}

}  // namespace
}  // namespace tro
