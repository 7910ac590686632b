#pragma once
// Which answering key a key event is. A and D are the keys marked A and D whatever layout is
// active, so they are told by their place on the keyboard (the native scan code), not by the
// letter the layout gives them; 4 and 6 are the keypad's.

#include <QString>
#include <QtGlobal>
#include <optional>

#include "tsepko_game.h"

class QKeyEvent;

namespace tro::tsepko {

// How the platform numbers the keys in its native scan codes.
enum class ScanCodes {
    Xkb,      // X11 and Wayland: evdev code + 8
    Windows,  // set-1 scan codes, 0x100 marks an extended key
    None,     // no native codes (the offscreen platform, synthetic events)
};

// What of a key event decides the answer.
struct KeyFacts {
    int key = 0;           // Qt::Key
    bool keypad = false;   // Qt::KeypadModifier
    quint32 scanCode = 0;  // QKeyEvent::nativeScanCode, 0 when unknown
};

[[nodiscard]] std::optional<Answer> answerFor(const KeyFacts& facts, ScanCodes scheme);
[[nodiscard]] ScanCodes platformScanCodes();
[[nodiscard]] std::optional<Answer> answerFor(const QKeyEvent& event);

// The US letters of the places of A, S and D, as KeyboardLayouts::charactersAt takes them.
inline constexpr char kLetterPlaces[] = "asd";
// The letter keys named by their place, "клавиши слева и справа от S", where the active
// layout puts neither A and D nor Ф and В (which share their keys) there; `asd` is what it
// types on the places of A, S and D. Nothing where it does, or where that is not known.
[[nodiscard]] std::optional<QString> letterKeysByPlace(const QString& asd);

}  // namespace tro::tsepko
