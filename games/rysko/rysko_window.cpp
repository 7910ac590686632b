#include "rysko_window.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <cmath>

#include "clock.h"
#include "twips.h"

namespace tro::rysko {
namespace {

const QString kTitle = QStringLiteral("Скорость мыши");
const QString kEndText = QStringLiteral("Игра закончилась. Вы набрали очков:");

const QColor kWindowColour(192, 192, 255);
const QColor kFieldColour(255, 255, 192);
const QColor kTargetColour(255, 0, 0);
const QColor kPointsColour(0, 0, 192);
const QColor kSecondsColour(192, 0, 192);

constexpr int kTickMs = 1000;
// The window as it first opens, and the least it can be made, in pixels.
constexpr QSize kStartSize(800, 600);
constexpr QSize kLeastSize(480, 360);

// A box in twips as pixels: its edges are rounded, so a box inside another stays inside.
QRect pixels(const Box& box) {
    const auto edge = [](double twips) {
        return static_cast<int>(std::lround(twips / kTwipsPerPixel));
    };
    const int left = edge(box.left);
    const int top = edge(box.top);
    return {left, top, edge(box.right()) - left, edge(box.bottom()) - top};
}

Box twips(const QRect& rect) {
    return {double(twipsFromPx(rect.left())), double(twipsFromPx(rect.top())),
            double(twipsFromPx(rect.width())), double(twipsFromPx(rect.height()))};
}

void paint(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// The counters' font: 18-point bold, made smaller where the room above the field (pixels) is
// lower than the counter as its label lays it out, as in a small window of the large field.
QFont counterFont(QFont font, QLabel* counter, int room) {
    constexpr double kLargest = 18;
    constexpr double kSmallest = 6;
    font.setBold(true);
    font.setPointSizeF(kLargest);
    counter->setFont(font);
    while (counter->sizeHint().height() > room && font.pointSizeF() > kSmallest) {
        font.setPointSizeF(font.pointSizeF() - 1);
        counter->setFont(font);
    }
    return font;
}

QLabel* counter(QWidget* parent, const char* name, const QString& text, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    paint(label, QPalette::WindowText, colour);
    return label;
}

}  // namespace

Target::Target(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("Label2"));
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    paint(this, QPalette::Window, kTargetColour);
}

void Target::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit hit();
    }
    event->accept();
}

RyskoWindow::RyskoWindow(GameFrame& gameFrame)
    : GameWindow(gameFrame),
      spots_(makeTargetRandom()),
      game_(gameFrame.variant(), spots_, gameFrame.nowMs()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kTitle);
    setAutoFillBackground(true);
    paint(this, QPalette::Window, kWindowColour);
    setMinimumSize(kLeastSize);
    resize(kStartSize);

    field_ = new QLabel(this);
    field_->setObjectName(QStringLiteral("Label1"));
    field_->setFrameShape(QFrame::Box);
    field_->setLineWidth(1);
    field_->setAutoFillBackground(true);
    paint(field_, QPalette::Window, kFieldColour);

    target_ = new Target(this);
    connect(target_, &Target::hit, this, &RyskoWindow::hit);

    points_ = counter(this, "Label3", QStringLiteral("0"), kPointsColour);
    seconds_ = counter(this, "Label4", QString::number(kGameSeconds), kSecondsColour);

    // The clock runs from the moment the window is loaded.
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setTimerType(Qt::PreciseTimer);
    timer1_->setInterval(kTickMs);
    connect(timer1_, &QTimer::timeout, this, &RyskoWindow::Timer1_Timer);
    timer1_->start();
}

bool RyskoWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        if (shownLayoutPending_) {
            shownLayoutPending_ = false;
        } else {
            layOut();
        }
    } else if (event->type() == QEvent::WindowDeactivate) {
        shownLayoutPending_ = false;
    }
    return GameWindow::event(event);
}

void RyskoWindow::showEvent(QShowEvent* event) {
    GameWindow::showEvent(event);
    if (!laidOut_) {
        layOut();
        shownLayoutPending_ = true;
    }
}

void RyskoWindow::resizeEvent(QResizeEvent* event) {
    GameWindow::resizeEvent(event);
    // A window the player resizes takes its new layout at once.
    if (laidOut_ && isVisible()) {
        layOut();
    }
}

void RyskoWindow::layOut() {
    laidOut_ = true;
    const QRect outer = frameGeometry();
    game_.layOut(twipsFromPx(outer.width()), twipsFromPx(outer.height()));
    field_->setGeometry(pixels(game_.field()));

    const Box fieldInPixels = twips(field_->geometry());
    const QFont font = counterFont(this->font(), points_, field_->y());
    for (QLabel* label : {points_, seconds_}) {
        label->setFont(font);
        label->adjustSize();
    }
    const LabelPlaces places =
        placeLabels(fieldInPixels, twipsFromPx(points_->width()), twipsFromPx(points_->height()),
                    twipsFromPx(seconds_->width()), twipsFromPx(seconds_->height()));
    points_->setGeometry(pixels(places.points));
    seconds_->setGeometry(pixels(places.seconds));
    showTarget();
}

void RyskoWindow::showTarget() {
    target_->setGeometry(pixels(game_.target()));
    target_->raise();
}

void RyskoWindow::hit() {
    if (!game_.hit()) {
        return;
    }
    points_->setText(QString::number(game_.points()));
    points_->adjustSize();
    showTarget();
}

void RyskoWindow::Timer1_Timer() {
    const bool ended = game_.tick(frame().nowMs());
    seconds_->setText(QString::number(game_.secondsLeft()));
    // The seconds label keeps its right edge on the field's as its text narrows.
    const int right = seconds_->geometry().right();
    seconds_->adjustSize();
    seconds_->move(right + 1 - seconds_->width(), seconds_->y());
    if (!ended) {
        return;
    }
    timer1_->stop();
    target_->setEnabled(false);
    finish(kTitle, kEndText + QStringLiteral(" ") + QString::number(game_.points()),
           game_.points());
}

}  // namespace tro::rysko
