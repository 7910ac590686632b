#pragma once
// How the manager's windows colour their labels and backgrounds.

#include <QColor>
#include <QLabel>

namespace tro {

inline QLabel* inked(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// A label that reads as a link: blue, underlined, with the hand cursor.
inline QLabel* linkLook(QLabel* label) {
    inked(label, QColor(0, 0, 255));
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

// The window's background colour, painted behind every control.
inline void fillBackground(QWidget& window, const QColor& colour) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, colour);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

}  // namespace tro
