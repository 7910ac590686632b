#include "widgets.h"

#include <QEvent>
#include <QKeyEvent>

namespace tro {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect where) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(where);
    return label;
}

KeyBox::KeyBox(QWidget* parent, std::function<void(const QKeyEvent&)> onKey)
    : QWidget(parent), onKey_(std::move(onKey)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

bool KeyBox::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        onKey_(static_cast<const QKeyEvent&>(*event));
        return true;
    }
    return QWidget::event(event);
}

}  // namespace tro
