#include "form1.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
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

// A message made of whole sentences: no full stop before a closing bracket, no capital
// after a colon, a full stop at the end.
bool wellFormed(const QString& text) {
    static const QRegularExpression faults(QStringLiteral("[.!?]\\)|: \\p{Lu}"));
    return !text.contains(faults) && text.endsWith(QLatin1Char('.'));
}

QStringList rows(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->item(i)->text();
    }
    return out;
}

TEST(MainWindow, AUserStartShowsTheCatalogueAndARandomVariant) {
    Window w;
    w.fake.random = ScriptedRandom({0.99});
    ASSERT_TRUE(w.load(""));
    EXPECT_FALSE(w.form->isVisible());
    EXPECT_EQ(w.form->windowTitle(), QStringLiteral("Трофеон            Версия 3.1"));
    EXPECT_EQ(rows(w.list("GAME")), (QStringList{"ЛАЙНС", "Сапер"}));
    EXPECT_EQ(w.list("GAME")->currentRow(), 1);
    EXPECT_EQ(w.child<QLabel>("IGRA")->text(), "bomvik");
    EXPECT_EQ(rows(w.list("NASTROY")), (QStringList{"новичок", "любитель", "профессионал"}));
    EXPECT_EQ(w.list("NASTROY")->currentRow(), 2);
    const QStringList places = rows(w.list("MESTO"));
    EXPECT_EQ(places.size(), 20);
    EXPECT_EQ(places.first() + "|" + places.last(), " 1|20");
    EXPECT_EQ(w.list("OCHKI")->count(), 20);
    EXPECT_TRUE(fs::exists(w.play / "DATA/bomvik/res2.dat"));
    EXPECT_TRUE(w.child<QPushButton>("Command1")->isEnabled());
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
    ASSERT_EQ(w.fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(wellFormed(w.fake.dialogs.messages[0].text))
        << w.fake.dialogs.messages[0].text.toStdString();
    EXPECT_EQ(rows(w.list("GAME")), (QStringList{"ЛАЙНС", "Сапер"}));
    EXPECT_EQ(w.list("MESTO")->count(), 20);
    w.list("GAME")->setCurrentRow(0);
    w.list("NASTROY")->setCurrentRow(0);
    EXPECT_EQ(w.fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(w.fake.process.exits.empty());
}

TEST(MainWindow, TheSoundSwitchAndTheStartSound) {
    // The switch in the file (none: no file yet), start sound files, the command line; then
    // the box's state and the number of sounds played. A start by a hand-off plays nothing.
    const std::tuple<std::optional<bool>, bool, QString, bool, int> cases[] = {
        {std::nullopt, true, "", false, 0},  {true, true, "", true, 1},
        {false, true, "", false, 0},         {true, false, "", true, 0},
        {true, true, "lines*1*-1", true, 0},
    };
    for (const auto& [fileSwitch, startFiles, commandLine, checked, played] : cases) {
        SCOPED_TRACE(fileSwitch.value_or(false) + 2 * startFiles + 4 * commandLine.isEmpty());
        Window w;
        if (startFiles) {
            w.addSounds({"start1.wav", "start2.wav"});
        }
        if (fileSwitch) {
            ASSERT_EQ(writeSoundSwitch(w.play.dir(), *fileSwitch), SlotStatus::Ok);
        }
        if (!commandLine.isEmpty()) {
            w.play.handOff(commandLine.toStdString(), kNow);
        }
        ASSERT_TRUE(w.load(commandLine));
        auto* box = w.child<QCheckBox>("Check1");
        EXPECT_EQ(box->isChecked(), checked);
        EXPECT_EQ(w.fake.sound.played.size(), played);
        // The file is written on a first start too, with the switch off.
        EXPECT_EQ(testing::readBytes(w.play / "tropheon.dat").substr(0, 2),
                  checked ? std::string("\x01\x00", 2) : std::string(2, '\0'));
        // A click turns the switch over and writes it at once.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
        EXPECT_EQ(readSoundSwitch(w.play.dir()), !checked);
    }
}

TEST(MainWindow, AHandoffWithoutAResultOpensThatTableAndStartGameStartsIt) {
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

    QTest::mouseClick(w.child<QPushButton>("Command1"), Qt::LeftButton);
    ASSERT_EQ(w.fake.launcher.starts.size(), 1u);
    EXPECT_EQ(w.fake.launcher.starts[0].program,
              QString::fromStdString(fs::absolute(w.play / "lines").string()));
    EXPECT_EQ(w.fake.launcher.starts[0].arguments, QStringList{"2"});
    EXPECT_EQ(w.fake.process.exits, std::vector<int>{0});
    EXPECT_TRUE(w.fake.sound.played.isEmpty());
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
    // A press with any button, or a move with the left button alone held, selects the row;
    // the other columns follow. -1: nothing selected.
    using B = Qt::MouseButton;
    const std::tuple<const char*, QEvent::Type, B, Qt::MouseButtons, int, int> cases[] = {
        {"IMYA", QEvent::MouseButtonPress, B::LeftButton, B::LeftButton, 5, 5},
        {"OCHKI", QEvent::MouseButtonPress, B::RightButton, B::RightButton, 7, 7},
        {"MESTO", QEvent::MouseButtonPress, B::MiddleButton, B::MiddleButton, 19, 19},
        {"DATA", QEvent::MouseMove, B::NoButton, B::LeftButton, 9, 9},
        {"DATA", QEvent::MouseMove, B::NoButton, B::RightButton, 9, -1},
        {"IMYA", QEvent::MouseMove, B::NoButton, B::LeftButton | B::RightButton, 3, -1},
        {"IMYA", QEvent::MouseMove, B::NoButton, B::NoButton, 3, -1},
    };
    for (const auto& [name, type, button, buttons, row, selected] : cases) {
        SCOPED_TRACE(std::string(name) + " row " + std::to_string(row));
        Window w;
        ASSERT_TRUE(w.load(""));
        QListWidget* column = w.list(name);
        const QPoint pos = column->visualItemRect(column->item(row)).center();
        sendMouse(column->viewport(), type, pos, button, buttons);
        for (const char* other : {"MESTO", "IMYA", "DATA", "OCHKI"}) {
            EXPECT_EQ(w.list(other)->currentRow(), selected) << other;
        }
    }
}

TEST(MainWindow, WithoutAGameOrAStartableProgramTheManagerStaysOpen) {
    Window w;
    w.play.addGame("novariant", "Без вариантов", 1, {});
    w.fake.random = ScriptedRandom({0.0});  // "Без вариантов" sorts first
    w.fake.launcher.succeeds = false;
    ASSERT_TRUE(w.load(""));
    EXPECT_EQ(w.child<QLabel>("IGRA")->text(), "novariant");
    EXPECT_FALSE(w.child<QPushButton>("Command1")->isEnabled());
    w.list("GAME")->setCurrentRow(1);
    QTest::mouseClick(w.child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(w.fake.launcher.starts.size(), 1u);
    EXPECT_TRUE(w.fake.process.exits.empty());
    ASSERT_EQ(w.fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(w.fake.dialogs.messages[0].text.startsWith(QStringLiteral("Не удалось запустить")));

    PlayDir empty;
    Form1 form(w.fake.services, w.records, empty.dir());
    ASSERT_TRUE(form.load(""));
    EXPECT_FALSE(form.findChild<QPushButton*>("Command1")->isEnabled());
    EXPECT_EQ(form.findChild<QListWidget*>("IMYA")->count(), 0);
}

TEST(MainWindow, TheExitWaitsForTheExitSound) {
    // Sound switch, exit sound files, whether the end waits for the sound.
    const std::tuple<bool, bool, bool> cases[] = {
        {true, true, true}, {true, false, false}, {false, true, false}};
    for (const auto& [soundOn, exitFiles, delayed] : cases) {
        SCOPED_TRACE(std::to_string(soundOn) + std::to_string(exitFiles));
        Window w;
        ASSERT_EQ(writeSoundSwitch(w.play.dir(), soundOn), SlotStatus::Ok);
        if (exitFiles) {
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
        EXPECT_EQ(timer->isActive(), delayed);
        EXPECT_EQ(w.fake.sound.played.size(), delayed ? 1 : 0);
        if (delayed) {
            EXPECT_TRUE(w.fake.process.exits.empty());
            ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
        }
        EXPECT_EQ(w.fake.process.exits, std::vector<int>{0});
    }
}

TEST(MainWindow, TheSaveGestureWritesTheRules) {
    const Qt::MouseButtons both = Qt::LeftButton | Qt::RightButton;
    const QPoint at = kRulesSaveGesturePoint;
    const QString fresh = QStringLiteral("Новые правила\nвторая строка");
    const std::tuple<QPoint, Qt::MouseButtons, QString, bool> cases[] = {
        {at, both, fresh, true},
        {at + QPoint(1, 0), both, fresh, false},
        {at, Qt::LeftButton, fresh, false},
        {at, both | Qt::MiddleButton, fresh, false},
        {at, both, QString(499, QLatin1Char('x')), false},  // too long: told, not saved
    };
    for (const auto& [point, buttons, text, saved] : cases) {
        SCOPED_TRACE(text.size());
        Window w;
        w.play.handOff("lines*1*-1", kNow);
        ASSERT_TRUE(w.load("lines*1*-1"));
        auto* text1 = w.child<QPlainTextEdit>("Text1");
        text1->setPlainText(text);
        const QPoint inViewport = text1->viewport()->mapFrom(text1, point);
        sendMouse(text1->viewport(), QEvent::MouseMove, inViewport, Qt::NoButton, buttons);
        EXPECT_EQ(w.child<QLabel>("Label6")->text(),
                  saved ? QStringLiteral("Правила:") : QStringLiteral("ПРАВИЛА:"));
        EXPECT_EQ(QString::fromStdString(loadRules(w.play.dir(), "lines")),
                  saved ? text : QStringLiteral("Правила линий"));
        ASSERT_EQ(w.fake.dialogs.messages.size(), text.size() > 400 ? 1u : 0u);
        for (const auto& message : w.fake.dialogs.messages) {
            EXPECT_TRUE(wellFormed(message.text)) << message.text.toStdString();
        }
        if (saved) {  // a second gesture turns the heading back
            sendMouse(text1->viewport(), QEvent::MouseMove, inViewport, Qt::NoButton, buttons);
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

TEST(MainWindow, TabWalksTheControlsAndTypesNoTab) {
    Window w;
    ASSERT_TRUE(w.load(""));
    w.form->show();
    w.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.form.get()));
    const QStringList order = {"GAME",     "Text1",    "NASTROY", "Command1", "IMYA",
                               "Command3", "Command2", "Check1",  "GAME"};
    const auto walk = [&](Qt::KeyboardModifiers modifiers) {
        QStringList seen = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            seen << QApplication::focusWidget()->objectName();
        }
        return seen;
    };
    w.list("GAME")->setFocus();
    EXPECT_EQ(walk(Qt::NoModifier), order);
    QStringList backwards = order;
    std::reverse(backwards.begin(), backwards.end());
    EXPECT_EQ(walk(Qt::ShiftModifier), backwards);
    // Leaving the table from any of its columns goes on past the table.
    w.list("OCHKI")->setFocus();
    QTest::keyClick(w.list("OCHKI"), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "Command3");
    EXPECT_FALSE(w.child<QPlainTextEdit>("Text1")->toPlainText().contains('\t'));
}

TEST(MainWindow, TextsThatDoNotFitShowWholeAsTooltips) {
    Window w;
    const std::string wide = "Профессионал: поле 30 x 16, 99 мин";
    w.play.addGame("bomvik", "Сапер: очень длинное название игры в списке", -1, {"новичок", wide});
    w.fake.random = ScriptedRandom({0.99, 0.5});
    ResultTable table;
    ASSERT_EQ(table.load(w.play.dir(), "bomvik", 1), SlotStatus::Ok);
    const std::string player = "ШШШШШШШШШШШШШШШШШШШШШШШШШ";  // 25 wide letters
    ASSERT_EQ(table.store(1, player, "01.01.2026", "10"), StoreOutcome::Stored);
    ASSERT_EQ(table.store(2, "Аня", "01.01.2026", "20"), StoreOutcome::Stored);
    ASSERT_TRUE(w.load(""));
    ASSERT_EQ(w.child<QLabel>("IGRA")->text(), "bomvik");
    w.form->show();
    // The tooltip the control shows when the pointer rests at `pos`.
    const auto tipAt = [](QWidget* target, QPoint pos) {
        QHelpEvent event(QEvent::ToolTip, pos, target->mapToGlobal(pos));
        QApplication::sendEvent(target, &event);
    };
    // The list, the row, whether its text is the tooltip.
    const std::tuple<const char*, int, bool> cases[] = {
        {"GAME", 1, true},     {"GAME", 0, false}, {"NASTROY", 1, true},
        {"NASTROY", 0, false}, {"IMYA", 0, true},  {"IMYA", 1, false},
    };
    for (const auto& [name, row, tipped] : cases) {
        QListWidget* list = w.list(name);
        QListWidgetItem* item = list->item(row);
        tipAt(list->viewport(), list->visualItemRect(item).center());
        EXPECT_EQ(item->toolTip(), tipped ? item->text() : QString()) << name << row;
    }

    // The name list of the name dialog opens wide enough for a long name, and the box shows
    // the chosen name whole as its tooltip.
    ASSERT_EQ(addPlayerName(w.play.dir(), player), AddPlayerOutcome::Kept);
    Form2 dialog(w.fake.services, w.play.dir());
    auto* list = dialog.findChild<QComboBox*>("LIST1");
    EXPECT_GT(list->view()->minimumWidth(),
              list->view()->fontMetrics().horizontalAdvance(QString::fromStdString(player)));
    for (const int index : {1, 0}) {
        list->setCurrentIndex(index);
        tipAt(list, list->rect().center());
        EXPECT_EQ(list->toolTip(), index == 1 ? QString::fromStdString(player) : QString());
    }
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
            dialog->done(QDialog::Rejected);
        }
    });
    guard->start(3000);
    return guard;
}

// Starts the manager with `code` handed off for a variant of "lines", the hand-off file
// vouching for `vouched` (the code itself when empty).
bool loadCode(Window& w, const std::string& code, int variant = 1, std::string vouched = "") {
    const std::string text = "lines*" + std::to_string(variant) + "*";
    w.play.handOff(text + (vouched.empty() ? code : vouched), {11, 59, 59});
    return w.load(QString::fromStdString(text + code));
}

TEST(MainWindowIntake, ANewNameIsCreatedChosenAndStored) {
    Window w;
    ASSERT_EQ(writeSoundSwitch(w.play.dir(), true), SlotStatus::Ok);
    w.addSounds({"2ndplace1.wav"});
    w.play.fillTable("lines", 1, {900, 100});
    ASSERT_EQ(addPlayerName(w.play.dir(), "Аня"), AddPlayerOutcome::Kept);
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
    ASSERT_TRUE(loadCode(w, PlayDir::code("lines", 2, 321, kToday), 2));
    EXPECT_TRUE(opened);
    EXPECT_EQ(captions, "321/2");
    ASSERT_EQ(w.fake.sound.played.size(), 1);
    EXPECT_TRUE(w.fake.sound.played[0].endsWith("2ndplace1.wav"));

    ASSERT_EQ(w.records.submissions.size(), 1u);
    const SubmissionInput& in = w.records.submissions[0];
    EXPECT_EQ(std::tie(in.gameId, in.variant, in.result, in.handoffTime),
              std::make_tuple(std::string("lines"), 2, 321, TimeOfDay{11, 59, 59}));
    EXPECT_TRUE(mainWindowHidden);

    EXPECT_EQ(rows(w.list("IMYA")).mid(0, 3), (QStringList{"R1", QStringLiteral("Новичок"), "R2"}));
    EXPECT_EQ(rows(w.list("OCHKI")).mid(0, 3), (QStringList{"900", "321", "100"}));
    EXPECT_EQ(w.list("IMYA")->currentRow(), 1);
    EXPECT_EQ(loadPlayerNames(w.play.dir()), (std::vector<std::string>{"Аня", "Новичок"}));

    const std::string bytes = testing::readBytes(w.play / "DATA/lines/res1.dat");
    EXPECT_EQ(bytes.substr(3 * 30, 9), std::string("\x07\x00\xCD\xEE\xE2\xE8\xF7\xEE\xEA", 9));
    EXPECT_EQ(bytes.substr(4 * 30, 12), std::string("\x0a\x00", 2) + "06.12.2026");
    EXPECT_EQ(bytes.substr(5 * 30, 5), std::string("\x03\x00", 2) + "321");
}

// Escape and the close button ask first; only a yes gives the result up.
TEST(MainWindowIntake, ClosingTheNameDialogAsksAndThenStoresNothing) {
    Window w;
    w.fake.dialogs.yesNoAnswers = {false, true};
    bool opened = false;
    bool stayed = false;
    const auto guard = whenNameDialogOpens(
        [&](Form2* dialog) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            stayed = dialog->isVisible();
            dialog->close();
        },
        &opened);
    ASSERT_TRUE(loadCode(w, PlayDir::code("lines", 1, 50, kToday)));
    EXPECT_TRUE(opened);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(w.fake.dialogs.questions.size(), 2u);
    EXPECT_EQ(w.fake.dialogs.questions[1].text,
              QStringLiteral("Результат не будет сохранён. Закрыть?"));
    EXPECT_TRUE(w.records.submissions.empty());
    EXPECT_EQ(w.list("IMYA")->item(0)->text(), "");
    EXPECT_EQ(testing::readBytes(w.play / "DATA/lines/res0.dat"), std::string(1800, '\0'));
}

// A player whose entry above is better or equal is told so, before the submission window.
TEST(MainWindowIntake, APlayerWithABetterEntryIsToldWhyNothingWasStored) {
    Window w;
    w.play.fillTable("lines", 0, {900, 100});
    ASSERT_EQ(addPlayerName(w.play.dir(), "R1"), AddPlayerOutcome::Kept);
    std::size_t toldBeforeSubmission = 0;
    w.records.onSubmission = [&] { toldBeforeSubmission = w.fake.dialogs.messages.size(); };
    bool opened = false;
    const auto guard = whenNameDialogOpens(
        [](Form2* dialog) {
            dialog->findChild<QComboBox*>("LIST1")->setCurrentIndex(1);
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        },
        &opened);
    ASSERT_TRUE(loadCode(w, PlayDir::code("lines", 1, 321, kToday)));
    EXPECT_TRUE(opened);
    EXPECT_EQ(w.records.submissions.size(), 1u);
    ASSERT_EQ(toldBeforeSubmission, 1u);
    EXPECT_EQ(w.fake.dialogs.messages[0].title, QStringLiteral("Трофеон"));
    EXPECT_EQ(w.fake.dialogs.messages[0].text,
              QStringLiteral("У игрока R1 уже есть результат не хуже."));
    EXPECT_EQ(rows(w.list("OCHKI")).mid(0, 3), (QStringList{"900", "100", ""}));
}

TEST(MainWindowIntake, ARejectedCodeOrAResultWithoutPlaceShowsAndStoresNothing) {
    const std::string good = PlayDir::code("lines", 1, 50, kToday);
    std::string altered = good;
    altered[3] = altered[3] == 'a' ? 'b' : 'a';
    std::string otherCheck = good;
    otherCheck.back() = otherCheck.back() == 'a' ? 'b' : 'a';
    const std::string minusOne = PlayDir::code("lines", 1, -1, kToday);
    const std::string yesterday = PlayDir::code("lines", 1, 50, {2026, 12, 5});
    const std::string otherVariant = PlayDir::code("lines", 2, 50, kToday);
    // The code on the command line, the code the hand-off file vouches for, lines' first table.
    const std::tuple<const char*, std::string, std::string, std::vector<int>> cases[] = {
        {"a code the decoder rejects", altered, altered, {}},
        {"a check character that does not match", good, otherCheck, {}},
        {"a result with no place", good, good, std::vector<int>(20, 60)},
        {"the encoded -1", minusOne, minusOne, {}},
        {"yesterday's code", yesterday, yesterday, {}},
        {"another variant's code", otherVariant, otherVariant, {}},
        {"a short code", "ABC", "ABC", {}},
    };
    for (const auto& [what, code, vouched, table] : cases) {
        SCOPED_TRACE(what);
        Window w;
        w.play.fillTable("lines", 0, table);
        const std::string before = testing::readBytes(w.play / "DATA/lines/res0.dat");
        bool opened = false;
        const auto guard =
            whenNameDialogOpens([](Form2* dialog) { dialog->done(QDialog::Rejected); }, &opened);
        ASSERT_TRUE(loadCode(w, code, 1, vouched));
        QApplication::processEvents();
        EXPECT_FALSE(opened);
        EXPECT_TRUE(w.records.submissions.empty());
        EXPECT_TRUE(w.fake.dialogs.messages.empty());
        EXPECT_EQ(w.child<QLabel>("IGRA")->text(), "lines");
        EXPECT_EQ(w.list("NASTROY")->currentRow(), 0);
        EXPECT_EQ(testing::readBytes(w.play / "DATA/lines/res0.dat"),
                  table.empty() ? std::string(60 * kResultTableSlotLength, '\0') : before);
    }
}

}  // namespace
}  // namespace tro
