#include "bomvik_window.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "clock.h"
#include "twips.h"
#include "widgets.h"

namespace tro::bomvik {

namespace {

constexpr int kTimerMs = 200;

// Positions of the window, in twips.
constexpr int kFieldLeft = 120;
constexpr int kFieldTop = 600;
constexpr int kCounterTop = 120;
constexpr int kCounterWidth = 735;
constexpr int kCounterHeight = 375;
// Room between a counter's edge and its digits, in pixels.
constexpr int kCounterMargin = 2;

const QString kWinTitle = QStringLiteral("Сапер");
const QString kWinMessage = QStringLiteral("Вы победили! Ваше время:");
const QString kTimeOverTitle = QStringLiteral("Bomvik");
const QString kTimeOverMessage = QStringLiteral("Игра закончена. Затрачено слишком много времени.");

std::size_t pictureIndex(const Tile& tile) {
    switch (tile.kind) {
        case TileKind::KLETKA:
            return 0;
        case TileKind::CHISLO:
            return 1 + static_cast<std::size_t>(std::clamp(tile.number, 0, 8));
        case TileKind::FLAG:
            return 10;
        case TileKind::BOMBA:
            return 11;
        case TileKind::HANA:
            return 12;
    }
    return 0;
}

QLabel* makeCounter(QWidget* parent, const char* name, QRgb colour) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, QColor(colour));
    label->setPalette(palette);
    label->setFixedSize(twipsSize(kCounterWidth, kCounterHeight));
    // The widest numbers a counter shows have four characters: the seconds up to 1001, the
    // mines left down to -381. Any digit repeated stands for them, whatever the font's widths.
    QStringList widest;
    for (char digit = '0'; digit <= '9'; ++digit) {
        widest << QString(4, QLatin1Char(digit))
               << QLatin1Char('-') + QString(3, QLatin1Char(digit));
    }
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(13.5);
    label->setFont(fontFitting(font, widest, label->size(), kCounterMargin));
    return label;
}

// A two-pixel sunken edge just outside `rect`.
void drawSunkenEdge(QPainter& painter, const QRect& rect, int width) {
    for (int i = 1; i <= width; ++i) {
        const QRect edge = rect.adjusted(-i, -i, i - 1, i - 1);
        painter.setPen(QColor(kDarkGrey));
        painter.drawLine(edge.topLeft(), edge.topRight());
        painter.drawLine(edge.topLeft(), edge.bottomLeft());
        painter.setPen(QColor(kWhite));
        painter.drawLine(edge.bottomLeft() + QPoint(1, 0), edge.bottomRight());
        painter.drawLine(edge.topRight() + QPoint(0, 1), edge.bottomRight());
    }
}

}  // namespace

PictureBox::PictureBox(const char* name, QSize size, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setFixedSize(size);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painted(painter, event->rect());
}

BomvikWindow::BomvikWindow(GameFrame& frame)
    : GameWindow(frame), field_(variantOf(frame.variant()), frame.services().random) {
    setObjectName("Form1");
    setWindowTitle(
        QString::fromUtf8(variantOf(frame.variant()).caption.data(),
                          static_cast<qsizetype>(variantOf(frame.variant()).caption.size())));
    pictures_[0] = cellPicture({TileKind::KLETKA, 0});
    for (int n = 0; n <= 8; ++n) {
        pictures_[static_cast<std::size_t>(1 + n)] = cellPicture({TileKind::CHISLO, n});
    }
    pictures_[10] = cellPicture({TileKind::FLAG, 0});
    pictures_[11] = cellPicture({TileKind::BOMBA, 0});
    pictures_[12] = cellPicture({TileKind::HANA, 0});

    label1_ = makeCounter(this, "Label1", qRgb(255, 255, 128));
    label2_ = makeCounter(this, "Label2", qRgb(255, 255, 0));
    picture2_ = new PictureBox("Picture2", QSize(kFaceButtonPixels, kFaceButtonPixels), this);
    picture1_ = new PictureBox(
        "Picture1", QSize(field_.columns() * kCellPixels, field_.rows() * kCellPixels), this);
    picture1_->setAttribute(Qt::WA_OpaquePaintEvent);
    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(kTimerMs);

    picture1_->painted = [this](QPainter& painter, const QRect& dirty) {
        paintField(painter, dirty);
    };
    picture1_->mouse = [this](const QMouseEvent& event) { fieldMouse(event); };
    picture2_->painted = [this](QPainter& painter, const QRect&) {
        drawFace(painter, picture2_->rect(), field_.face());
    };
    picture2_->mouse = [this](const QMouseEvent& event) { faceMouse(event); };
    connect(timer1_, &QTimer::timeout, this, &BomvikWindow::Timer1_Timer);

    placeControls();
    refresh();
}

void BomvikWindow::paintField(QPainter& painter, const QRect& dirty) {
    for (int row = 1; row <= field_.rows(); ++row) {
        for (int column = 1; column <= field_.columns(); ++column) {
            const QPoint at((column - 1) * kCellPixels, (row - 1) * kCellPixels);
            if (!dirty.intersects(QRect(at, QSize(kCellPixels, kCellPixels)))) {
                continue;
            }
            painter.drawImage(at, pictures_[pictureIndex(field_.tile({column, row}))]);
        }
    }
}

void BomvikWindow::fieldMouse(const QMouseEvent& event) {
    // Outside the field the cell is one the field does not have.
    const auto axis = [](double pixels) {
        return pixels < 0 ? 0 : static_cast<int>(pixels) / kCellPixels + 1;
    };
    const Cell cell{axis(event.position().x()), axis(event.position().y())};
    const Button button = event.button() == Qt::LeftButton ? Button::Left : Button::Right;
    const bool leftOrRight = event.button() == Qt::LeftButton || event.button() == Qt::RightButton;
    // A double click's second press is a press like the first.
    const bool press =
        event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick;
    if (event.type() == QEvent::MouseMove) {
        const Qt::MouseButtons held = event.buttons();
        if (!(held & (Qt::LeftButton | Qt::RightButton))) {
            return;
        }
        field_.move(cell, held.testFlag(Qt::LeftButton), held.testFlag(Qt::RightButton));
        refresh();
    } else if (leftOrRight && press) {
        field_.press(button, cell);
        refresh();
    } else if (leftOrRight && event.type() == QEvent::MouseButtonRelease) {
        refresh(field_.release(button, cell));
    }
}

void BomvikWindow::faceMouse(const QMouseEvent& event) {
    const QPointF at = event.position();
    const bool inside =
        at.x() > 0 && at.x() < picture2_->width() && at.y() > 0 && at.y() < picture2_->height();
    if (event.type() == QEvent::MouseMove) {
        if (event.buttons().testFlag(Qt::LeftButton)) {
            field_.moveFace(inside);
            refresh();
        }
    } else if (event.button() != Qt::LeftButton) {
        return;
    } else if (event.type() == QEvent::MouseButtonPress ||
               event.type() == QEvent::MouseButtonDblClick) {
        field_.pressFace();
        refresh();
    } else if (event.type() == QEvent::MouseButtonRelease) {
        field_.releaseFace(inside, [] { QCoreApplication::processEvents(); });
        refresh();
    }
}

void BomvikWindow::placeControls() {
    const int left = px(kFieldLeft);
    const int top = px(kFieldTop);
    const int fieldWidth = picture1_->width();
    picture1_->move(left, top);
    label1_->move(left, px(kCounterTop));
    label2_->move(left + fieldWidth - label2_->width(), px(kCounterTop));
    picture2_->move(left + (fieldWidth - picture2_->width()) / 2, px(kCounterTop));
    setFixedSize(2 * left + fieldWidth, top + picture1_->height() + left);
}

void BomvikWindow::showEvent(QShowEvent* event) {
    GameWindow::showEvent(event);
    if (activated_) {
        return;
    }
    activated_ = true;
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    newgame();
}

void BomvikWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawSunkenEdge(painter, picture1_->geometry(), 2);
    drawSunkenEdge(painter, label1_->geometry(), 1);
    drawSunkenEdge(painter, label2_->geometry(), 1);
}

void BomvikWindow::newgame() {
    field_.newgame([] { QCoreApplication::processEvents(); });
    refresh();
}

void BomvikWindow::Timer1_Timer() {
    const TickOutcome changed = field_.tick(frame().nowMs(), isMinimized());
    if (changed.secondsChanged) {
        refresh(changed.outcome);
    }
}

void BomvikWindow::refresh(Outcome outcome) {
    label1_->setText(QString::number(field_.minesLeft()));
    label2_->setText(QString::number(field_.shownSeconds()));
    picture1_->setEnabled(field_.fieldEnabled());
    picture2_->update();
    picture1_->update();
    if (field_.clockRunning()) {
        if (!timer1_->isActive()) {
            timer1_->start();
        }
    } else {
        timer1_->stop();
    }

    if (outcome == Outcome::Won) {
        // The face of victory is on the screen while the message waits.
        picture2_->repaint();
        picture1_->repaint();
        const int seconds = field_.shownSeconds();
        finish(kWinTitle, kWinMessage + QLatin1Char(' ') + QString::number(seconds), seconds);
    } else if (outcome == Outcome::TimeOver) {
        finishWithoutResult(kTimeOverTitle, kTimeOverMessage);
    }
}

}  // namespace tro::bomvik
