#include "answer_keys.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tro::tsepko {
namespace {

constexpr int kEf = 0x0424;  // Ф, the key marked A under the Russian layout
constexpr int kVe = 0x0412;  // В, the key marked D

TEST(AnswerKeys, TellTheKeysByTheirPlaceOrTheirKeypadDigit) {
    enum Expect { None, A, D, Four, Six };
    const std::tuple<KeyFacts, ScanCodes, Expect, const char*> cases[] = {
        {{kEf, false, 38}, ScanCodes::Xkb, A, "the key marked A under Russian"},
        {{Qt::Key_Q, false, 38}, ScanCodes::Xkb, A, "the key marked A under AZERTY gives Q"},
        {{Qt::Key_A, false, 24}, ScanCodes::Xkb, None, "A from another place (AZERTY)"},
        {{Qt::Key_4, true, 83}, ScanCodes::Xkb, Four, "keypad 4"},
        {{Qt::Key_Right, true, 85}, ScanCodes::Xkb, Six, "keypad 6 without Num Lock"},
        {{Qt::Key_S, false, 39}, ScanCodes::Xkb, None, "S between A and D"},
        {{kEf, false, 0x1E}, ScanCodes::Windows, A, "Ф on Windows"},
        {{Qt::Key_D, false, 0x20}, ScanCodes::Windows, D, "D on Windows"},
        {{Qt::Key_Left, true, 0x4B}, ScanCodes::Windows, Four, "keypad 4 without Num Lock"},
        {{Qt::Key_A, false, 38}, ScanCodes::Windows, None, "38 is not A on Windows"},
        {{Qt::Key_A, false, 0}, ScanCodes::Xkb, A, "no scan code: the letter A"},
        {{kVe, false, 0}, ScanCodes::None, D, "offscreen: В"},
        {{Qt::Key_6, true, 0}, ScanCodes::None, Six, "offscreen: keypad 6"},
        {{Qt::Key_4, false, 0}, ScanCodes::None, None, "offscreen: top-row 4"},
    };
    for (const auto& [facts, scheme, answer, what] : cases) {
        const auto got = answerFor(facts, scheme);
        // A, D, 4 and 6 in the order of the pairs and sides.
        EXPECT_EQ(got ? 1 + 2 * static_cast<int>(got->pair) + static_cast<int>(got->side) : None,
                  answer)
            << what;
    }
}

TEST(AnswerKeys, AreNamedByTheirPlaceWhereTheLayoutPutsOtherLettersThere) {
    // What the layout types on the places of A, S and D.
    const std::pair<const char*, std::optional<QString>> cases[] = {
        {"asd", std::nullopt},                   // US English
        {"фыв", std::nullopt},                   // Russian
        {"qsd", "клавиши слева и справа от S"},  // AZERTY
        {"aoe", "клавиши слева и справа от O"},  // Dvorak
        {"a;d", std::nullopt},                   // A and D where they belong
        {"ö;ä", "клавиши слева и справа от S"},  // no letter in the middle
        {"", std::nullopt},                      // not known
    };
    for (const auto& [asd, named] : cases)
        EXPECT_EQ(letterKeysByPlace(QString::fromUtf8(asd)), named) << asd;
}

}  // namespace
}  // namespace tro::tsepko
