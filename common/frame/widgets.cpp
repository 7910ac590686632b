#include "widgets.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <algorithm>
#include <cmath>

namespace tro {

namespace {

// How much of its size `font` may keep so that every text fits (1 or more: it fits as it is).
double shareThatFits(const QFont& font, const QStringList& texts, QSizeF box, double margin) {
    const QFontMetricsF metrics(font);
    const double roomWidth = box.width() - 2 * margin;
    const double roomHeight = box.height() - 2 * margin;
    double share = 1e9;
    for (const QString& text : texts) {
        const QRectF ink = metrics.tightBoundingRect(text);
        const double advance = metrics.horizontalAdvance(text);
        // Centred as a label centres it: the advance across, the line (ascent and descent)
        // from top to bottom; the ink lies where the glyphs put it around that.
        const double left = (box.width() - advance) / 2;
        const double baseline = (box.height() - metrics.height()) / 2 + metrics.ascent();
        const double overhang = std::max(
            {0.0, margin - (left + ink.left()), (left + ink.right()) - (box.width() - margin),
             margin - (baseline + ink.top()), (baseline + ink.bottom()) - (box.height() - margin)});
        const double width = std::max(advance, ink.width());
        if (overhang > 0 || width > roomWidth || ink.height() > roomHeight) {
            share = std::min({share, roomWidth / (width + 2 * overhang),
                              roomHeight / (ink.height() + 2 * overhang)});
        }
    }
    return share;
}

}  // namespace

QFont fontFitting(QFont font, const QStringList& texts, QSize box, int margin) {
    constexpr double kSmallest = 4;
    constexpr double kStep = 0.5;
    const double own = font.pointSizeF();
    const auto fits = [&](double size) {
        font.setPointSizeF(size);
        return shareThatFits(font, texts, box, margin) >= 1;
    };
    const double share = shareThatFits(font, texts, box, margin);
    if (share >= 1 || own <= kSmallest) {
        return font;
    }
    // Every size asked about loads a font of its own: the search starts where the overflow in
    // proportion says and steps by half points from there.
    double size = std::clamp(std::floor(own * share / kStep) * kStep, kSmallest, own - kStep);
    if (fits(size)) {
        while (size + kStep < own && fits(size + kStep)) {
            size += kStep;
        }
    } else {
        do {
            size = std::max(kSmallest, size - kStep);
        } while (size > kSmallest && !fits(size));
    }
    font.setPointSizeF(size);
    return font;
}

void setLayoutFont(QWidget& window, int size, FontUnit unit) {
    QFont font = window.font();
    if (unit == FontUnit::Pixels) {
        font.setPixelSize(size);
    } else {
        font.setPointSize(size);
    }
    window.setFont(font);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect where) {
    auto* label = makeControl<QLabel>(parent, name, where);
    label->setText(text);
    return label;
}

QLabel* styledLabel(QWidget* parent, const char* name, const QString& text, QRect where,
                    const QString& style, Qt::Alignment align) {
    QLabel* label = makeLabel(parent, name, text, where);
    label->setStyleSheet(style);
    label->setAlignment(align);
    return label;
}

QCheckBox* makeCheckBox(QWidget* parent, const char* name, const QString& text, QRect where) {
    auto* box = makeControl<QCheckBox>(parent, name, where);
    box->setText(text);
    return box;
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
