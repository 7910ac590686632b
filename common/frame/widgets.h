#pragma once
// Small widgets and helpers the windows of the suite share.

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QStringList>
#include <QWidget>
#include <functional>

class QKeyEvent;

namespace tro {

// A label with its control name, text and place.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect where);
// A control of type `T` with its control name and place.
template <class T>
T* makeControl(QWidget* parent, const char* name, QRect where) {
    auto* control = new T(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(where);
    return control;
}
// A check box with its control name, caption and place.
QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& text, QRect where);
// The same, drawn as the style sheet `style` says (colour, background, weight, size), its text
// at `align`.
QLabel* styledLabel(QWidget* parent, const char* name, const QString& text, QRect where,
                    const QString& style, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);

// Gives `window` (and so every control in it) the suite's font at the size its texts were
// laid out for: `size` points, or `size` pixels where the design measured in pixels.
enum class FontUnit { Points, Pixels };
void setLayoutFont(QWidget& window, int size, FontUnit unit = FontUnit::Points);

// The font at the largest size, at most `font`'s own, at which each of `texts`, centred in a
// box of `box` pixels as a label centres it, keeps its ink and its advance `margin` pixels
// inside the box. Sizes go down by half points, to 4 points at the least.
[[nodiscard]] QFont fontFitting(QFont font, const QStringList& texts, QSize box, int margin);

// A small box that holds the focus and hands every key press to `onKey`, Tab included, as the
// keyboard gives it (no input method in between).
class KeyBox final : public QWidget {
  public:
    KeyBox(QWidget* parent, std::function<void(const QKeyEvent&)> onKey);

  protected:
    bool event(QEvent* event) override;

  private:
    std::function<void(const QKeyEvent&)> onKey_;
};

}  // namespace tro
