#include "answer_keys.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

namespace tro::tsepko {
namespace {

constexpr int kEf = 0x0424;  // Ф, the key marked A under the Russian layout
constexpr int kVe = 0x0412;  // В, the key marked D

TEST(AnswerKeys, TellTheKeysByTheirPlaceOrTheirKeypadDigit) {
    enum Expect { None, A, D, Four, Six };
    struct Case {
        KeyFacts facts;
        ScanCodes scheme;
        Expect answer;
        const char* what;
    };
    const Case cases[] = {
        {{Qt::Key_A, false, 38}, ScanCodes::Xkb, A, "A under US English"},
        {{kEf, false, 38}, ScanCodes::Xkb, A, "the key marked A under Russian"},
        {{kVe, false, 40}, ScanCodes::Xkb, D, "the key marked D under Russian"},
        {{Qt::Key_Q, false, 38}, ScanCodes::Xkb, A, "the key marked A under AZERTY gives Q"},
        {{Qt::Key_A, false, 24}, ScanCodes::Xkb, None, "A from another place (AZERTY)"},
        {{Qt::Key_4, true, 83}, ScanCodes::Xkb, Four, "keypad 4"},
        {{Qt::Key_Right, true, 85}, ScanCodes::Xkb, Six, "keypad 6 without Num Lock"},
        {{Qt::Key_Left, false, 113}, ScanCodes::Xkb, None, "the arrow key"},
        {{Qt::Key_S, false, 39}, ScanCodes::Xkb, None, "S between A and D"},
        {{kEf, false, 0x1E}, ScanCodes::Windows, A, "Ф on Windows"},
        {{Qt::Key_D, false, 0x20}, ScanCodes::Windows, D, "D on Windows"},
        {{Qt::Key_Left, true, 0x4B}, ScanCodes::Windows, Four, "keypad 4 without Num Lock"},
        {{Qt::Key_A, false, 38}, ScanCodes::Windows, None, "38 is not A on Windows"},
        {{Qt::Key_A, false, 0}, ScanCodes::Xkb, A, "no scan code: the letter A"},
        {{kVe, false, 0}, ScanCodes::None, D, "offscreen: В"},
        {{Qt::Key_6, true, 0}, ScanCodes::None, Six, "offscreen: keypad 6"},
        {{Qt::Key_4, false, 0}, ScanCodes::None, None, "offscreen: top-row 4"},
        {{Qt::Key_Left, true, 0}, ScanCodes::None, None, "offscreen: keypad arrow"},
    };
    const Answer answers[] = {{KeyPair::Letters, Side::Left},
                              {KeyPair::Letters, Side::Right},
                              {KeyPair::Keypad, Side::Left},
                              {KeyPair::Keypad, Side::Right}};
    for (const Case& c : cases) {
        const auto got = answerFor(c.facts, c.scheme);
        ASSERT_EQ(got.has_value(), c.answer != None) << c.what;
        if (got) {
            EXPECT_EQ(got->pair, answers[c.answer - 1].pair) << c.what;
            EXPECT_EQ(got->side, answers[c.answer - 1].side) << c.what;
        }
    }
}

TEST(AnswerKeys, AKeyEventCarriesItsKeypadFlag) {
    // Under the offscreen platform there are no native codes: the key decides.
    ASSERT_EQ(platformScanCodes(), ScanCodes::None);
    const auto four = answerFor(QKeyEvent(QEvent::KeyPress, Qt::Key_4, Qt::KeypadModifier, "4"));
    ASSERT_TRUE(four.has_value());
    EXPECT_EQ(four->pair, KeyPair::Keypad);
    EXPECT_FALSE(answerFor(QKeyEvent(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, "4")));
}

}  // namespace
}  // namespace tro::tsepko
