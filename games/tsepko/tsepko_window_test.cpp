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
    Play(int variant, std::vector<double> draws, const char* keys = "")
        : frame({"tsepko", 3, 1}, fake.services, dir.path()) {
        fake.random = ScriptedRandom(std::move(draws));
        fake.keyboard.keys = QString::fromUtf8(keys);
        EXPECT_TRUE(frame.start({QString::number(variant)}));
        window = std::make_unique<TsepkoWindow>(frame);
        window->show();
    }
    template <typename T = QLabel>
    T* find(const char* name) {
        return window->findChild<T*>(QLatin1String(name));
    }
    QString text(const char* name) { return find(name)->text(); }
    // Sent by hand: QTest knows no Cyrillic key codes.
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool repeat = false) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), repeat);
        QApplication::sendEvent(find<QWidget>("Text1"), &press);
    }
    void tenths(int count) {
        fake.clock.advanceMs(100 * count);
        window->clockTick();
    }
    QColor colour(const char* name) { return find(name)->palette().color(QPalette::Window); }
    QString counters() {
        return text("Label8") + text("Label10") + text("Label12") + text("Label14");
    }

    TempDir dir;
    FakeServices fake;
    GameFrame frame;
    std::unique_ptr<TsepkoWindow> window;
};

const std::vector<double> kAllZero{0.0};

TEST(TsepkoWindow, ShowsTheInitialLookOfEachVariantAndLayout) {
    constexpr int kHidden = -1, kCentred = -2;
    struct Case {
        int variant;
        std::vector<double> draws;  // colour, parity, layout
        int squaresX, numbersX;     // frame positions in pixels
        QString rules;
        bool black, even;
        const char* keys = "";  // the letter keys of the layout, unknown when empty
        QString byPlace = {};
    };
    const QString squares =
        "Для указания одного из квадратов нажимайте кнопки A D или 4 6. За минуту нужно "
        "правильно указать как можно больше квадратов. Результат считается по такой формуле: "
        "cint(10*p*(p-n)/(p+n)), где p - кол-во правильных нажатий, n - кол-во неправильных "
        "нажатий.";
    const QString numbers =
        "Для указания одного из чисел нажимайте кнопки A D или 4 6. За минуту нужно правильно "
        "указать как можно больше четных или нечетных чисел. Результат считается по такой "
        "формуле: cint(10*p*(p-n)/(p+n)), где p - кол-во правильных нажатий, n - кол-во "
        "неправильных нажатий.";
    const QString both =
        "Для указания одного из %1 нажимайте кнопки A D, для указания одного из %2 - кнопки 4 "
        "6. Для получения лучшего результата здесь надо не только нажимать много и правильно, "
        "но и одновременно. Например, за 7 нажатий подряд только в одно из полей из вашего "
        "результата вычтется 80 очков. Количество нажатых квадратов должно примерно "
        "соответствовать количеству нажатых чисел. Чем больше разница между количествами "
        "квадратов и чисел, тем меньше итоговый результат.";
    // Letter keys of layouts, q to p, a to l, z to m, and how the rules then name A and D.
    const char *us = "qwertyuiopasdfghjklzxcvbnm", *russian = "йцукенгшщзфывапролдячсмить",
               *azerty = "azertyuiopqsdfghjklmwxcvbn,", *dvorak = "',.pyfgcrlaoeuidhtn;qjkxbm";
    const QString byS = "клавиши слева и справа от S", byO = "клавиши слева и справа от O";
    const Case cases[] = {
        {1, {0.0, 0.0, 0.0}, kCentred, kHidden, squares, true, true},
        {2, {0.5, 0.6, 0.0}, kHidden, kCentred, numbers, false, false},
        {3, {0.0, 0.0, 0.0}, 16, 336, both.arg("квадратов", "чисел"), true, true},
        {3, {0.7, 0.2, 0.9}, 336, 16, both.arg("чисел", "квадратов"), false, true},
        {1, {0.0, 0.0, 0.0}, kCentred, kHidden, squares, true, true, us},
        {2, {0.5, 0.6, 0.0}, kHidden, kCentred, numbers, false, false, russian},
        {1, {0.0, 0.0, 0.0}, kCentred, kHidden, squares, true, true, azerty, byS},
        {3, {0.7, 0.2, 0.9}, 336, 16, both.arg("чисел", "квадратов"), false, true, dvorak, byO}};
    const QString black =
        "Нажимайте левую кнопку, если ЧЕРНЫЙ квадрат находится слева, правую, "
        "если ЧЕРНЫЙ квадрат находится справа.";
    const QString odd =
        "Нажимайте левую кнопку, если НЕЧЕТНОЕ число находится слева, правую, "
        "если НЕЧЕТНОЕ число находится справа.";
    for (const Case& c : cases) {
        Play play(c.variant, c.draws, c.keys);
        for (const auto& [box, x] : {std::pair{play.find<QGroupBox>("Frame1"), c.squaresX},
                                     {play.find<QGroupBox>("Frame2"), c.numbersX}}) {
            EXPECT_EQ(box->isVisible(), x != kHidden) << c.variant;
            if (x == kCentred) {
                EXPECT_LE(std::abs(2 * box->x() + box->width() - play.window->width()), 1);
            } else if (x != kHidden) {
                EXPECT_EQ(box->x(), x) << c.variant;
            }
        }
        EXPECT_EQ(play.window->windowTitle(), "Тесты на внимание");
        EXPECT_EQ(play.find<QGroupBox>("Frame1")->title(), "Два квадрата");
        EXPECT_EQ(play.find<QGroupBox>("Frame2")->title(), "Два числа");
        EXPECT_EQ(play.colour("Label1"), QColor(Qt::black));
        EXPECT_EQ(play.colour("Label2"), play.window->palette().color(QPalette::Base));
        const std::pair<const char*, QString> texts[] = {
            {"Label3", "88"},
            {"Label4", "88"},
            {"Label5", "Время:"},
            {"Label6", "600"},
            {"Label7", "Кол-во правильных нажатий:"},
            {"Label13", "Кол-во неправильных нажатий:"},
            {"Label18", "Чтобы начать игру, нажмите любую клавишу" +
                            (c.byPlace.isEmpty() ? "" : "\nВместо A D нажимайте " + c.byPlace)},
            {"Label19", "Штраф:"}};
        for (const auto& [name, text] : texts) {
            EXPECT_EQ(play.text(name), text) << name;
        }
        QLabel* number = play.find("Label3");
        EXPECT_EQ(number->font().pointSize(), 48);
        EXPECT_TRUE(number->font().bold());
        EXPECT_LE(QFontMetrics(number->font()).horizontalAdvance("88"), number->width());
        EXPECT_FALSE(play.find<QTimer>("Timer1")->isActive());
        EXPECT_TRUE(play.find("Label18")->isVisible());
        EXPECT_EQ(play.find("Label19")->isVisible(), c.variant == 3);
        EXPECT_EQ(play.find("Label20")->isVisible(), c.variant == 3);
        EXPECT_EQ(play.text("Label15"),
                  c.byPlace.isEmpty() ? c.rules : QString(c.rules).replace("кнопки A D", c.byPlace))
            << c.variant;
        EXPECT_EQ(play.text("Label16"),
                  c.black ? black : QString(black).replace("ЧЕРНЫЙ", "БЕЛЫЙ"));
        EXPECT_EQ(play.text("Label17"), c.even ? QString(odd).replace("НЕЧЕТНОЕ", "ЧЕТНОЕ") : odd);
        play.window->close();  // before the first key
        EXPECT_EQ(play.fake.launcher.starts.at(0).arguments.at(0),
                  QString("tsepko*%1*-1").arg(c.variant));
        EXPECT_TRUE(play.fake.dialogs.messages.empty());
    }
}

TEST(TsepkoWindow, AnswersWithLettersOfEitherLayoutAndTheKeypad) {
    // Variant 3, layout 0: A/D the squares (black left, black target), 4/6 the numbers
    // (10 left, 11 right, even target).
    const std::tuple<int, Qt::KeyboardModifiers, QString> cases[] = {
        {Qt::Key_A, Qt::NoModifier, "1000"},     {Qt::Key_D, Qt::NoModifier, "0100"},
        {0x0424, Qt::NoModifier, "1000"},        {0x0412, Qt::NoModifier, "0100"},
        {Qt::Key_4, Qt::KeypadModifier, "0010"}, {Qt::Key_6, Qt::KeypadModifier, "0001"},
        {Qt::Key_4, Qt::NoModifier, "0000"},     {Qt::Key_S, Qt::NoModifier, "0000"},
    };
    for (const auto& [key, modifiers, counters] : cases) {
        Play play(3, kAllZero);
        play.key(Qt::Key_Space);
        play.tenths(1);
        play.key(key, modifiers);
        EXPECT_EQ(play.counters(), counters) << key;
        play.window->close();
        EXPECT_EQ(play.fake.launcher.starts.at(0).arguments, QStringList{"tsepko*3*-1"});
    }
}

TEST(TsepkoWindow, PlaysARoundAndHandsOffTheScore) {
    // Every redraw: black right, the even number 98 on the right and the odd 11 on the left;
    // only the squares are redrawn after the first drawing.
    std::vector<double> draws{0.0, 0.0, 0.0, 0.9, 0.999, 0.0, 0.9};
    draws.resize(20, 0.9);
    Play play(3, draws);
    play.key(Qt::Key_Space);
    EXPECT_TRUE(play.find<QTimer>("Timer1")->isActive());
    EXPECT_FALSE(play.find("Label18")->isVisible());
    play.key(Qt::Key_D);
    EXPECT_EQ(play.counters(), "0000") << "the first key answers nothing, nor do undrawn fields";
    play.tenths(1);
    EXPECT_EQ(play.text("Label6"), "599");
    EXPECT_EQ(play.colour("Label1"), play.window->palette().color(QPalette::Base));
    EXPECT_EQ(play.colour("Label2"), QColor(Qt::black));
    EXPECT_EQ(play.text("Label3") + " " + play.text("Label4"), "11 98");
    play.key(Qt::Key_D);
    EXPECT_FALSE(play.find("Label1")->isVisible());
    play.key(Qt::Key_D);
    EXPECT_EQ(play.counters(), "1000") << "a press during the blank counts nothing";
    play.tenths(1);
    play.key(Qt::Key_D, Qt::NoModifier, true);
    EXPECT_EQ(play.counters(), "1000") << "a held key answers once";
    for (int i = 0; i < 4; ++i) {
        play.key(Qt::Key_D);
        play.tenths(1);
    }
    play.key(Qt::Key_6, Qt::KeypadModifier);
    EXPECT_EQ(play.counters(), "5010");
    EXPECT_EQ(play.text("Label3") + " " + play.text("Label4"), "11 98")
        << "never answered, never redrawn";
    EXPECT_EQ(play.text("Label20"), "28");
    play.fake.clock.advanceMs(60'000);
    play.window->clockTick();
    EXPECT_EQ(play.text("Label6"), "0");
    EXPECT_FALSE(play.find<QTimer>("Timer1")->isActive());
    EXPECT_FALSE(play.find<QWidget>("Text1")->isEnabled());
    // r = CInt(40*5*1/6) = 33; the penalty of 28 takes half of it.
    ASSERT_EQ(play.fake.dialogs.messages.size(), 1u);
    EXPECT_EQ(play.fake.dialogs.messages[0].title, "Тесты на внимание");
    EXPECT_EQ(play.fake.dialogs.messages[0].text, "Игра закончена. Ваш результат:16");
    ASSERT_EQ(play.fake.launcher.starts.size(), 1u);
    const QString handOff = play.fake.launcher.starts[0].arguments.at(0);
    ASSERT_TRUE(handOff.startsWith("tsepko*3*"));
    EXPECT_EQ(Rascodirovka("tsepko", 3, handOff.mid(9).toStdString(), play.fake.clock.now().date),
              16);
    play.window->close();
    EXPECT_EQ(play.fake.launcher.starts.size(), 1u) << "one hand-off only";
}

}  // namespace
}  // namespace tro::tsepko
