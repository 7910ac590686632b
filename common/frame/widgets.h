#pragma once
// Small widgets and helpers the windows of the suite share.

#include <QLabel>
#include <QRect>
#include <QWidget>
#include <functional>

class QKeyEvent;

namespace tro {

// A label with its control name, text and place.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect where);

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
