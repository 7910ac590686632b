#include "form1.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "twips.h"
#include "widgets.h"

namespace bomvik {

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
    label->setFixedSize(tro::twipsSize(kCounterWidth, kCounterHeight));
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
    label->setFont(tro::fontFitting(font, widest, label->size(), kCounterMargin));
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

FieldView::FieldView(Minefield& field, QWidget* parent) : QWidget(parent), field_(field) {
    setObjectName("Picture1");
    setFixedSize(field.columns() * kCellPixels, field.rows() * kCellPixels);
    setAttribute(Qt::WA_OpaquePaintEvent);
    pictures_[0] = cellPicture({TileKind::KLETKA, 0});
    for (int n = 0; n <= 8; ++n) {
        pictures_[static_cast<std::size_t>(1 + n)] = cellPicture({TileKind::CHISLO, n});
    }
    pictures_[10] = cellPicture({TileKind::FLAG, 0});
    pictures_[11] = cellPicture({TileKind::BOMBA, 0});
    pictures_[12] = cellPicture({TileKind::HANA, 0});
}

Cell FieldView::cellAt(const QPointF& position) const {
    // Outside the field the cell is one the field does not have.
    const auto axis = [](double pixels) {
        return pixels < 0 ? 0 : static_cast<int>(pixels) / kCellPixels + 1;
    };
    return {axis(position.x()), axis(position.y())};
}

void FieldView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
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

void FieldView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        return;
    }
    field_.press(event->button() == Qt::LeftButton ? Button::Left : Button::Right,
                 cellAt(event->position()));
    changed(Outcome::None);
}

void FieldView::mouseMoveEvent(QMouseEvent* event) {
    const Qt::MouseButtons held = event->buttons();
    if (!(held & (Qt::LeftButton | Qt::RightButton))) {
        return;
    }
    field_.move(cellAt(event->position()), held.testFlag(Qt::LeftButton),
                held.testFlag(Qt::RightButton));
    changed(Outcome::None);
}

void FieldView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        return;
    }
    changed(field_.release(event->button() == Qt::LeftButton ? Button::Left : Button::Right,
                           cellAt(event->position())));
}

FaceButton::FaceButton(Minefield& field, QWidget* parent) : QWidget(parent), field_(field) {
    setObjectName("Picture2");
    setFixedSize(kFaceButtonPixels, kFaceButtonPixels);
}

bool FaceButton::inside(const QPointF& position) const {
    return position.x() > 0 && position.x() < width() && position.y() > 0 &&
           position.y() < height();
}

void FaceButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFace(painter, rect(), field_.face());
}

void FaceButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    field_.pressFace();
    changed();
}

void FaceButton::mouseMoveEvent(QMouseEvent* event) {
    if (!event->buttons().testFlag(Qt::LeftButton)) {
        return;
    }
    field_.moveFace(inside(event->position()));
    changed();
}

void FaceButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    released(inside(event->position()));
}

Form1::Form1(tro::GameFrame& frame)
    : GameWindow(frame),
      field_(variantOf(frame.variant()), frame.services().clock, frame.services().random) {
    setObjectName("Form1");
    setWindowTitle(
        QString::fromUtf8(variantOf(frame.variant()).caption.data(),
                          static_cast<qsizetype>(variantOf(frame.variant()).caption.size())));

    label1_ = makeCounter(this, "Label1", qRgb(255, 255, 128));
    label2_ = makeCounter(this, "Label2", qRgb(255, 255, 0));
    picture2_ = new FaceButton(field_, this);
    picture1_ = new FieldView(field_, this);
    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(kTimerMs);

    picture1_->changed = [this](Outcome outcome) { refresh(outcome); };
    picture2_->changed = [this] { refresh(); };
    picture2_->released = [this](bool inside) {
        field_.releaseFace(inside, [] { QCoreApplication::processEvents(); });
        refresh();
    };
    connect(timer1_, &QTimer::timeout, this, &Form1::timerTick);

    placeControls();
    refresh();
}

void Form1::placeControls() {
    const int left = tro::px(kFieldLeft);
    const int top = tro::px(kFieldTop);
    const int fieldWidth = picture1_->width();
    picture1_->move(left, top);
    label1_->move(left, tro::px(kCounterTop));
    label2_->move(left + fieldWidth - label2_->width(), tro::px(kCounterTop));
    picture2_->move(left + (fieldWidth - picture2_->width()) / 2, tro::px(kCounterTop));
    setFixedSize(2 * left + fieldWidth, top + picture1_->height() + left);
}

void Form1::showEvent(QShowEvent* event) {
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

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawSunkenEdge(painter, picture1_->geometry(), 2);
    drawSunkenEdge(painter, label1_->geometry(), 1);
    drawSunkenEdge(painter, label2_->geometry(), 1);
}

void Form1::newgame() {
    field_.newgame([] { QCoreApplication::processEvents(); });
    refresh();
}

void Form1::timerTick() {
    refresh(field_.tick(isMinimized()));
}

void Form1::refresh(Outcome outcome) {
    label1_->setText(QString::number(field_.minesLeft()));
    label2_->setText(QString::number(field_.shownSeconds()));
    picture2_->setProperty("face", picture2_->faceShown());
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

}  // namespace bomvik
