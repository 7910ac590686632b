#include "korvat_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "handoff.h"
#include "result_code.h"
#include "slot_file.h"
#include "testing/fake_services.h"
#include "testing/maze_way.h"
#include "testing/temp_dir.h"
#include "twips.h"

namespace korvat {
namespace {

using testing::boxWay;
using tro::testing::FakeServices;
using tro::testing::TempDir;

const QString kStarted =
    "Игра началась. Надо дойти до красного поля как можно быстрее, не касаясь стенок";
const QString kTouched =
    "К сожалению, вы задели стенку. Чтобы начать сначала, поставьте указатель мыши на желтое "
    "поле.";

// A play directory with the game's sounds and the switches of `onSlots` on, and the game
// started in a maze.
struct Play {
    explicit Play(int maze, const std::vector<int>& onSlots = {kSoundSwitchSlot}) {
        std::filesystem::create_directories(dir / "sound");
        for (const char* sound : {"good1.wav", "error1.wav"})
            tro::testing::writeBytes(dir / "sound" / sound, "RIFF");
        tro::SlotFile settings(dir / "korvat.dat", tro::kGameSettingsSlotLength);
        EXPECT_EQ(settings.open(), tro::SlotStatus::Ok);
        for (const int slot : onSlots)
            EXPECT_EQ(settings.writeInteger(slot, 1), tro::SlotStatus::Ok);
        EXPECT_TRUE(frame.start({QString::number(maze)}));
        window = std::make_unique<KorvatWindow>(frame);
        window->show();
    }

    template <class T = QWidget>
    T* find(const QString& name) {
        T* child = window->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    QString text(const QString& name) { return find(name)->property("text").toString(); }
    bool saveEnabled() { return find("Command1")->isEnabled(); }
    bool ticking() { return find<QTimer>("Timer1")->isActive(); }
    QColor shown(BoxPoint at) { return find("Picture1")->grab().toImage().pixelColor(at.x, at.y); }

    // A pointer move over the maze box, as the window system delivers it.
    void move(BoxPoint at) {
        QWidget* box = find("Picture1");
        const QPointF local(at.x, at.y);
        QMouseEvent event(QEvent::MouseMove, local, box->mapToGlobal(local), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(box, &event);
    }
    // Time passes and the timer fires.
    void wait(int ms) {
        fake.clock.advanceMs(ms);
        window->Timer1_Timer();
    }
    // Walks the pointer from the start field to the finish field, `msPerStep` between moves.
    void runThrough(int msPerStep) {
        const auto way = boxWay(window->game().maze());
        for (std::size_t i = 0; i < way.size(); ++i) {
            wait(i > 0 ? msPerStep : 0);
            move(way[i]);
        }
    }
    QString handedOff() {
        return fake.launcher.starts.empty() ? "" : fake.launcher.starts.back().arguments.value(0);
    }
    // The result handed off last, decoded; -1 when there is none.
    int handedOffTicks() {
        const auto handoff = tro::parseHandoffText(handedOff().toStdString());
        return tro::Rascodirovka("korvat", handoff.variant, handoff.code, fake.clock.now().date);
    }

    TempDir dir;
    FakeServices fake;
    tro::GameFrame frame{{"korvat", kMazeCount, -1}, fake.services, dir.path()};
    std::unique_ptr<KorvatWindow> window;
};

// The maze box shows the maze stretched without smoothing: only its four colours.
TEST(KorvatWindow, ShowsItsControlsAndEveryMazeInItsFourColours) {
    for (int maze = 1; maze <= kMazeCount; ++maze) {
        Play play(maze);
        const QImage shot = play.find("Picture1")->grab().toImage();
        int mismatches = 0;
        for (int y = 0; y < kBoxHeight; ++y) {
            for (int x = 0; x < kBoxWidth; ++x) {
                const Rgb rgb = rgbOf(play.window->game().box().mazeAt({x, y}));
                mismatches += shot.pixelColor(x, y) != QColor(rgb.r, rgb.g, rgb.b);
            }
        }
        EXPECT_EQ(mismatches, 0) << "maze " << maze;
    }
    Play play(1);
    EXPECT_EQ(play.window->windowTitle(), "Владение мышью");
    EXPECT_EQ(play.text("Label2"),
              "Чтобы начать игру, поставьте мышку на желтое поле. Надо пройти лабиринт, не "
              "касаясь стенок. Финиш - красное поле.");
    for (const auto& [name, text] :
         std::vector<std::pair<QString, QString>>{{"Label3", "Время:"},
                                                  {"Label4", "0"},
                                                  {"Command1", "Сохранить результат"},
                                                  {"Check1", "Оставлять след"},
                                                  {"Check2", "SOUND"},
                                                  {"Check3", "Линия рекорда"}})
        EXPECT_EQ(play.text(name), text);
    EXPECT_FALSE(play.saveEnabled());
}

// Yellow starts the run and its clock; a touch aborts it with the message, and the clock
// stays where the run ended.
TEST(KorvatWindow, EnteringTheYellowFieldStartsAndAWallAborts) {
    Play play(1);
    play.move({300, 40});
    EXPECT_FALSE(play.ticking());
    play.move({460, 40});
    EXPECT_EQ(play.text("Label2"), kStarted);
    EXPECT_EQ(play.text("Label1"), "1");
    EXPECT_TRUE(play.ticking());
    play.wait(1234);
    EXPECT_EQ(play.text("Label4"), "12");
    // A late timer: the move brings the clock up to its moment.
    play.fake.clock.advanceMs(1265);
    play.move({470, 40});
    EXPECT_EQ(play.text("Label4"), "24");
    EXPECT_EQ(play.window->game().currentPath().back().t, 25);
    // A jump into the finish field across walls is a touch, not a finish.
    play.move({30, 30});
    EXPECT_EQ(play.text("Label2"), kTouched);
    EXPECT_EQ(play.text("Label1"), "0");
    EXPECT_FALSE(play.ticking() || play.saveEnabled());
    EXPECT_TRUE(play.fake.sound.played.back().endsWith("error1.wav"));
    play.wait(1000);
    play.move({31, 30});
    EXPECT_EQ(play.text("Label4"), "24");
    EXPECT_TRUE(play.fake.dialogs.questions.empty());
}

TEST(KorvatWindow, RedFinishesWithTheQuestionAndYesHandsOffTheTicks) {
    Play play(2);
    play.fake.dialogs.yesNoAnswers = {true};
    play.runThrough(100);
    const int ticks = static_cast<int>(boxWay(2).size()) - 1;
    EXPECT_FALSE(play.ticking());
    EXPECT_EQ(play.text("Label4"), QString::number(ticks));
    const QString seconds = QString::fromStdString(secondsText(ticks));
    EXPECT_EQ(play.text("Label2"),
              "Вы прошли лабиринт за " + seconds + " секунды.Поставлен новый рекорд!");
    ASSERT_EQ(play.fake.dialogs.questions.size(), 1u);
    EXPECT_EQ(play.fake.dialogs.questions[0].title, "Владение мышью");
    EXPECT_EQ(play.fake.dialogs.questions[0].text,
              "Вы прошли лабиринт за" + seconds +
                  " секунды.Поставлен новый рекорд! Сохранить результат?");
    EXPECT_TRUE(play.fake.sound.played.back().endsWith("good1.wav"));
    EXPECT_EQ(play.handedOffTicks(), ticks);
    EXPECT_TRUE(play.handedOff().startsWith("korvat*2*"));
}

// No keeps the result until the next start, which also wipes the trail of the run before.
TEST(KorvatWindow, NoKeepsTheResultUntilTheNextStart) {
    Play play(1, {kSoundSwitchSlot, kTrailSlot});
    play.runThrough(100);
    EXPECT_TRUE(play.saveEnabled());
    const BoxPoint dot = boxWay(1).at(3);
    EXPECT_EQ(play.shown(dot), QColor(0, 128, 128));
    // A slower second run is no record: the note stays away.
    play.runThrough(200);
    EXPECT_TRUE(play.fake.dialogs.questions.back().text.endsWith(" секунды. Сохранить результат?"));
    EXPECT_TRUE(play.saveEnabled());
    play.move({460, 40});
    EXPECT_FALSE(play.saveEnabled());
    EXPECT_EQ(play.shown(dot), QColor(Qt::white));
    play.move({0, 100});
    EXPECT_FALSE(play.saveEnabled());
    play.runThrough(300);
    QTest::mouseClick(play.find<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(play.handedOffTicks(), 3 * (static_cast<int>(boxWay(1).size()) - 1));
}

TEST(KorvatWindow, SwitchesAreReadFromTheirSlotsAndKeptAcrossStarts) {
    for (const auto& [name, slot] : std::vector<std::pair<QString, int>>{
             {"Check1", kTrailSlot}, {"Check2", kSoundSwitchSlot}, {"Check3", kRecordLineSlot}}) {
        Play play(1, {});
        QCheckBox* box = play.find<QCheckBox>(name);
        EXPECT_FALSE(box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        for (const int other : {kTrailSlot, kSoundSwitchSlot, kRecordLineSlot})
            EXPECT_EQ(play.frame.switchValue(other), other == slot) << other;
        play.move({460, 40});
        play.move({0, 100});
        play.move({460, 40});
        EXPECT_TRUE(box->isChecked());
        EXPECT_TRUE(KorvatWindow(play.frame).findChild<QCheckBox*>(name)->isChecked());
        // Without its switch the sound stays silent.
        EXPECT_EQ(play.fake.sound.played.isEmpty(), slot != kSoundSwitchSlot);
    }
}

// Choosing a maze ends the run in progress without a result; the game waits for a new start.
TEST(KorvatWindow, ADoubleClickOnAThumbnailDuringARunEndsTheRun) {
    Play play(1);
    play.move({460, 40});
    play.wait(700);
    QTest::mouseDClick(play.find("Picture2_2"), Qt::LeftButton);
    EXPECT_EQ(play.window->game().maze(), 3);
    EXPECT_FALSE(play.ticking());
    EXPECT_EQ(play.text("Label1"), "0");
    EXPECT_TRUE(play.text("Label2").startsWith("Чтобы начать игру"));
    EXPECT_EQ(play.text("Label4"), "0");
    EXPECT_EQ(play.shown({10, 10}), QColor(Qt::yellow));
    // Closing hands off the maze chosen last, without a result.
    play.window->close();
    EXPECT_EQ(play.handedOff(), "korvat*3*-1");
}

// A record that cannot be written (a folder stands in place of its file) is reported, and no
// message claims a new record; choosing another maze takes back the unsaved result, which
// belongs to the maze it was made in.
TEST(KorvatWindow, AFailedRecordWriteIsReportedAndAnotherMazeTakesBackTheResult) {
    Play play(1);
    const std::filesystem::path record = recordFilePath(play.dir.path(), 1);
    std::filesystem::remove(record);
    std::filesystem::create_directory(record);
    play.runThrough(100);
    ASSERT_EQ(play.fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(play.fake.dialogs.messages[0].text.startsWith("Рекорд не удалось записать"));
    ASSERT_EQ(play.fake.dialogs.questions.size(), 1u);
    for (const QString& text : {play.text("Label2"), play.fake.dialogs.questions[0].text}) {
        EXPECT_FALSE(text.contains("Поставлен новый рекорд!")) << text.toStdString();
        EXPECT_TRUE(text.contains("Новый рекорд не сохранен")) << text.toStdString();
    }
    EXPECT_TRUE(play.saveEnabled());
    play.window->chooseMaze(5);
    EXPECT_FALSE(play.saveEnabled());
}

// The captions show whole in their designed boxes. The three switches share one size, the
// largest of half-point steps at which all of them fit: a wide desktop font is made smaller,
// never more than it needs.
TEST(KorvatWindow, CaptionsFitTheirBoxesAndTheSwitchesShareTheLargestSizeThatFits) {
    Play play(1);
    const qreal designed = play.window->font().pointSizeF();
    const qreal size = play.find("Check1")->font().pointSizeF();
    EXPECT_LE(size, designed);
    bool allFitLarger = true;
    for (const char* name : {"Check1", "Check2", "Check3"}) {
        const QCheckBox* box = play.find<QCheckBox>(name);
        const int room = box->width() - 22;
        const auto widthAt = [&](qreal points) {
            QFont font = box->font();
            font.setPointSizeF(points);
            return QFontMetrics(font).horizontalAdvance(box->text());
        };
        EXPECT_EQ(box->font().pointSizeF(), size) << name;
        EXPECT_TRUE(widthAt(size) <= room || size <= 6) << name << " at " << size;
        allFitLarger = allFitLarger && widthAt(size + 0.5) <= room;
    }
    EXPECT_FALSE(size < designed && allFitLarger) << "could be " << size + 0.5;
    const auto* save = play.find<QPushButton>("Command1");
    EXPECT_EQ(save->size(), tro::twipsSize(1815, 255));
    // Inside the bevel, a pixel kept free on either side.
    EXPECT_LE(QFontMetrics(save->font()).horizontalAdvance(save->text()), save->width() - 4);
}

}  // namespace
}  // namespace korvat
