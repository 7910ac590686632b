#include "lines_window.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "clock.h"
#include "twips.h"
#include "widgets.h"

namespace tro::lines {

namespace {

const QString kTitle = QStringLiteral("ЛАЙНС");
const QString kPointsTitle = QStringLiteral("ЛАЙНС - игра на очки");
const QString kTimeTitle = QStringLiteral("ЛАЙНС - игра на время - 10 мин");
const QString kTrajectoryText = QStringLiteral("Показывать траекторию шарика");
const QString kRestartText = QStringLiteral("Начать заново");
const QString kNextText = QStringLiteral("След. шары:");
const QString kPointsText = QStringLiteral("Очки:");
const QString kTimeText = QStringLiteral("Время:");
const QString kEndMessage = QStringLiteral("Игра закончена. Ваши очки:");

const QColor kFormBackground(255, 224, 192);
const QColor kNextColour(0, 0, 255);
const QColor kTimeColour(0, 128, 0);
const QColor kCellBorder(128, 128, 128);

// Window layout in twips.
constexpr int kClientWidth = 7365;
constexpr int kClientHeight = 6345;
constexpr int kCellSize = 615;
constexpr int kCellPitch = 600;
constexpr int kBoardLeft = 960;
constexpr int kBoardTop = 840;
constexpr std::array<int, kNextCount> kPreviewLeft{3360, 3960, 4560};
constexpr int kPreviewTop = 120;

// The countdown looks at the clock several times a second, so the seconds shown never lag
// behind by more than this.
constexpr int kCountdownPollMs = 250;

// The ball picture: an ellipse of 35 × 33 pixels with a one-pixel black outline, centred.
constexpr double kBallWidth = 35.0;
constexpr double kBallHeight = 33.0;

// A label of the window's bold type in its colour. Fonts that run wider than the ones the
// layout was made for are narrowed until the caption fits its place, rather than losing its
// last letters.
QLabel* colouredLabel(QWidget* parent, const char* name, const QString& text, QRect place,
                      const QColor& colour) {
    auto* label = makeLabel(parent, name, text, place);
    QFont font = parent->font();
    font.setPointSize(12);
    font.setBold(true);
    label->setFont(fontFitting(font, {text}, place.size(), 0));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

}  // namespace

QColor ballColour(int code) {
    if (code < 1 || code > kColours) {
        return {};
    }
    const Rgb rgb = kBallColours[static_cast<std::size_t>(code - 1)];
    return {rgb.r, rgb.g, rgb.b};
}

BallPicture::BallPicture(int index, bool clickable, QWidget* parent)
    : QWidget(parent), index_(index), clickable_(clickable) {
    setObjectName(QStringLiteral("Picture1_%1").arg(index));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BallPicture::setColour(int colour) {
    if (colour != colour_) {
        colour_ = colour;
        update();
    }
}

void BallPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(QPen(kCellBorder, 1.0));
    painter.drawRect(box);
    if (colour_ == 0) {
        return;
    }
    // Drawn as a shape rather than a bitmap, so it stays crisp at any pixel density.
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect()).center();
    const QRectF ball(centre.x() - kBallWidth / 2.0, centre.y() - kBallHeight / 2.0, kBallWidth,
                      kBallHeight);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(ballColour(colour_));
    painter.drawEllipse(ball.adjusted(0.5, 0.5, -0.5, -0.5));
}

void BallPicture::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (clickable_) {
        emit pressed(index_);
    }
}

WrappingCheckBox::WrappingCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent) {}

void WrappingCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString text = option.text;
    option.text.clear();
    QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    indicator.moveTop((height() - indicator.height()) / 2);
    QStyleOptionButton box = option;
    box.rect = indicator;
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);
    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const QRect textRect = rect().adjusted(indicator.right() + 1 + spacing, 0, 0, 0);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(
            textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrappingCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

LinesWindow::LinesWindow(GameFrame& frame, QWidget* parent)
    : GameWindow(frame, parent), game_(frame.variant(), frame.services().random) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kTitle);
    setFixedSize(twipsSize(kClientWidth, kClientHeight));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kFormBackground);
    setPalette(palette);
    setAutoFillBackground(true);

    for (int row = 1; row <= kSide; ++row) {
        for (int column = 1; column <= kSide; ++column) {
            const int n = cellNumber(row, column);
            auto* picture = new BallPicture(n, true, this);
            picture->setGeometry(twipsRect(kBoardLeft + kCellPitch * (column - 1),
                                           kBoardTop + kCellPitch * (row - 1), kCellSize,
                                           kCellSize));
            connect(picture, &BallPicture::pressed, this, &LinesWindow::Picture1_MouseDown);
            pictures_[static_cast<std::size_t>(n)] = picture;
        }
    }
    for (int i = 0; i < kNextCount; ++i) {
        auto* picture = new BallPicture(kFirstPreview + i, false, this);
        picture->setGeometry(twipsRect(kPreviewLeft[static_cast<std::size_t>(i)], kPreviewTop,
                                       kCellSize, kCellSize));
        pictures_[static_cast<std::size_t>(kFirstPreview + i)] = picture;
    }

    check1_ = new WrappingCheckBox(kTrajectoryText, this);
    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setGeometry(twipsRect(120, 0, 1335, 735));
    QFont small = font();
    small.setPointSize(8);
    check1_->setFont(small);
    bindSwitch(check1_, kTrajectorySwitchSlot);
    game_.setTrajectory(check1_->isChecked());
    connect(check1_, &QCheckBox::toggled, this, [this](bool on) { game_.setTrajectory(on); });

    command1_ = new QPushButton(kRestartText, this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(twipsRect(1560, 120, 1695, 255));
    command1_->setFont(small);
    command1_->setFocusPolicy(Qt::TabFocus);
    connect(command1_, &QPushButton::clicked, this, &LinesWindow::Command1_Click);

    colouredLabel(this, "Label7", kNextText, twipsRect(1560, 360, 1695, 255), kNextColour);
    auto* label9 =
        colouredLabel(this, "Label9", kTimeText, twipsRect(5520, 0, 855, 255), kTimeColour);
    label8_ = colouredLabel(this, "Label8", QString(), twipsRect(6480, 0, 735, 255), kTimeColour);
    colouredLabel(this, "Label1", kPointsText, twipsRect(5520, 360, 720, 300), Qt::black);
    label2_ = colouredLabel(this, "Label2", QString(), twipsRect(6360, 360, 885, 300), Qt::black);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setTimerType(Qt::PreciseTimer);
    connect(timer1_, &QTimer::timeout, this, &LinesWindow::Timer1_Timer);
    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setTimerType(Qt::PreciseTimer);
    timer2_->setInterval(kCountdownPollMs);
    connect(timer2_, &QTimer::timeout, this, &LinesWindow::Timer2_Timer);

    game_.newGame(frame.nowMs());
    if (game_.countdownRuns()) {
        setWindowTitle(kTimeTitle);
        timer2_->start();
    } else {
        setWindowTitle(kPointsTitle);
        label9->hide();
        label8_->hide();
    }
    timer1_->start(game_.timer1IntervalMs());
    showState();
}

void LinesWindow::showState() {
    for (int n = 1; n <= kCells; ++n) {
        pictures_[static_cast<std::size_t>(n)]->setColour(game_.shown(n));
    }
    for (int i = 0; i < kNextCount; ++i) {
        pictures_[static_cast<std::size_t>(kFirstPreview + i)]->setColour(
            game_.nextballs()[static_cast<std::size_t>(i)]);
    }
    label2_->setText(QString::number(game_.score()));
    label8_->setText(QString::number(game_.remainingSeconds()));
    if (timer1_->interval() != game_.timer1IntervalMs()) {
        timer1_->setInterval(game_.timer1IntervalMs());
    }
}

void LinesWindow::Picture1_MouseDown(int index) {
    if (ending_ || index < 1 || index > kCells) {
        return;
    }
    game_.clickCell(index);
    afterEvent();
}

void LinesWindow::Timer1_Timer() {
    if (ending_) {
        return;
    }
    game_.timer1Tick();
    afterEvent();
}

void LinesWindow::Timer2_Timer() {
    if (ending_) {
        return;
    }
    if (game_.tick(frame().nowMs()) != TickOutcome::Nothing) {
        afterEvent();
    }
}

void LinesWindow::Command1_Click() {
    if (ending_) {
        return;
    }
    game_.newGame(frame().nowMs());
    afterEvent();
}

void LinesWindow::afterEvent() {
    showState();
    if (game_.end() == GameEnd::None || ending_) {
        return;
    }
    // The countdown stands still while the end message is open; the board stays as it ended.
    ending_ = true;
    stopTimers();
    finish(windowTitle(), kEndMessage + QLatin1Char(' ') + QString::number(game_.score()),
           game_.result());
}

void LinesWindow::stopTimers() {
    timer1_->stop();
    timer2_->stop();
}

void LinesWindow::closeEvent(QCloseEvent* event) {
    // While the end message is open the result is on its way; closing must not replace it.
    if (ending_ && !frame().handedOff()) {
        event->ignore();
        return;
    }
    stopTimers();
    ending_ = true;
    GameWindow::closeEvent(event);
}

}  // namespace tro::lines
