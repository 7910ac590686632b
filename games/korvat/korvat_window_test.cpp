#include "korvat_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
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

namespace korvat {
namespace {

namespace fs = std::filesystem;
using testing::boxCentre;
using testing::shortestWay;
using tro::testing::FakeServices;
using tro::testing::TempDir;
using tro::testing::writeBytes;

const QString kStarted =
    "Игра началась. Надо дойти до красного поля как можно быстрее, не касаясь стенок";
const QString kTouched =
    "К сожалению, вы задели стенку. Чтобы начать сначала, поставьте указатель мыши на желтое "
    "поле.";

// A play directory with the game's settings and its sounds, and the game started in a maze.
struct Play {
    explicit Play(int maze, std::vector<std::pair<int, bool>> switches = {{kSoundSlot, true}}) {
        fs::create_directories(dir / "sound");
        writeBytes(dir / "sound" / "good1.wav", "RIFF");
        writeBytes(dir / "sound" / "error1.wav", "RIFF");
        tro::SlotFile settings(dir / "korvat.dat", tro::kGameSettingsSlot);
        EXPECT_EQ(settings.open(), tro::SlotStatus::Ok);
        for (const auto& [slot, on] : switches) {
            EXPECT_EQ(settings.writeInteger(slot, on ? 1 : 0), tro::SlotStatus::Ok);
        }
        EXPECT_TRUE(frame.start({QString::number(maze)}));
        window = std::make_unique<KorvatWindow>(frame);
        window->show();
    }

    template <class T>
    T* find(const QString& name) {
        T* child = window->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name.toStdString();
        return child;
    }
    QString text(const QString& label) { return find<QLabel>(label)->text(); }
    bool saveEnabled() { return find<QPushButton>("Command1")->isEnabled(); }
    bool ticking() { return find<QTimer>("Timer1")->isActive(); }

    // A pointer move over the maze box, as the window system delivers it.
    void move(BoxPoint at) {
        QWidget* box = find<QWidget>("Picture1");
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
        const auto way = shortestWay(mazePicture(window->game().maze()));
        for (std::size_t i = 0; i < way.size(); ++i) {
            if (i > 0) {
                wait(msPerStep);
            }
            move(boxCentre(way[i]));
        }
    }
    QString handedOff() {
        return fake.launcher.starts.empty() ? QString()
                                            : fake.launcher.starts.back().arguments.value(0);
    }

    TempDir dir;
    FakeServices fake;
    tro::GameFrame frame{{"korvat", kMazeCount, -1}, fake.services, dir.path()};
    std::unique_ptr<KorvatWindow> window;
};

TEST(KorvatWindow, ShowsTheDesignedControlsAtStart) {
    Play play(1);
    EXPECT_EQ(play.window->windowTitle(), "Владение мышью");
    EXPECT_EQ(play.text("Label2"),
              "Чтобы начать игру, поставьте мышку на желтое поле. Надо пройти лабиринт, не "
              "касаясь стенок. Финиш - красное поле.");
    EXPECT_EQ(play.text("Label3"), "Время:");
    EXPECT_EQ(play.text("Label4"), "0");
    EXPECT_EQ(play.text("Label1"), "0");
    EXPECT_FALSE(play.saveEnabled());
    EXPECT_EQ(play.find<QPushButton>("Command1")->text(), "Сохранить результат");
    EXPECT_EQ(play.find<QCheckBox>("Check1")->text(), "Оставлять след");
    EXPECT_EQ(play.find<QCheckBox>("Check2")->text(), "SOUND");
    EXPECT_EQ(play.find<QCheckBox>("Check3")->text(), "Линия рекорда");
    EXPECT_EQ(play.find<QWidget>("Picture1")->geometry(), QRect(88, 64, 537, 361));
    for (int i = 0; i < kMazeCount; ++i) {
        EXPECT_EQ(play.find<QWidget>(QString("Picture2_%1").arg(i))->geometry(),
                  QRect(8, 72 * (i + 1), 68, 46));
    }
}

TEST(KorvatWindow, TheStretchedMazeShowsOnlyTheFourColoursOfTheMaze) {
    for (int maze = 1; maze <= kMazeCount; ++maze) {
        Play play(maze);
        const QImage shot = play.find<QWidget>("Picture1")->grab().toImage();
        ASSERT_GE(shot.width(), kBoxWidth);
        int mismatches = 0;
        for (int y = 0; y < kBoxHeight; ++y) {
            for (int x = 0; x < kBoxWidth; ++x) {
                const QColor c = shot.pixelColor(x, y);
                const auto colour = colourOf({static_cast<std::uint8_t>(c.red()),
                                              static_cast<std::uint8_t>(c.green()),
                                              static_cast<std::uint8_t>(c.blue())});
                if (!colour || *colour != play.window->game().box().at({x, y})) {
                    ++mismatches;
                }
            }
        }
        EXPECT_EQ(mismatches, 0) << "maze " << maze;
    }
}

TEST(KorvatWindow, EnteringTheYellowFieldStartsTheRun) {
    Play play(1);
    play.move({300, 40});
    EXPECT_FALSE(play.ticking());
    play.move({460, 40});
    EXPECT_EQ(play.text("Label2"), kStarted);
    EXPECT_EQ(play.text("Label1"), "1");
    EXPECT_EQ(play.text("Label4"), "0");
    EXPECT_TRUE(play.ticking());
    play.wait(1234);
    EXPECT_EQ(play.text("Label4"), "12");
    play.wait(66);
    EXPECT_EQ(play.text("Label4"), "13");
}

TEST(KorvatWindow, RedFinishesWithTheQuestionAndYesHandsOffTheTicks) {
    Play play(2);
    play.fake.dialogs.yesNoAnswers = {true};
    play.runThrough(100);
    const int ticks = static_cast<int>(shortestWay(mazePicture(2)).size()) - 1;
    EXPECT_FALSE(play.ticking());
    EXPECT_EQ(play.text("Label1"), "0");
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
    ASSERT_EQ(play.fake.launcher.starts.size(), 1u);
    const tro::HandoffText handoff = tro::parseHandoffText(play.handedOff().toStdString());
    EXPECT_EQ(handoff.gameId, "korvat");
    EXPECT_EQ(handoff.variant, 2);
    EXPECT_EQ(tro::Rascodirovka("korvat", 2, handoff.code, play.fake.clock.now().date), ticks);
    EXPECT_FALSE(play.saveEnabled());
}

TEST(KorvatWindow, NoKeepsTheResultUntilTheNextStart) {
    Play play(1);
    play.fake.dialogs.yesNoAnswers = {false, false};
    play.runThrough(100);
    EXPECT_TRUE(play.fake.launcher.starts.empty());
    EXPECT_TRUE(play.saveEnabled());
    // A slower second run is no record: the note stays away.
    play.runThrough(200);
    ASSERT_EQ(play.fake.dialogs.questions.size(), 2u);
    EXPECT_TRUE(play.fake.dialogs.questions[1].text.endsWith(" секунды. Сохранить результат?"));
    EXPECT_TRUE(play.saveEnabled());
    const int ticks = play.text("Label4").toInt();
    // The next start takes the result back.
    play.move({460, 40});
    EXPECT_FALSE(play.saveEnabled());
    play.move({0, 0});
    EXPECT_FALSE(play.saveEnabled());
    EXPECT_TRUE(play.fake.launcher.starts.empty());
    // Once more to the finish, No, and then the button hands the run off.
    play.runThrough(100);
    ASSERT_TRUE(play.saveEnabled());
    QTest::mouseClick(play.find<QPushButton>("Command1"), Qt::LeftButton);
    ASSERT_EQ(play.fake.launcher.starts.size(), 1u);
    const tro::HandoffText handoff = tro::parseHandoffText(play.handedOff().toStdString());
    EXPECT_EQ(tro::Rascodirovka("korvat", 1, handoff.code, play.fake.clock.now().date),
              play.text("Label4").toInt());
    EXPECT_NE(ticks, play.text("Label4").toInt());
}

TEST(KorvatWindow, BlackAbortsWithTheMessage) {
    Play play(1);
    const auto way = shortestWay(mazePicture(1));
    play.move(boxCentre(way[0]));
    play.wait(500);
    play.move(boxCentre(way[1]));
    play.move({0, 100});
    EXPECT_EQ(play.text("Label2"), kTouched);
    EXPECT_EQ(play.text("Label1"), "0");
    EXPECT_EQ(play.text("Label4"), "5");
    EXPECT_FALSE(play.ticking());
    EXPECT_FALSE(play.saveEnabled());
    EXPECT_TRUE(play.fake.sound.played.back().endsWith("error1.wav"));
    EXPECT_TRUE(play.fake.dialogs.questions.empty());
    // The clock stays where the run ended.
    play.wait(1000);
    EXPECT_EQ(play.text("Label4"), "5");
}

TEST(KorvatWindow, WithTheSoundSwitchOffNothingPlays) {
    Play play(1, {{kSoundSlot, false}});
    EXPECT_FALSE(play.find<QCheckBox>("Check2")->isChecked());
    play.move({460, 40});
    play.move({0, 100});
    EXPECT_TRUE(play.fake.sound.played.isEmpty());
}

TEST(KorvatWindow, SwitchesAreReadFromTheirSlotsAndKeptAcrossStarts) {
    struct Case {
        const char* box;
        int slot;
    };
    for (const Case& c : {Case{"Check1", kTrailSlot}, Case{"Check2", kSoundSlot},
                          Case{"Check3", kRecordLineSlot}}) {
        Play play(1, {});
        QCheckBox* box = play.find<QCheckBox>(c.box);
        EXPECT_FALSE(box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_TRUE(play.frame.switchValue(c.slot)) << c.box;
        for (const int other : {kTrailSlot, kSoundSlot, kRecordLineSlot}) {
            if (other != c.slot) {
                EXPECT_FALSE(play.frame.switchValue(other)) << c.box << " wrote " << other;
            }
        }
        // A run starts and ends; the switch stays.
        play.move({460, 40});
        play.move({0, 100});
        play.move({460, 40});
        EXPECT_TRUE(box->isChecked());
        KorvatWindow again(play.frame);
        EXPECT_TRUE(again.findChild<QCheckBox*>(c.box)->isChecked()) << c.box;
    }
}

TEST(KorvatWindow, TheTrailShowsTealAndVanishesAtTheNextStart) {
    Play play(1, {{kTrailSlot, true}});
    const auto way = shortestWay(mazePicture(1));
    for (std::size_t i = 0; i < 6; ++i) {
        play.move(boxCentre(way[i]));
    }
    QWidget* box = play.find<QWidget>("Picture1");
    const BoxPoint dot = boxCentre(way[3]);
    EXPECT_EQ(box->grab().toImage().pixelColor(dot.x, dot.y), QColor(0, 128, 128));
    play.move({0, 100});
    EXPECT_EQ(box->grab().toImage().pixelColor(dot.x, dot.y), QColor(0, 128, 128));
    play.move(boxCentre(way[0]));
    EXPECT_EQ(box->grab().toImage().pixelColor(dot.x, dot.y), QColor(255, 255, 255));
}

TEST(KorvatWindow, ADoubleClickOnAThumbnailDuringARunGoesOnOverTheNewMaze) {
    Play play(1);
    const auto way = shortestWay(mazePicture(1));
    play.move(boxCentre(way[0]));
    play.wait(700);
    QWidget* thumb = play.find<QWidget>("Picture2_2");
    QTest::mouseDClick(thumb, Qt::LeftButton);
    EXPECT_EQ(play.window->game().maze(), 3);
    EXPECT_TRUE(play.ticking());
    EXPECT_EQ(play.text("Label1"), "1");
    EXPECT_EQ(play.text("Label2"), kStarted);
    play.wait(300);
    EXPECT_EQ(play.text("Label4"), "10");
    // The maze box shows maze 3 now.
    const QImage shot = play.find<QWidget>("Picture1")->grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(255, 255, 0));
    // Closing hands off the maze chosen last.
    play.window->close();
    EXPECT_EQ(play.handedOff(), "korvat*3*-1");
}

TEST(KorvatWindow, ChoosingAMazeTakesBackTheUnsavedResult) {
    Play play(1);
    play.fake.dialogs.yesNoAnswers = {false};
    play.runThrough(100);
    ASSERT_TRUE(play.saveEnabled());
    play.window->chooseMaze(5);
    EXPECT_FALSE(play.saveEnabled());
    EXPECT_FALSE(play.ticking());
}

TEST(KorvatWindow, ClosingHandsOffWithoutAResult) {
    Play play(5);
    play.move({12, 12});
    play.window->close();
    EXPECT_EQ(play.handedOff(), "korvat*5*-1");
}

TEST(KorvatWindow, AFailedRecordWriteIsReported) {
    Play play(1);
    fs::create_directories(fs::path(recordFilePath(play.dir.path(), 1).string() + ".new"));
    play.runThrough(100);
    ASSERT_EQ(play.fake.dialogs.messages.size(), 1u);
    EXPECT_TRUE(play.fake.dialogs.messages[0].text.startsWith("Рекорд не удалось записать"));
    EXPECT_EQ(play.fake.dialogs.questions.size(), 1u);
}

TEST(KorvatWindow, ARunThatTakesTooLongEndsWithoutAResult) {
    Play play(1);
    play.move({460, 40});
    play.wait(kMaxRunTicks * 100 + 99);
    EXPECT_TRUE(play.ticking());
    EXPECT_EQ(play.text("Label4"), QString::number(kMaxRunTicks));
    play.wait(1);
    EXPECT_FALSE(play.ticking());
    EXPECT_EQ(play.text("Label1"), "0");
    EXPECT_TRUE(play.text("Label2").startsWith("Время вышло"));
    EXPECT_EQ(play.text("Label4"), QString::number(kMaxRunTicks));
    EXPECT_FALSE(play.saveEnabled());
    EXPECT_TRUE(play.fake.sound.played.back().endsWith("error1.wav"));
    // The finish field no longer ends anything.
    play.move({30, 30});
    EXPECT_TRUE(play.fake.dialogs.questions.empty());
    EXPECT_TRUE(play.fake.launcher.starts.empty());
}

TEST(KorvatWindow, ALateTimerStillCountsEveryTenth) {
    Play play(1);
    play.move({460, 40});
    play.fake.clock.advanceMs(2599);
    play.move({470, 40});
    EXPECT_EQ(play.text("Label4"), "25");
    EXPECT_EQ(play.window->game().currentPath().back().t, 26);
}

// Each switch caption shows whole in its box, in the largest size of half-point steps that
// fits: a wide desktop font is made smaller, never more than it needs.
TEST(KorvatWindow, SwitchCaptionsFitTheirBoxesAtTheLargestSizeThatFits) {
    Play play(1);
    const qreal designed = play.window->font().pointSizeF();
    for (const char* name : {"Check1", "Check2", "Check3"}) {
        const QCheckBox* box = play.find<QCheckBox>(name);
        const int room = box->width() - 22;
        const qreal size = box->font().pointSizeF();
        const auto widthAt = [&](qreal points) {
            QFont font = box->font();
            font.setPointSizeF(points);
            return QFontMetrics(font).horizontalAdvance(box->text());
        };
        EXPECT_LE(size, designed) << name;
        EXPECT_TRUE(widthAt(size) <= room || size <= 6) << name << " at " << size;
        if (size < designed) {
            EXPECT_GT(widthAt(size + 0.5), room) << name << " could be " << size + 0.5;
        }
    }
}

}  // namespace
}  // namespace korvat
