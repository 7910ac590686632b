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
using testing::FakeRecordWindows;
using testing::FakeServices;
using testing::PlayDir;
using testing::ScriptedRandom;

const Date kToday{2026, 12, 6};
const TimeOfDay kNow{12, 0, 0};

struct Window {
    PlayDir play;
    FakeServices fake;
    FakeRecordWindows records;
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
    bool load(const QString& commandLine) {
        form = std::make_unique<Form1>(fake.services, records, play.dir());
        return form->load(commandLine);
    }
    template <typename T>
    T* child(const char* name) {
        return form->findChild<T*>(name);
    }
    QListWidget* list(const char* name) { return child<QListWidget>(name); }
};

QStringList rows(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->item(i)->text();
    }
    return out;
}

void setSoundSwitch(const PlayDir& play, bool on) {
    ASSERT_EQ(writeSoundSwitch(play.dir(), on), SlotStatus::Ok);
}

TEST(MainWindow, AUserStartShowsTheCatalogueAndARandomVariant) {
    Window w;
    w.fake.random = ScriptedRandom({0.99});
    ASSERT_TRUE(w.load(""));
    EXPECT_FALSE(w.form->isVisible());
    EXPECT_EQ(w.form->windowTitle(), QStringLiteral("Трофеон            Версия 3.1"));
    EXPECT_EQ(w.form->size(), QSize(629, 424));
    EXPECT_EQ(rows(w.list("GAME")), (QStringList{"ЛАЙНС", "Сапер"}));
    EXPECT_EQ(w.list("GAME")->currentRow(), 1);
    EXPECT_EQ(w.child<QLabel>("IGRA")->text(), "bomvik");
    EXPECT_EQ(rows(w.list("NASTROY")), (QStringList{"новичок", "любитель", "профессионал"}));
    EXPECT_EQ(w.list("NASTROY")->currentRow(), 2);
    QStringList places;
    for (const char* p : {" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10",
                          "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"}) {
        places << p;
    }
    EXPECT_EQ(rows(w.list("MESTO")), places);
    EXPECT_EQ(w.list("IMYA")->count(), 20);
    EXPECT_EQ(w.list("OCHKI")->count(), 20);
    EXPECT_TRUE(fs::exists(w.play / "DATA/bomvik/res2.dat"));
    EXPECT_TRUE(w.child<QPushButton>("Command1")->isEnabled());
    EXPECT_EQ(w.child<QPushButton>("Command1")->text(), QStringLiteral("Начать игру!"));
    EXPECT_EQ(w.child<QLabel>("Label6")->text(), QStringLiteral("ПРАВИЛА:"));
    EXPECT_EQ(w.child<QWidget>("GAME")->geometry(), QRect(8, 24, 193, 100));
    EXPECT_EQ(w.child<QWidget>("OCHKI")->geometry(), QRect(576, 96, 49, 324));

    // Choosing a game by hand shows its rules and a random variant.
    w.list("GAME")->setCurrentRow(0);
    EXPECT_EQ(w.child<QLabel>("IGRA")->text(), "lines");
    EXPECT_EQ(w.child<QPlainTextEdit>("Text1")->toPlainText(), QStringLiteral("Правила линий"));
    EXPECT_EQ(w.list("NASTROY")->currentRow(), 1);
}

// Files standing where the folder "DATA" and the settings should be: the manager starts,
// shows its window's contents, and tells the player once.
TEST(MainWindow, AnUnwritablePlayDirectoryIsToldOnceAndTheManagerGoesOn) {
    Window w;
    testing::writeBytes(w.play / "DATA", "a file in the way");
    fs::create_directory(w.play / "tropheon.dat");
    ASSERT_TRUE(w.load(""));
    EXPECT_EQ(w.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(rows(w.list("GAME")), (QStringList{"ЛАЙНС", "Сапер"}));
    EXPECT_EQ(w.list("MESTO")->count(), 20);
    w.list("GAME")->setCurrentRow(0);
    w.list("NASTROY")->setCurrentRow(0);
    EXPECT_EQ(w.fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(w.fake.process.exits.empty());
}

TEST(MainWindow, TheSoundSwitchAndTheStartSound) {
    struct Case {
        const char* what;
        std::optional<bool> fileSwitch;  // none: no settings file
        bool startFiles;
        QString commandLine;
        bool checked;
        int played;
    };
    const Case cases[] = {
        {"first start: the file is written with the switch off", std::nullopt, true, "", false, 0},
        {"switch on, two start sounds", true, true, "", true, 1},
        {"switch off", false, true, "", false, 0},
        {"switch on, no start sound", true, false, "", true, 0},
        {"a start by a hand-off plays nothing", true, true, "lines*1*-1", true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window w;
        if (c.startFiles) {
            w.addSounds({"start1.wav", "start2.wav"});
        }
        if (c.fileSwitch) {
            setSoundSwitch(w.play, *c.fileSwitch);
        }
        if (!c.commandLine.isEmpty()) {
            w.play.handOff(c.commandLine.toStdString(), kNow);
        }
        ASSERT_TRUE(w.load(c.commandLine));
        EXPECT_EQ(w.child<QCheckBox>("Check1")->isChecked(), c.checked);
        EXPECT_EQ(w.fake.sound.played.size(), c.played);
        EXPECT_EQ(testing::readBytes(w.play / "tropheon.dat").substr(0, 2),
                  c.checked ? std::string("\x01\x00", 2) : std::string(2, '\0'));
    }
}

TEST(MainWindow, ClickingTheSwitchWritesIt) {
    Window w;
    ASSERT_TRUE(w.load(""));
    auto* box = w.child<QCheckBox>("Check1");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(readSoundSwitch(w.play.dir()));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_FALSE(readSoundSwitch(w.play.dir()));
}

TEST(MainWindow, AHandoffWithoutAResultOpensThatTableWithoutIntake) {
    Window w;
    w.play.handOff("lines*2*-1", {11, 59, 58});
    ASSERT_TRUE(w.load("lines*2*-1"));
    EXPECT_EQ(w.child<QLabel>("IGRA")->text(), "lines");
    EXPECT_EQ(w.list("NASTROY")->currentRow(), 1);
    EXPECT_TRUE(fs::exists(w.play / "DATA/lines/res1.dat"));
    EXPECT_FALSE(fs::exists(w.play / "717.bol"));
    EXPECT_TRUE(w.records.submissions.empty());
    EXPECT_TRUE(w.fake.dialogs.messages.empty());
    EXPECT_TRUE(w.fake.process.exits.empty());
}

TEST(MainWindow, ARefusedHandoffShowsTheErrorAndEnds) {
    Window w;
    ASSERT_FALSE(w.load("lines*2*-1"));
    ASSERT_EQ(w.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(w.fake.dialogs.messages[0].title, "ERROR");
    EXPECT_EQ(w.fake.dialogs.messages[0].text, QStringLiteral("Ошибка при раскодировке!"));
    EXPECT_EQ(w.fake.dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(w.fake.process.exits, std::vector<int>{0});
    EXPECT_EQ(w.list("GAME")->count(), 0);
    EXPECT_FALSE(fs::exists(w.play / "DATA"));
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST(MainWindow, TheFourColumnsSelectOneRow) {
    struct Case {
        const char* column;
        QEvent::Type type;
        Qt::MouseButton button;
        Qt::MouseButtons buttons;
        int row;
        int selected;  // the row all four show afterwards
    };
    const Case cases[] = {
        {"IMYA", QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, 5, 5},
        {"OCHKI", QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, 7, 7},
        {"MESTO", QEvent::MouseButtonPress, Qt::MiddleButton, Qt::MiddleButton, 19, 19},
        {"DATA", QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, 9, 9},
        {"DATA", QEvent::MouseMove, Qt::NoButton, Qt::RightButton, 9, -1},
        {"IMYA", QEvent::MouseMove, Qt::NoButton, Qt::LeftButton | Qt::RightButton, 3, -1},
        {"IMYA", QEvent::MouseMove, Qt::NoButton, Qt::NoButton, 3, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " row " + std::to_string(c.row));
        Window w;
        ASSERT_TRUE(w.load(""));
        QListWidget* column = w.list(c.column);
        const QPoint pos = column->visualItemRect(column->item(c.row)).center();
        sendMouse(column->viewport(), c.type, pos, c.button, c.buttons);
        for (const char* name : {"MESTO", "IMYA", "DATA", "OCHKI"}) {
            EXPECT_EQ(w.list(name)->currentRow(), c.selected) << name;
        }
    }
    // A click on a row with the mouse as a player clicks.
    Window w;
    ASSERT_TRUE(w.load(""));
    QListWidget* names = w.list("IMYA");
    QTest::mouseClick(names->viewport(), Qt::LeftButton, {},
                      names->visualItemRect(names->item(12)).center());
    for (const char* name : {"MESTO", "IMYA", "DATA", "OCHKI"}) {
        EXPECT_EQ(w.list(name)->currentRow(), 12) << name;
    }
}

TEST(MainWindow, StartGameStartsTheChosenVariantAndEnds) {
    Window w;
    w.play.handOff("lines*2*-1", kNow);
    ASSERT_TRUE(w.load("lines*2*-1"));
    QTest::mouseClick(w.child<QPushButton>("Command1"), Qt::LeftButton);
    ASSERT_EQ(w.fake.launcher.starts.size(), 1u);
    EXPECT_EQ(w.fake.launcher.starts[0].program,
              QString::fromStdString(fs::absolute(w.play / "lines").string()));
    EXPECT_EQ(w.fake.launcher.starts[0].arguments, QStringList{"2"});
    EXPECT_EQ(w.fake.process.exits, std::vector<int>{0});
    EXPECT_TRUE(w.fake.sound.played.isEmpty());
}

TEST(MainWindow, AGameThatCannotStartLeavesTheManagerOpen) {
    Window w;
    w.fake.launcher.succeeds = false;
    ASSERT_TRUE(w.load(""));
    QTest::mouseClick(w.child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(w.fake.launcher.starts.size(), 1u);
    EXPECT_TRUE(w.fake.process.exits.empty());
    ASSERT_EQ(w.fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(w.fake.dialogs.messages[0].text.startsWith(QStringLiteral("Не удалось запустить")));
}

TEST(MainWindow, WithoutAGameOrVariantTheStartButtonIsDisabled) {
    Window w;
    w.play.addGame("novariant", "Без вариантов", 1, {});
    w.fake.random = ScriptedRandom({0.0});  // "Без вариантов" sorts first
    ASSERT_TRUE(w.load(""));
    EXPECT_EQ(w.child<QLabel>("IGRA")->text(), "novariant");
    EXPECT_FALSE(w.child<QPushButton>("Command1")->isEnabled());
    w.list("GAME")->setCurrentRow(1);
    EXPECT_TRUE(w.child<QPushButton>("Command1")->isEnabled());

    PlayDir empty;
    FakeServices fake;
    FakeRecordWindows records;
    Form1 form(fake.services, records, empty.dir());
    ASSERT_TRUE(form.load(""));
    EXPECT_FALSE(form.findChild<QPushButton*>("Command1")->isEnabled());
    EXPECT_TRUE(form.findChild<QPlainTextEdit*>("Text1")->toPlainText().isEmpty());
    EXPECT_EQ(form.findChild<QListWidget*>("IMYA")->count(), 0);
}

TEST(MainWindow, TheExitWaitsForTheExitSound) {
    struct Case {
        const char* what;
        bool soundOn;
        bool exitFiles;
        bool delayed;
    };
    const Case cases[] = {
        {"sound on with exit sounds", true, true, true},
        {"sound on without exit sounds", true, false, false},
        {"sound off", false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window w;
        setSoundSwitch(w.play, c.soundOn);
        if (c.exitFiles) {
            w.addSounds({"exit1.wav"});
        }
        ASSERT_TRUE(w.load(""));
        w.form->show();
        w.fake.sound.played.clear();
        w.form->close();
        EXPECT_FALSE(w.form->isVisible());
        auto* timer = w.form->findChild<QTimer*>("Timer1");
        ASSERT_NE(timer, nullptr);
        EXPECT_EQ(timer->interval(), 5000);
        EXPECT_EQ(timer->isActive(), c.delayed);
        EXPECT_EQ(w.fake.sound.played.size(), c.delayed ? 1 : 0);
        if (c.delayed) {
            EXPECT_TRUE(w.fake.process.exits.empty());
            ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
        }
        EXPECT_EQ(w.fake.process.exits, std::vector<int>{0});
    }
}

TEST(MainWindow, TheSaveGestureWritesTheRules) {
    struct Case {
        const char* what;
        QPoint at;
        Qt::MouseButtons buttons;
        QString text;
        bool saved;
        int messages;
    };
    const Case cases[] = {
        {"both buttons at the point", kRulesSaveGesturePoint, Qt::LeftButton | Qt::RightButton,
         QStringLiteral("Новые правила\nвторая строка"), true, 0},
        {"one pixel off", kRulesSaveGesturePoint + QPoint(1, 0), Qt::LeftButton | Qt::RightButton,
         QStringLiteral("Новые"), false, 0},
        {"only the left button", kRulesSaveGesturePoint, Qt::LeftButton, QStringLiteral("Новые"),
         false, 0},
        {"three buttons", kRulesSaveGesturePoint,
         Qt::LeftButton | Qt::RightButton | Qt::MiddleButton, QStringLiteral("Новые"), false, 0},
        {"a text too long", kRulesSaveGesturePoint, Qt::LeftButton | Qt::RightButton,
         QString(499, QLatin1Char('x')), false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window w;
        w.play.handOff("lines*1*-1", kNow);
        ASSERT_TRUE(w.load("lines*1*-1"));
        auto* text1 = w.child<QPlainTextEdit>("Text1");
        text1->setPlainText(c.text);
        const QPoint inViewport = text1->viewport()->mapFrom(text1, c.at);
        sendMouse(text1->viewport(), QEvent::MouseMove, inViewport, Qt::NoButton, c.buttons);
        EXPECT_EQ(w.child<QLabel>("Label6")->text(),
                  c.saved ? QStringLiteral("Правила:") : QStringLiteral("ПРАВИЛА:"));
        EXPECT_EQ(QString::fromStdString(loadRules(w.play.dir(), "lines")),
                  c.saved ? c.text : QStringLiteral("Правила линий"));
        EXPECT_EQ(static_cast<int>(w.fake.dialogs.messages.size()), c.messages);
        if (c.saved) {
            sendMouse(text1->viewport(), QEvent::MouseMove, inViewport, Qt::NoButton, c.buttons);
            EXPECT_EQ(w.child<QLabel>("Label6")->text(), QStringLiteral("ПРАВИЛА:"));
        }
    }
}

TEST(MainWindow, HelpAndAboutOpenTheirWindows) {
    Window w;
    ASSERT_TRUE(w.load(""));
    QTest::mouseClick(w.child<QPushButton>("Command3"), Qt::LeftButton);
    QTest::mouseClick(w.child<QPushButton>("Command2"), Qt::LeftButton);
    QTest::mouseClick(w.child<QPushButton>("Command2"), Qt::LeftButton);
    EXPECT_EQ(w.records.helps, 1);
    EXPECT_EQ(w.records.abouts, 2);
}

// ---- The intake of a handed-off result ----

Form2* visibleNameDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "Form2" && widget->isVisible()) {
            return static_cast<Form2*>(widget);
        }
    }
    return nullptr;
}

// Runs `drive` on the name dialog once it is open. The returned guard closes any dialog left
// open later, so a test that goes wrong fails instead of waiting forever; it stops with the test.
[[nodiscard]] std::unique_ptr<QTimer> whenNameDialogOpens(std::function<void(Form2*)> drive,
                                                          bool* opened) {
    QTimer::singleShot(0, [drive, opened] {
        Form2* dialog = visibleNameDialog();
        *opened = dialog != nullptr;
        if (dialog) {
            drive(dialog);
        }
    });
    auto guard = std::make_unique<QTimer>();
    guard->setSingleShot(true);
    QObject::connect(guard.get(), &QTimer::timeout, [] {
        if (Form2* dialog = visibleNameDialog()) {
            dialog->reject();
        }
    });
    guard->start(3000);
    return guard;
}

struct IntakeWindow : Window {
    std::string code;
    void handOffResult(int result, int variant = 1) {
        code = PlayDir::code("lines", variant, result, kToday);
        play.handOff("lines*" + std::to_string(variant) + "*" + code, {11, 59, 59});
    }
    bool loadHandoff(int variant = 1) {
        return load(QString::fromStdString("lines*" + std::to_string(variant) + "*" + code));
    }
};

TEST(MainWindowIntake, ANewNameIsCreatedChosenAndStored) {
    IntakeWindow w;
    setSoundSwitch(w.play, true);
    w.addSounds({"2ndplace1.wav"});
    w.play.fillTable("lines", 1, {900, 100});
    ASSERT_EQ(addPlayerName(w.play.dir(), "Аня"), AddPlayerOutcome::Kept);
    w.handOffResult(321, 2);
    w.fake.dialogs.textAnswers.push_back(QStringLiteral("  Новичок  "));
    bool mainWindowHidden = false;
    w.records.onSubmission = [&] {
        mainWindowHidden = !w.form->isVisible() && visibleNameDialog() == nullptr;
    };
    bool opened = false;
    QString captions;
    const auto guard = whenNameDialogOpens(
        [&](Form2* dialog) {
            captions = dialog->findChild<QLabel*>("Label4")->text() + "/" +
                       dialog->findChild<QLabel*>("Label5")->text();
            auto* list = dialog->findChild<QComboBox*>("LIST1");
            list->setCurrentIndex(0);
            emit list->activated(0);
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        },
        &opened);
    ASSERT_TRUE(w.loadHandoff(2));
    EXPECT_TRUE(opened);
    EXPECT_EQ(captions, "321/2");
    ASSERT_EQ(w.fake.sound.played.size(), 1);
    EXPECT_TRUE(w.fake.sound.played[0].endsWith("2ndplace1.wav"));

    ASSERT_EQ(w.records.submissions.size(), 1u);
    const SubmissionInput& input = w.records.submissions[0];
    EXPECT_EQ(input.gameId, "lines");
    EXPECT_EQ(input.variant, 2);
    EXPECT_EQ(input.result, 321);
    EXPECT_EQ(input.handoffTime, (TimeOfDay{11, 59, 59}));
    EXPECT_TRUE(mainWindowHidden);

    EXPECT_EQ(rows(w.list("IMYA")).mid(0, 3), (QStringList{"R1", QStringLiteral("Новичок"), "R2"}));
    EXPECT_EQ(rows(w.list("OCHKI")).mid(0, 3), (QStringList{"900", "321", "100"}));
    EXPECT_EQ(w.list("DATA")->item(1)->text(), "06.12.2026");
    EXPECT_EQ(w.list("IMYA")->currentRow(), 1);
    EXPECT_EQ(loadPlayerNames(w.play.dir()), (std::vector<std::string>{"Аня", "Новичок"}));

    ResultTable table;
    ASSERT_EQ(table.load(w.play.dir(), "lines", 1), SlotStatus::Ok);
    EXPECT_EQ(table.rows()[1], (TableRow{"Новичок", "06.12.2026", "321"}));
    const std::string bytes = testing::readBytes(w.play / "DATA/lines/res1.dat");
    EXPECT_EQ(bytes.substr(3 * 30, 9), std::string("\x07\x00\xCD\xEE\xE2\xE8\xF7\xEE\xEA", 9));
    EXPECT_EQ(bytes.substr(5 * 30, 5), std::string("\x03\x00"
                                                   "321",
                                                   5));
}

TEST(MainWindowIntake, ClosingTheNameDialogStoresNothing) {
    IntakeWindow w;
    w.handOffResult(50);
    bool opened = false;
    const auto guard = whenNameDialogOpens([](Form2* dialog) { dialog->close(); }, &opened);
    ASSERT_TRUE(w.loadHandoff());
    EXPECT_TRUE(opened);
    EXPECT_TRUE(w.records.submissions.empty());
    EXPECT_EQ(w.list("IMYA")->item(0)->text(), "");
    EXPECT_EQ(testing::readBytes(w.play / "DATA/lines/res0.dat"), std::string(1800, '\0'));
}

TEST(MainWindowIntake, ARejectedCodeOrAResultWithoutPlaceShowsNothing) {
    struct Case {
        const char* what;
        int result;
        std::vector<int> table;
        bool spoil;       // alter the code after the hand-off file was written
        bool otherCheck;  // the hand-off file names another last character
    };
    const Case cases[] = {
        {"a code the decoder rejects", 50, {}, true, false},
        {"a check character that does not match", 50, {}, false, true},
        {"a result with no place", 50, std::vector<int>(20, 60), false, false},
        {"the encoded -1", -1, {}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IntakeWindow w;
        w.play.fillTable("lines", 0, c.table);
        w.handOffResult(c.result);
        if (c.spoil) {
            w.code[3] = w.code[3] == 'a' ? 'b' : 'a';
        }
        if (c.otherCheck) {
            std::string other = "lines*1*" + w.code;
            other.back() = other.back() == 'a' ? 'b' : 'a';
            w.play.handOff(other, {11, 59, 59});
        }
        const std::string before = testing::readBytes(w.play / "DATA/lines/res0.dat");
        bool opened = false;
        const auto guard = whenNameDialogOpens([](Form2* dialog) { dialog->reject(); }, &opened);
        ASSERT_TRUE(w.loadHandoff());
        QApplication::processEvents();
        EXPECT_FALSE(opened);
        EXPECT_TRUE(w.records.submissions.empty());
        EXPECT_TRUE(w.fake.dialogs.messages.empty());
        EXPECT_EQ(w.child<QLabel>("IGRA")->text(), "lines");
        EXPECT_EQ(w.list("NASTROY")->currentRow(), 0);
        if (!before.empty()) {
            EXPECT_EQ(testing::readBytes(w.play / "DATA/lines/res0.dat"), before);
        }
    }
}

}  // namespace
}  // namespace tro
