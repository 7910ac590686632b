#include "answer_keys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace tro::tsepko {

namespace {
struct Place {
    quint32 a, d, keypad4, keypad6;
};
constexpr Place kXkb{38, 40, 83, 85};
constexpr Place kWindows{0x1E, 0x20, 0x4B, 0x4D};

// The letters the keys marked A and D give under the Russian layout: Ф and В.
constexpr int kCyrillicEf = 0x0424;
constexpr int kCyrillicVe = 0x0412;
}  // namespace

std::optional<Answer> answerFor(const KeyFacts& facts, ScanCodes scheme) {
    if (facts.keypad) {
        if (facts.key == Qt::Key_4) {
            return Answer{KeyPair::Keypad, Side::Left};
        }
        if (facts.key == Qt::Key_6) {
            return Answer{KeyPair::Keypad, Side::Right};
        }
    }
    if (scheme != ScanCodes::None && facts.scanCode != 0) {
        const Place& place = scheme == ScanCodes::Xkb ? kXkb : kWindows;
        // Without Num Lock the keypad's 4 and 6 arrive as arrows, from the same keys.
        if (facts.keypad && facts.scanCode == place.keypad4) {
            return Answer{KeyPair::Keypad, Side::Left};
        }
        if (facts.keypad && facts.scanCode == place.keypad6) {
            return Answer{KeyPair::Keypad, Side::Right};
        }
        if (facts.keypad) {
            return std::nullopt;
        }
        if (facts.scanCode == place.a) {
            return Answer{KeyPair::Letters, Side::Left};
        }
        if (facts.scanCode == place.d) {
            return Answer{KeyPair::Letters, Side::Right};
        }
        return std::nullopt;
    }
    // Without a place on the keyboard, the letters those keys give under the US English and
    // the Russian layouts stand for them.
    if (facts.keypad) {
        return std::nullopt;
    }
    if (facts.key == Qt::Key_A || facts.key == kCyrillicEf) {
        return Answer{KeyPair::Letters, Side::Left};
    }
    if (facts.key == Qt::Key_D || facts.key == kCyrillicVe) {
        return Answer{KeyPair::Letters, Side::Right};
    }
    return std::nullopt;
}

std::optional<QString> letterKeysByPlace(const QString& asd) {
    if (asd.size() != 3) {
        return std::nullopt;
    }
    const QChar left = asd.at(0).toLower();
    const QChar right = asd.at(2).toLower();
    if ((left == u'a' && right == u'd') ||
        (left == QChar(kCyrillicEf).toLower() && right == QChar(kCyrillicVe).toLower())) {
        return std::nullopt;
    }
    const QChar middle = asd.at(1).isLetterOrNumber() ? asd.at(1).toUpper() : QChar(u'S');
    return QStringLiteral("клавиши слева и справа от ") + middle;
}

ScanCodes platformScanCodes() {
#ifdef _WIN32
    return ScanCodes::Windows;
#else
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"))) {
        return ScanCodes::Xkb;
    }
    return ScanCodes::None;
#endif
}

std::optional<Answer> answerFor(const QKeyEvent& event) {
    const KeyFacts facts{event.key(), event.modifiers().testFlag(Qt::KeypadModifier),
                         event.nativeScanCode()};
    return answerFor(facts, platformScanCodes());
}

}  // namespace tro::tsepko
