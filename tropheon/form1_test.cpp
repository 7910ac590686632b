#include "form1.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "form2.h"
#include "player_list.h"
#include "rules.h"
#include "settings.h"
#include "testing/fake_record_windows.h"
#include "testing/fake_services.h"
#include "testing/play_dir.h"

namespace tro {
namespace {

namespace fs = std::filesystem;
using testing::PlayDir;

const Date kToday{2026, 12, 6};

struct Window {
    PlayDir play;
    testing::FakeServices fake;
    testing::FakeRecordWindows records;
    std::unique_ptr<Form1> form;

    Window() {
        play.addGame("lines", "ЛАЙНС", 1, {"ЛАЙНС - игра на очки", "ЛАЙНС - игра на время"});
        play.addGame("bomvik", "Сапер", -1, {"новичок", "любитель", "профессионал"});
        (void)saveRules(play.dir(), "lines", "Правила линий");
    }
    void addSounds(std::initializer_list<const char*> names) {
        fs::create_directories(play / "sound");
        for (const char* name : names) {
            testing::writeBytes(play / ("sound/" + std::string(name)), "RIFF");
        }
    }
    bool load(const std::string& commandLine, TimeOfDay handedOff = {11, 59, 59}) {
        if (!commandLine.empty()) {
            play.handOff(commandLine, handedOff);
        }
        form = std::make_unique<Form1>(fake.services, records, play.dir());
        return form->load(QString::fromStdString(commandLine));
    }
    QListWidget* list(const char* name) { return form->findChild<QListWidget*>(name); }
    QStringList rows(const char* name) {
        QStringList out;
        for (int i = 0; i < list(name)->count(); ++i) {
            out << list(name)->item(i)->text();
        }
        return out;
    }
};

TEST(MainWindow, ShowsTheChosenGameVariantRulesAndStoredRows) {
    Window w;
    w.play.fillTable("lines", 1, {900, 100});
    w.fake.random = testing::ScriptedRandom({0.99});
    ASSERT_TRUE(w.load(""));
    EXPECT_EQ(w.rows("GAME"), (QStringList{"ЛАЙНС", "Сапер"}));
    EXPECT_EQ(w.list("GAME")->currentRow(), 1);
    EXPECT_EQ(w.list("NASTROY")->currentRow(), 2);
    EXPECT_TRUE(fs::exists(w.play / "DATA/bomvik/res2.dat"));
    w.list("GAME")->setCurrentRow(0);
    EXPECT_EQ(w.form->findChild<QPlainTextEdit*>("Text1")->toPlainText(), "Правила линий");
    EXPECT_EQ(w.list("NASTROY")->currentRow(), 1);
    EXPECT_EQ(w.rows("IMYA").mid(0, 3), (QStringList{"R1", "R2", ""}));
    EXPECT_EQ(w.rows("DATA").mid(0, 2), (QStringList{"01.01.2026", "01.01.2026"}));
    EXPECT_EQ(w.rows("OCHKI").mid(0, 3), (QStringList{"900", "100", ""}));
}

TEST(MainWindow, TheSoundSwitchAndTheStartSound) {
    // The switch in the file (none: no file yet), start sound files, the command line; then
    // the box's state and the number of sounds played. A start by a hand-off plays nothing.
    const std::tuple<std::optional<bool>, bool, std::string, bool, int> cases[] = {
        {std::nullopt, true, "", false, 0},
        {true, true, "", true, 1},
        {false, true, "", false, 0},
        {true, true, "lines*1*-1", true, 0},
    };
    for (const auto& [fileSwitch, startFiles, commandLine, checked, played] : cases) {
        SCOPED_TRACE(fileSwitch.value_or(false) + 2 * startFiles + 4 * commandLine.empty());
        Window w;
        if (startFiles) {
            w.addSounds({"start1.wav"});
        }
        if (fileSwitch) {
            ASSERT_EQ(writeSoundSwitch(w.play.dir(), *fileSwitch), SlotStatus::Ok);
        }
        ASSERT_TRUE(w.load(commandLine));
        auto* box = w.form->findChild<QCheckBox*>("Check1");
        EXPECT_EQ(box->isChecked(), checked);
        EXPECT_EQ(w.fake.sound.played.size(), played);
        EXPECT_EQ(readSoundSwitch(w.play.dir()), checked);  // a first start writes it off
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        EXPECT_EQ(readSoundSwitch(w.play.dir()), !checked);
    }
}

TEST(MainWindow, AHandoffWithoutAResultOpensThatTableAndStartGameStartsIt) {
    Window w;
    ASSERT_TRUE(w.load("lines*2*-1"));
    EXPECT_EQ(w.list("GAME")->currentRow(), 0);
    EXPECT_EQ(w.list("NASTROY")->currentRow(), 1);
    EXPECT_TRUE(w.records.submissions.empty());
    QTest::mouseClick(w.form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    ASSERT_EQ(w.fake.launcher.starts.size(), 1u);
    EXPECT_EQ(w.fake.launcher.starts[0].program,
              QString::fromStdString(fs::absolute(w.play / "lines").string()));
    EXPECT_EQ(w.fake.launcher.starts[0].arguments, QStringList{"2"});
    EXPECT_EQ(w.fake.process.exits, std::vector<int>{0});
}

TEST(MainWindow, TheSaveGestureWritesTheRules) {
    const Qt::MouseButtons both = Qt::LeftButton | Qt::RightButton;
    const QPoint at = kRulesSaveGesturePoint;
    const QString fresh = QStringLiteral("Новые правила\nвторая строка");
    // Where the pointer moves, the buttons held, the text; whether it is saved.
    const std::tuple<QPoint, Qt::MouseButtons, QString, bool> cases[] = {
        {at, both, fresh, true},
        {at + QPoint(1, 0), both, fresh, false},
        {at, Qt::LeftButton, fresh, false},
        {at, both, QString(499, QLatin1Char('x')), false},  // too long: told, not saved
    };
    for (const auto& [point, buttons, text, saved] : cases) {
        SCOPED_TRACE(text.size());
        Window w;
        ASSERT_TRUE(w.load("lines*1*-1"));
        auto* text1 = w.form->findChild<QPlainTextEdit*>("Text1");
        text1->setPlainText(text);
        const QPoint inViewport = text1->viewport()->mapFrom(text1, point);
        QMouseEvent move(QEvent::MouseMove, inViewport, text1->viewport()->mapToGlobal(inViewport),
                         Qt::NoButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(text1->viewport(), &move);
        EXPECT_EQ(QString::fromStdString(loadRules(w.play.dir(), "lines")),
                  saved ? text : QStringLiteral("Правила линий"));
        EXPECT_EQ(w.fake.dialogs.messages.size(), text.size() > 400 ? 1u : 0u);
    }
}

// Runs `drive` on the name dialog once it is open; a guard closes a dialog left open, so a
// test that goes wrong fails instead of waiting forever.
[[nodiscard]] std::unique_ptr<QTimer> whenNameDialogOpens(std::function<void(Form2*)> drive) {
    const auto open = [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == "Form2" && widget->isVisible()) {
                return static_cast<Form2*>(widget);
            }
        }
        return static_cast<Form2*>(nullptr);
    };
    QTimer::singleShot(0, [drive, open] {
        if (Form2* dialog = open()) {
            drive(dialog);
        }
    });
    auto guard = std::make_unique<QTimer>();
    guard->setSingleShot(true);
    QObject::connect(guard.get(), &QTimer::timeout, [open] {
        if (Form2* dialog = open()) {
            dialog->done(QDialog::Rejected);
        }
    });
    guard->start(3000);
    return guard;
}

TEST(MainWindowIntake, TheChosenNameIsStoredAtItsPlaceOrToldWhyNot) {
    // The player picked (0: a new name typed in), the table's rows, the rows afterwards, the
    // row selected, whether the player was told that a better entry stands.
    const std::tuple<int, std::vector<int>, QStringList, QStringList, int, bool> cases[] = {
        {0, {900, 100}, {"R1", "Новичок", "R2"}, {"900", "321", "100"}, 1, false},
        {1, {900, 100}, {"R1", "R2", ""}, {"900", "100", ""}, -1, true},
    };
    for (const auto& [pick, table, names, results, selected, told] : cases) {
        Window w;
        ASSERT_EQ(writeSoundSwitch(w.play.dir(), true), SlotStatus::Ok);
        w.addSounds({"2ndplace1.wav"});
        w.play.fillTable("lines", 1, table);
        ASSERT_EQ(addPlayerName(w.play.dir(), "R1"), AddPlayerOutcome::Kept);
        w.fake.dialogs.textAnswers.push_back(QStringLiteral("Новичок"));
        const auto guard = whenNameDialogOpens([pick](Form2* dialog) {
            auto* list = dialog->findChild<QComboBox*>("LIST1");
            list->setCurrentIndex(pick);
            emit list->activated(pick);
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        });
        ASSERT_TRUE(w.load("lines*2*" + PlayDir::code("lines", 2, 321, kToday)));
        EXPECT_EQ(w.fake.sound.played.size(), 1);
        ASSERT_EQ(w.records.submissions.size(), 1u);
        const SubmissionInput& in = w.records.submissions[0];
        EXPECT_EQ(std::tie(in.gameId, in.variant, in.result, in.handoffTime),
                  std::make_tuple(std::string("lines"), 2, 321, TimeOfDay{11, 59, 59}));
        EXPECT_EQ(w.rows("IMYA").mid(0, 3), names);
        EXPECT_EQ(w.rows("OCHKI").mid(0, 3), results);
        EXPECT_EQ(w.list("IMYA")->currentRow(), selected);
        EXPECT_EQ(w.fake.dialogs.messages.size(), told ? 1u : 0u);
    }
}

}  // namespace
}  // namespace tro
