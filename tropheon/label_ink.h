#pragma once
// The manager's windows colour the text of a label through its palette.

#include <QColor>
#include <QLabel>

namespace tro {

inline QLabel* inked(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

}  // namespace tro
