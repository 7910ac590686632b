#include "answer_keys.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace tro::tsepko {
namespace {

constexpr int kEf = 0x0424;  // Ф, the key marked A under the Russian layout
constexpr int kVe = 0x0412;  // В, the key marked D
constexpr int kCyrillicA = 0x0410;

TEST(AnswerKeys, TellTheKeysByTheirPlaceOrTheirKeypadDigit) {
    struct Case {
        KeyFacts facts;
        ScanCodes scheme;
        std::optional<Answer> answer;
        const char* what;
    };
    const Answer a{KeyPair::Letters, Side::Left};
    const Answer d{KeyPair::Letters, Side::Right};
    const Answer four{KeyPair::Keypad, Side::Left};
    const Answer six{KeyPair::Keypad, Side::Right};
    const Case cases[] = {
        {{Qt::Key_A, false, 38}, ScanCodes::Xkb, a, "A under US English"},
        {{Qt::Key_D, false, 40}, ScanCodes::Xkb, d, "D under US English"},
        {{kEf, false, 38}, ScanCodes::Xkb, a, "the key marked A under Russian"},
        {{kVe, false, 40}, ScanCodes::Xkb, d, "the key marked D under Russian"},
        {{Qt::Key_Q, false, 38}, ScanCodes::Xkb, a, "the key marked A under AZERTY gives Q"},
        {{Qt::Key_A, false, 24}, ScanCodes::Xkb, std::nullopt, "A from another place (AZERTY)"},
        {{Qt::Key_4, true, 83}, ScanCodes::Xkb, four, "keypad 4"},
        {{Qt::Key_6, true, 85}, ScanCodes::Xkb, six, "keypad 6"},
        {{Qt::Key_Left, true, 83}, ScanCodes::Xkb, four, "keypad 4 without Num Lock"},
        {{Qt::Key_Right, true, 85}, ScanCodes::Xkb, six, "keypad 6 without Num Lock"},
        {{Qt::Key_Left, false, 113}, ScanCodes::Xkb, std::nullopt, "the arrow key"},
        {{Qt::Key_4, false, 13}, ScanCodes::Xkb, std::nullopt, "4 of the top row"},
        {{Qt::Key_6, false, 15}, ScanCodes::Xkb, std::nullopt, "6 of the top row"},
        {{Qt::Key_5, true, 84}, ScanCodes::Xkb, std::nullopt, "keypad 5"},
        {{Qt::Key_S, false, 39}, ScanCodes::Xkb, std::nullopt, "S between A and D"},
        {{Qt::Key_Shift, false, 50}, ScanCodes::Xkb, std::nullopt, "Shift"},
        {{Qt::Key_A, false, 0x1E}, ScanCodes::Windows, a, "A on Windows"},
        {{kEf, false, 0x1E}, ScanCodes::Windows, a, "Ф on Windows"},
        {{Qt::Key_D, false, 0x20}, ScanCodes::Windows, d, "D on Windows"},
        {{Qt::Key_4, true, 0x4B}, ScanCodes::Windows, four, "keypad 4 on Windows"},
        {{Qt::Key_Left, true, 0x4B}, ScanCodes::Windows, four, "keypad 4 without Num Lock"},
        {{Qt::Key_Right, true, 0x4D}, ScanCodes::Windows, six, "keypad 6 without Num Lock"},
        {{Qt::Key_Left, false, 0x14B}, ScanCodes::Windows, std::nullopt, "the arrow key"},
        {{Qt::Key_A, false, 38}, ScanCodes::Windows, std::nullopt, "38 is not A on Windows"},
        {{Qt::Key_A, false, 0}, ScanCodes::Xkb, a, "no scan code: the letter A"},
        {{Qt::Key_A, false, 0}, ScanCodes::None, a, "offscreen: A"},
        {{Qt::Key_D, false, 0}, ScanCodes::None, d, "offscreen: D"},
        {{kEf, false, 0}, ScanCodes::None, a, "offscreen: Ф"},
        {{kVe, false, 0}, ScanCodes::None, d, "offscreen: В"},
        {{kCyrillicA, false, 0}, ScanCodes::None, std::nullopt, "offscreen: Cyrillic А"},
        {{Qt::Key_4, true, 0}, ScanCodes::None, four, "offscreen: keypad 4"},
        {{Qt::Key_6, true, 0}, ScanCodes::None, six, "offscreen: keypad 6"},
        {{Qt::Key_4, false, 0}, ScanCodes::None, std::nullopt, "offscreen: top-row 4"},
        {{Qt::Key_Left, true, 0}, ScanCodes::None, std::nullopt, "offscreen: keypad arrow"},
    };
    for (const Case& c : cases) {
        const auto got = answerFor(c.facts, c.scheme);
        ASSERT_EQ(got.has_value(), c.answer.has_value()) << c.what;
        if (got) {
            EXPECT_EQ(got->pair, c.answer->pair) << c.what;
            EXPECT_EQ(got->side, c.answer->side) << c.what;
        }
    }
}

TEST(AnswerKeys, AKeyEventCarriesItsKeypadFlagAndScanCode) {
    // Under the offscreen platform there are no native codes: the key decides.
    const QKeyEvent four(QEvent::KeyPress, Qt::Key_4, Qt::KeypadModifier, "4");
    const QKeyEvent topFour(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, "4");
    const QKeyEvent ef(QEvent::KeyPress, kEf, Qt::NoModifier, QStringLiteral("ф"));
    ASSERT_EQ(platformScanCodes(), ScanCodes::None);
    ASSERT_TRUE(answerFor(four).has_value());
    EXPECT_EQ(answerFor(four)->pair, KeyPair::Keypad);
    EXPECT_FALSE(answerFor(topFour).has_value());
    ASSERT_TRUE(answerFor(ef).has_value());
    EXPECT_EQ(answerFor(ef)->side, Side::Left);
}

}  // namespace
}  // namespace tro::tsepko
