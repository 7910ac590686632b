#include "tsepko_window.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QTest>

#include "result_code.h"
#include "testing/fake_services.h"
#include "testing/temp_dir.h"

namespace tro::tsepko {
namespace {

using tro::testing::FakeServices;
using tro::testing::ScriptedRandom;
using tro::testing::TempDir;

// A window of one variant with the draws given: colour, parity, layout, then per redraw the
// squares' side, the even number, the odd number, the numbers' side.
struct Play {
    Play(int variant, std::vector<double> draws)
        : random(std::move(draws)),
          services{fake.launcher, fake.sound,   fake.dialogs, fake.urls, fake.clipboard,
                   fake.keyboard, fake.process, fake.clock,   random},
          frame({"tsepko", 3, 1}, services, dir.path()) {
        started = frame.start({QString::number(variant)});
        window = std::make_unique<TsepkoWindow>(frame);
        window->show();
    }
    template <typename T = QLabel>
    T* find(const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }
    QString text(const char* name) { return find(name)->text(); }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        // Sent by hand: QTest knows no Cyrillic key codes.
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(find<QWidget>("Text1"), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(find<QWidget>("Text1"), &release);
    }
    void tenths(int count) {
        fake.clock.advanceMs(100 * count);
        window->clockTick();
    }
    QColor squareColour(const char* name) { return find(name)->palette().color(QPalette::Window); }

    TempDir dir;
    FakeServices fake;
    ScriptedRandom random;
    Services services;
    GameFrame frame;
    bool started = false;
    std::unique_ptr<TsepkoWindow> window;
};

const std::vector<double> kAllZero{0.0};
constexpr int kCentred = -2;

TEST(TsepkoWindow, ShowsTheCaptionAndTheInitialLook) {
    Play play(3, kAllZero);
    ASSERT_TRUE(play.started);
    EXPECT_EQ(play.window->windowTitle(), "Тесты на внимание");
    EXPECT_EQ(play.find<QGroupBox>("Frame1")->title(), "Два квадрата");
    EXPECT_EQ(play.find<QGroupBox>("Frame2")->title(), "Два числа");
    EXPECT_EQ(play.squareColour("Label1"), QColor(Qt::black));
    EXPECT_EQ(play.squareColour("Label2"), play.window->palette().color(QPalette::Base));
    EXPECT_EQ(play.text("Label3"), "88");
    EXPECT_EQ(play.text("Label4"), "88");
    EXPECT_EQ(play.find("Label3")->font().pointSize(), 48);
    EXPECT_TRUE(play.find("Label3")->font().bold());
    for (const char* number : {"Label3", "Label4"}) {
        QLabel* label = play.find(number);
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance("88"), label->width()) << number;
    }
    EXPECT_EQ(play.text("Label5"), "Время:");
    EXPECT_EQ(play.text("Label6"), "600");
    EXPECT_EQ(play.text("Label7"), "Кол-во правильных нажатий:");
    EXPECT_EQ(play.text("Label9"), "Кол-во неправильных нажатий:");
    EXPECT_EQ(play.text("Label11"), "Кол-во правильных нажатий:");
    EXPECT_EQ(play.text("Label13"), "Кол-во неправильных нажатий:");
    EXPECT_EQ(play.text("Label18"), "Чтобы начать игру, нажмите любую клавишу");
    EXPECT_TRUE(play.find("Label18")->isVisible());
    EXPECT_EQ(play.text("Label19"), "Штраф:");
    EXPECT_FALSE(play.find<QTimer>("Timer1")->isActive());
    EXPECT_EQ(play.window->size(), QSize(630, 423));
}

TEST(TsepkoWindow, SetsUpEachVariantAndLayout) {
    struct Case {
        int variant;
        std::vector<double> draws;  // colour, parity, layout
        bool squares, numbers, penalty;
        int squaresLeft, numbersLeft;  // frame positions in pixels, kCentred, -1 when hidden
        QString rulesStart;
        QString squaresHint, numbersHint;
    };
    const QString black =
        "Нажимайте левую кнопку, если ЧЕРНЫЙ квадрат находится слева, правую, "
        "если ЧЕРНЫЙ квадрат находится справа.";
    const QString white =
        "Нажимайте левую кнопку, если БЕЛЫЙ квадрат находится слева, правую, "
        "если БЕЛЫЙ квадрат находится справа.";
    const QString even =
        "Нажимайте левую кнопку, если ЧЕТНОЕ число находится слева, правую, "
        "если ЧЕТНОЕ число находится справа.";
    const QString odd =
        "Нажимайте левую кнопку, если НЕЧЕТНОЕ число находится слева, правую, "
        "если НЕЧЕТНОЕ число находится справа.";
    const QString tail =
        " Для получения лучшего результата здесь надо не только нажимать много и правильно, но "
        "и одновременно. Например, за 7 нажатий подряд только в одно из полей из вашего "
        "результата вычтется 80 очков. Количество нажатых квадратов должно примерно "
        "соответствовать количеству нажатых чисел. Чем больше разница между количествами "
        "квадратов и чисел, тем меньше итоговый результат.";
    const Case cases[] = {
        {1,
         {0.0, 0.0, 0.0},
         true,
         false,
         false,
         kCentred,
         -1,
         "Для указания одного из квадратов нажимайте кнопки A D или 4 6. За минуту нужно "
         "правильно указать как можно больше квадратов. Результат считается по такой формуле: "
         "cint(10*p*(p-n)/(p+n)), где p - кол-во правильных нажатий, n - кол-во неправильных "
         "нажатий.",
         black,
         even},
        {1, {0.5, 0.5, 0.5}, true, false, false, kCentred, -1, {}, white, odd},
        {2,
         {0.0, 0.6, 0.0},
         false,
         true,
         false,
         -1,
         kCentred,
         "Для указания одного из чисел нажимайте кнопки A D или 4 6. За минуту нужно правильно "
         "указать как можно больше четных или нечетных чисел. Результат считается по такой "
         "формуле: cint(10*p*(p-n)/(p+n)), где p - кол-во правильных нажатий, n - кол-во "
         "неправильных нажатий.",
         black,
         odd},
        {3,
         {0.0, 0.0, 0.0},
         true,
         true,
         true,
         16,
         336,
         "Для указания одного из квадратов нажимайте кнопки A D, для указания одного из чисел "
         "- кнопки 4 6." +
             tail,
         black,
         even},
        {3,
         {0.7, 0.2, 0.9},
         true,
         true,
         true,
         336,
         16,
         "Для указания одного из чисел нажимайте кнопки A D, для указания одного из квадратов "
         "- кнопки 4 6." +
             tail,
         white,
         even},
    };
    for (const Case& c : cases) {
        Play play(c.variant, c.draws);
        auto* squares = play.find<QGroupBox>("Frame1");
        auto* numbers = play.find<QGroupBox>("Frame2");
        EXPECT_EQ(squares->isVisible(), c.squares) << c.variant;
        EXPECT_EQ(numbers->isVisible(), c.numbers) << c.variant;
        for (const auto& [box, left] :
             {std::pair{squares, c.squaresLeft}, {numbers, c.numbersLeft}}) {
            if (left == kCentred) {
                EXPECT_LE(std::abs(2 * box->x() + box->width() - play.window->width()), 1);
            } else if (left >= 0) {
                EXPECT_EQ(box->x(), left) << c.variant;
            }
        }
        EXPECT_EQ(play.find("Label19")->isVisible(), c.penalty);
        EXPECT_EQ(play.find("Label20")->isVisible(), c.penalty);
        if (!c.rulesStart.isEmpty()) {
            EXPECT_EQ(play.text("Label15"), c.rulesStart) << c.variant;
        }
        EXPECT_EQ(play.text("Label16"), c.squaresHint);
        EXPECT_EQ(play.text("Label17"), c.numbersHint);
    }
}

TEST(TsepkoWindow, TheFirstKeyStartsTheClockAndAnswersNothing) {
    Play play(1, kAllZero);
    play.key(Qt::Key_A);
    EXPECT_TRUE(play.find<QTimer>("Timer1")->isActive());
    EXPECT_FALSE(play.find("Label18")->isVisible());
    EXPECT_EQ(play.text("Label8"), "0");
    EXPECT_EQ(play.text("Label10"), "0");
    play.key(Qt::Key_A);
    EXPECT_EQ(play.text("Label8"), "0") << "the fields wait for their first drawing";
    play.tenths(1);
    EXPECT_EQ(play.text("Label6"), "599");
    play.key(Qt::Key_A);
    EXPECT_EQ(play.text("Label8"), "1");
    EXPECT_FALSE(play.find("Label1")->isVisible());
    EXPECT_FALSE(play.find("Label2")->isVisible());
    play.key(Qt::Key_D);
    EXPECT_EQ(play.text("Label10"), "0") << "a press during the blank counts nothing";
    play.tenths(1);
    EXPECT_TRUE(play.find("Label1")->isVisible());
    play.key(Qt::Key_D);
    EXPECT_EQ(play.text("Label10"), "1");
}

TEST(TsepkoWindow, AnswersWithLettersOfEitherLayoutAndTheKeypad) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* counter;  // the label that grows; nullptr when the key answers nothing
    };
    // Variant 3, layout 0: A/D the squares (black left, black target), 4/6 the numbers
    // (10 left, 11 right, even target).
    const Case cases[] = {
        {Qt::Key_A, Qt::NoModifier, "Label8"},      {Qt::Key_D, Qt::NoModifier, "Label10"},
        {0x0424, Qt::NoModifier, "Label8"},         {0x0412, Qt::NoModifier, "Label10"},
        {Qt::Key_4, Qt::KeypadModifier, "Label12"}, {Qt::Key_6, Qt::KeypadModifier, "Label14"},
        {Qt::Key_4, Qt::NoModifier, nullptr},       {Qt::Key_Left, Qt::NoModifier, nullptr},
        {Qt::Key_S, Qt::NoModifier, nullptr},       {Qt::Key_Space, Qt::NoModifier, nullptr},
    };
    for (const Case& c : cases) {
        Play play(3, kAllZero);
        play.key(Qt::Key_Space);
        play.tenths(1);
        play.key(c.key, c.modifiers);
        for (const char* counter : {"Label8", "Label10", "Label12", "Label14"}) {
            const bool grows = c.counter != nullptr && QLatin1String(counter) == c.counter;
            EXPECT_EQ(play.text(counter), grows ? "1" : "0") << c.key << " " << counter;
        }
    }
}

TEST(TsepkoWindow, ShowsTheRedrawnFieldsAndThePenalty) {
    // Every redraw: black right, the even number 98 on the right and the odd 11 on the left.
    std::vector<double> draws{0.0, 0.0, 0.0, 0.9, 0.999, 0.0, 0.9};
    draws.resize(20, 0.9);
    Play play(3, draws);
    play.key(Qt::Key_Space);
    play.tenths(1);
    EXPECT_EQ(play.squareColour("Label1"), play.window->palette().color(QPalette::Base));
    EXPECT_EQ(play.squareColour("Label2"), QColor(Qt::black));
    EXPECT_EQ(play.text("Label3"), "11");
    EXPECT_EQ(play.text("Label4"), "98");
    for (int i = 0; i < 5; ++i) {
        play.key(Qt::Key_D);
        play.tenths(1);
    }
    EXPECT_EQ(play.text("Label8"), "5");
    play.key(Qt::Key_6, Qt::KeypadModifier);
    EXPECT_EQ(play.text("Label12"), "1");
    EXPECT_EQ(play.text("Label20"), "28");
}

TEST(TsepkoWindow, EndsWithTheScoreAndHandsItOff) {
    Play play(1, kAllZero);
    play.key(Qt::Key_Space);
    for (int i = 0; i < 7; ++i) {
        play.tenths(1);
        play.key(Qt::Key_A);
    }
    play.tenths(1);
    play.key(Qt::Key_D);
    play.fake.clock.advanceMs(60'000);
    play.window->clockTick();
    EXPECT_EQ(play.text("Label6"), "0");
    EXPECT_FALSE(play.find<QTimer>("Timer1")->isActive());
    EXPECT_FALSE(play.find<QWidget>("Text1")->isEnabled());
    ASSERT_EQ(play.fake.dialogs.messages.size(), 1u);
    // CInt(10 * 7 * 6 / 8) = CInt(52.5) = 52.
    EXPECT_EQ(play.fake.dialogs.messages[0].title, "Тесты на внимание");
    EXPECT_EQ(play.fake.dialogs.messages[0].text, "Игра закончена. Ваш результат:52");
    ASSERT_EQ(play.fake.launcher.starts.size(), 1u);
    const QString handOff = play.fake.launcher.starts[0].arguments.at(0);
    ASSERT_TRUE(handOff.startsWith("tsepko*1*"));
    EXPECT_EQ(Rascodirovka("tsepko", 1, handOff.mid(9).toStdString(), play.fake.clock.now().date),
              52);
    play.window->close();
    EXPECT_EQ(play.fake.launcher.starts.size(), 1u) << "one hand-off only";
}

TEST(TsepkoWindow, ClosingEarlyHandsOffWithoutAResult) {
    for (bool startedFirst : {false, true}) {
        Play play(3, kAllZero);
        if (startedFirst) {
            play.key(Qt::Key_A);
            play.tenths(3);
        }
        play.window->close();
        EXPECT_TRUE(play.fake.dialogs.messages.empty());
        ASSERT_EQ(play.fake.launcher.starts.size(), 1u);
        EXPECT_EQ(play.fake.launcher.starts[0].arguments, QStringList{"tsepko*3*-1"});
    }
}

TEST(TsepkoWindow, AHeldKeyAnswersOnce) {
    Play play(1, kAllZero);
    play.key(Qt::Key_Space);
    play.tenths(1);
    QKeyEvent first(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a", false);
    QApplication::sendEvent(play.find<QWidget>("Text1"), &first);
    play.tenths(1);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a", true);
    QApplication::sendEvent(play.find<QWidget>("Text1"), &repeat);
    EXPECT_EQ(play.text("Label8"), "1");
}

}  // namespace
}  // namespace tro::tsepko
