#include "vertun_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "clock.h"
#include "numbers.h"
#include "twips.h"
#include "widgets.h"

namespace tro::vertun {
namespace {

const QString kMessageTitle = QStringLiteral("Останови стрелку");
const QString kEndText = QStringLiteral("Игра закончена. Ваши очки:");
const QString kCalibrationText = QStringLiteral("Подождите, идет настройка скорости...");
const QString kStartText = QStringLiteral(
    "Чтобы начать игру, нажмите любую клавишу. Останавливать стрелку тоже любой клавишей.");
const QString kStopsCaption = QStringLiteral("Попытки:");
const QString kPointsCaption = QStringLiteral("Очки:");
const QString kMarksCaption = QStringLiteral("Показывать среднее значение");

const QColor kDialBackground(255, 255, 192);
const QColor kArrowColour(128, 0, 0);
const QColor kStatusColour(192, 0, 192);

// Client area and the dial's place, in twips.
constexpr int kClientWidth = 5895;
constexpr int kClientHeight = 5250;
constexpr int kDialLeft = 1080;
constexpr int kDialTop = 960;

// A point of the dial at an angle (degrees, counter-clockwise from three o'clock) and a
// radius, in twips.
QPointF dialPoint(double angle, double radius) {
    const double c = kDialSide / 2.0;
    const double a = angle * kPi / 180.0;
    return {c + radius * std::cos(a), c - radius * std::sin(a)};
}

QColor arcColour(double angle, const QColor& plain) {
    const double d = std::abs(angle - kTopAngle);
    if (d < 10) {
        return {255, 0, 0};
    }
    if (d < 20) {
        return {255, 128, 0};
    }
    if (d < 30) {
        return {255, 255, 0};
    }
    if (d < 40) {
        return {0, 255, 0};
    }
    return plain;
}

// Frames follow the screen: one per refresh of the display the window is on.
int frameIntervalMs(const QWidget& widget) {
    const QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
    const double rate = screen && screen->refreshRate() > 1.0 ? screen->refreshRate() : 60.0;
    return std::clamp(static_cast<int>(1000.0 / rate), 4, 40);
}

// A label with its text centred, bold for the counters.
QLabel* centredLabel(QWidget* parent, const char* name, const QString& text, QRect place,
                     bool bold = false) {
    QLabel* label = makeLabel(parent, name, text, place);
    label->setAlignment(Qt::AlignCenter);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

}  // namespace

Dial::Dial(const VertunGame& game, QWidget* parent) : QWidget(parent), game_(game) {
    setObjectName(QStringLiteral("Picture1"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Dial::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kDialBackground);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(width() / double(kDialSide), height() / double(kDialSide));

    const QColor plain = palette().color(QPalette::ButtonText);
    const double r = arrowLength();
    QPen pen(plain, 1.0);
    pen.setCosmetic(true);

    // The coloured arc around the top.
    for (int half = 100; half <= 260; ++half) {
        const double a = half / 2.0;
        pen.setColor(arcColour(a, plain));
        pen.setWidthF(1.5);
        painter.setPen(pen);
        painter.drawLine(dialPoint(a, r + 40), dialPoint(a, r + 90));
    }
    // The scale: a stroke every ten degrees, a dot at every other degree.
    pen.setColor(plain);
    for (int a = 0; a <= 360; ++a) {
        if (a % 10 == 0) {
            pen.setWidthF(1.0);
            painter.setPen(pen);
            painter.drawLine(dialPoint(a, r + 30), dialPoint(a, r + 90));
        } else {
            pen.setWidthF(1.5);
            painter.setPen(pen);
            painter.drawPoint(dialPoint(a, r + 30));
        }
    }
    // The fixed mark at the top.
    pen.setWidthF(2.0);
    painter.setPen(pen);
    painter.drawLine(QPointF(kDialSide / 2.0, 240), QPointF(kDialSide / 2.0, 0));

    if (game_.marksShown()) {
        if (const auto marks = game_.averageMarks()) {
            painter.drawLine(dialPoint(marks->first, r + 40), dialPoint(marks->first, r + 200));
            painter.drawLine(dialPoint(marks->second, r + 40), dialPoint(marks->second, r + 200));
        }
    }

    pen.setColor(kArrowColour);
    pen.setWidthF(2.0);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(dialPoint(0, 0), dialPoint(game_.arrowAngle(), r));
}

void Dial::keyPressEvent(QKeyEvent* event) {
    emit keyPressed(event->isAutoRepeat());
    event->accept();
}

bool Dial::focusNextPrevChild(bool) {
    // Tab is a key like any other here: it starts and stops the arrow.
    return false;
}

VertunWindow::VertunWindow(GameFrame& gameFrame)
    : GameWindow(gameFrame), game_(gameFrame.variant(), gameFrame.services().random) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(variantInfo(game_.variant()).caption));
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    setFixedSize(twipsSize(kClientWidth, kClientHeight));

    const QRect dialPlace = twipsRect(kDialLeft, kDialTop, kDialSide, kDialSide);
    dial_ = new Dial(game_, this);
    dial_->setGeometry(dialPlace);

    const int w = width();
    status_ =
        centredLabel(this, "Label7", kCalibrationText, QRect(8, 4, w - 16, dialPlace.top() - 8));
    status_->setWordWrap(true);
    QPalette statusPalette = status_->palette();
    statusPalette.setColor(QPalette::WindowText, kStatusColour);
    status_->setPalette(statusPalette);

    // The counters sit in the strips left and right of the dial, level with its centre.
    const int side = dialPlace.left();
    const int middle = dialPlace.center().y();
    centredLabel(this, "Label6", kStopsCaption, QRect(0, middle - 22, side, 20));
    stops_ = centredLabel(this, "Label4", QStringLiteral("0"), QRect(0, middle, side, 22), true);
    centredLabel(this, "Label5", kPointsCaption,
                 QRect(dialPlace.right() + 1, middle - 22, side, 20));
    total_ =
        centredLabel(this, "Label3", QStringLiteral("0"),
                     QRect(dialPlace.right() + 1, middle, w - dialPlace.right() - 1, 22), true);
    lastPoints_ =
        centredLabel(this, "Label1", QString(),
                     QRect(dialPlace.left(), dialPlace.bottom() + 2, dialPlace.width(), 20), true);

    marks_ = new QCheckBox(kMarksCaption, this);
    marks_->setObjectName(QStringLiteral("Check1"));
    marks_->setFocusPolicy(Qt::NoFocus);
    const QSize boxSize = marks_->sizeHint();
    marks_->setGeometry((w - boxSize.width()) / 2, height() - boxSize.height() - 2, boxSize.width(),
                        boxSize.height());
    connect(marks_, &QCheckBox::toggled, this, [this](bool on) {
        game_.showMarks(on);
        dial_->update();
        dial_->setFocus();
    });

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setTimerType(Qt::PreciseTimer);
    connect(timer1_, &QTimer::timeout, this, &VertunWindow::Timer1_Timer);
    connect(dial_, &Dial::keyPressed, this, [this](bool autoRepeat) {
        // A key held down repeats; only its first press counts.
        if (!autoRepeat) {
            pressKey();
        }
    });
    dial_->setFocus();
}

void VertunWindow::showEvent(QShowEvent* event) {
    GameWindow::showEvent(event);
    dial_->setFocus();
    if (!begun_) {
        begun_ = true;
        game_.begin(frame().nowMs());
        timer1_->start(frameIntervalMs(*this));
    }
}

void VertunWindow::Timer1_Timer() {
    if (game_.tick(frame().nowMs()) == TickOutcome::Calibrated) {
        // The arrow rests until a key starts the game.
        timer1_->stop();
        showCounters();
    }
    dial_->update();
}

void VertunWindow::pressKey() {
    const KeyOutcome outcome = game_.pressKey(frame().nowMs());
    switch (outcome) {
        case KeyOutcome::Ignored:
            return;
        case KeyOutcome::Started:
            showCounters();
            timer1_->start(frameIntervalMs(*this));
            return;
        case KeyOutcome::Stopped:
            showCounters();
            dial_->update();
            return;
        case KeyOutcome::Ended:
            timer1_->stop();
            showCounters();
            dial_->update();
            finish(kMessageTitle, kEndText + QString::number(game_.messageTotal()), game_.result());
            return;
    }
}

void VertunWindow::showCounters() {
    const bool calibrating = game_.phase() == Phase::Idle || game_.phase() == Phase::Calibrating;
    status_->setText(calibrating ? kCalibrationText : kStartText);
    stops_->setText(QString::number(game_.stops()));
    total_->setText(QString::fromStdString(formatTotal(game_.total())));
    if (const auto points = game_.lastPoints()) {
        lastPoints_->setText(QString::fromStdString(formatPoints(*points)));
    }
}

}  // namespace tro::vertun
