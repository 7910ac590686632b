#include "okulen_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "clock.h"
#include "twips.h"
#include "widgets.h"

namespace tro::okulen {
namespace {

const QString kMessageTitle = QStringLiteral("Глазомер");
const QString kEndMessage = QStringLiteral("Игра закончена. Ваш результат:");
const QString kAnswerPrompt = QStringLiteral(
    "Наберите число, соответствующее, на ваш взгляд, положению черточки, и нажмите ENTER");
const QString kRulesTitle = QStringLiteral("Правила");
const QString kStartCaption = QStringLiteral("Начать игру");
const QString kSoundCaption = QStringLiteral("SOUND");

const std::array<const char*, kVariantCount> kCaptions = {
    "Глазомер - положение точки", "Глазомер - поиск середины", "Глазомер - отражение луча",
    "Глазомер - двухмерный глазомер", "Глазомер - все вместе"};

// Each variant's rules, line by line; the blanks at the line ends belong to them.
const std::array<std::vector<const char*>, kVariantCount> kRules = {{
    {"Положение точки.", "Вы должны на глаз определить положение красной черточки (от 0 до ",
     "1000) и напечатать ответ на клавиатуре. На один ответ дается 15 ",
     "секунд. Всего надо дать 20 ответов. После того, как вы напечатали ",
     "ответ и нажали Enter, программа покажет, сколько очков вы набрали и ",
     "каков был правильный ответ. Чтобы потом перейти к следующему ",
     "вопросу, надо еще раз нажать на Enter."},
    {"Поиск середины.", "Дается отрезок некоторой длины. Вы должы щелкнуть мышкой ",
     "посередине отрезка, уложившись в 10 секунд. Когда кнопка мыши ",
     "будет уже нажата, вам будет показана настоящая середина отрезка и ",
     "заработанные очки. Всего надо дать ответ на 50 вопросов."},
    {"Отражение луча.", "Здесь требуется на глаз определить место, куда отразится луч, и ",
     "щелкнуть туда мышкой. Количество вопросов - 30."},
    {"Двухмерный глазомер.", "Надо найти точку, равноотстоящую от трех точек, не лежащих на одной ",
     "прямой. Времени дается 10 секунд."},
    {"Все вместе.", "Вам будет дано 30 вопросов из разных игр."},
}};

const QString kLineEnd = QStringLiteral("\r\n");

QString ownRules(int variant) {
    QString text;
    for (const char* line : kRules[static_cast<std::size_t>(variant - 1)]) {
        text += QString::fromUtf8(line) + kLineEnd;
    }
    return text;
}

// Window layout, twips.
constexpr int kClientWidth = 9450;
constexpr int kClientHeight = 6345;
constexpr int kPictureLeft = 480;
constexpr int kPictureTop = 480;
constexpr int kCounterTop = 120;
constexpr int kCounterGap = 90;  // between a caption and its number
constexpr int kCounterNumberWidth = 480;

const QColor kRed(255, 0, 0);
const QColor kPurple(192, 0, 192);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);

// A label as wide and high as its text, in `colour` when one is given.
QLabel* sizedLabel(QWidget* parent, const char* name, const QString& caption,
                   const QColor& colour = {}) {
    auto* label = makeLabel(parent, name, caption, {});
    if (colour.isValid()) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
    label->adjustSize();
    return label;
}

}  // namespace

QString variantCaption(int variant) {
    if (variant < 1 || variant > kVariantCount) {
        return kMessageTitle;
    }
    return QString::fromUtf8(kCaptions[static_cast<std::size_t>(variant - 1)]);
}

QString rulesText(int variant) {
    if (variant < 1 || variant > kVariantCount) {
        return {};
    }
    if (variant != kMixedVariant) {
        return ownRules(variant);
    }
    QString text = ownRules(kMixedVariant);
    for (int other = 1; other < kMixedVariant; ++other) {
        text += kLineEnd + ownRules(other);
    }
    return text;
}

// The drawing surface: shows the game's drawing and hands mouse presses on in twips.
class PictureBox : public QWidget {
  public:
    PictureBox(OkulenWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
        setObjectName(QStringLiteral("Picture1"));
        // Clicks on the picture leave the keyboard focus in the answer box.
        setFocusPolicy(Qt::NoFocus);
        setAutoFillBackground(true);
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, Qt::white);
        setPalette(palette);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const Drawing& drawing = window_.game().drawing();
        painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
        for (const Stroke& stroke : drawing.strokes) {
            painter.setPen(QPen(inkColour(stroke.ink), 0));
            painter.drawLine(QPointF(stroke.from.x, stroke.from.y),
                             QPointF(stroke.to.x, stroke.to.y));
        }
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        for (const Ring& ring : drawing.rings) {
            painter.setPen(QPen(inkColour(ring.ink), 0));
            painter.drawEllipse(QPointF(ring.centre.x, ring.centre.y), ring.radius, ring.radius);
        }
        painter.resetTransform();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    void mousePressEvent(QMouseEvent* event) override {
        window_.mousePressed(
            {event->position().x() * kTwipsPerPixel, event->position().y() * kTwipsPerPixel});
    }
    void mouseReleaseEvent(QMouseEvent*) override { window_.mouseReleased(); }

  private:
    [[nodiscard]] QColor inkColour(Ink ink) const {
        switch (ink) {
            case Ink::Black:
                return {0, 0, 0};
            case Ink::DarkBlue:
                return {0, 0, 128};
            case Ink::DarkCyan:
                return {0, 128, 128};
            case Ink::DarkRed:
                return {128, 0, 0};
            case Ink::Foreground:
                break;
        }
        return palette().color(QPalette::WindowText);
    }

    OkulenWindow& window_;
};

OkulenWindow::OkulenWindow(GameFrame& frame)
    : GameWindow(frame), game_(frame.variant(), frame.services().random) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(variantCaption(frame.variant()));
    setLayoutFont(*this, 11, FontUnit::Pixels);
    setFixedSize(twipsSize(kClientWidth, kClientHeight));

    picture_ = new PictureBox(*this, this);
    picture_->setGeometry(twipsRect(kPictureLeft, kPictureTop, static_cast<int>(kPictureWidth),
                                    static_cast<int>(kPictureHeight)));
    for (int i = 0; i < kMetkaCount; ++i) {
        metka_[static_cast<std::size_t>(i)] =
            sizedLabel(picture_, QStringLiteral("Metka%1").arg(i).toLatin1().constData(),
                       QString::fromStdString(game_.metka(i).caption));
        // Presses on a label count as presses on the picture beneath it.
        metka_[static_cast<std::size_t>(i)]->setAttribute(Qt::WA_TransparentForMouseEvents);
        metka_[static_cast<std::size_t>(i)]->hide();
    }

    // The typed answer: below the segment, in the empty part of the picture.
    label3_ = makeLabel(picture_, "Label3", kAnswerPrompt,
                        twipsRect(1000, 2700, static_cast<int>(kPictureWidth) - 2000, 420));
    label3_->setWordWrap(true);
    label3_->setAlignment(Qt::AlignHCenter);
    text1_ = new QLineEdit(picture_);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setAlignment(Qt::AlignCenter);
    text1_->setGeometry(twipsRect((static_cast<int>(kPictureWidth) - 1800) / 2, 3240, 1800, 330));
    label3_->hide();
    text1_->hide();
    connect(text1_, &QLineEdit::returnPressed, this, [this] { answerTyped(); });

    // The counters above the picture, each caption followed by its number, spread over the
    // width of the picture.
    struct Counter {
        QLabel* caption;
        QLabel* number;
    };
    const std::array<Counter, 4> counters = {{
        {sizedLabel(this, "Label1", QStringLiteral("Время на ответ:"), kRed),
         sizedLabel(this, "Label2", QString::number(kSecondsBeforeFirstTask), kRed)},
        {sizedLabel(this, "Label4", QStringLiteral("Очки:"), kPurple),
         sizedLabel(this, "Ochki", QStringLiteral("0"), kPurple)},
        {sizedLabel(this, "Label5", QStringLiteral("Кол-во ответов:"), kGreen),
         sizedLabel(this, "Otvet", QStringLiteral("0"), kGreen)},
        {sizedLabel(this, "Label7", QStringLiteral("Очки за последний ответ:"), kBlue),
         sizedLabel(this, "Tekoch", QStringLiteral("0"), kBlue)},
    }};
    const int gap = px(kCounterGap);
    const int numberWidth = px(kCounterNumberWidth);
    int used = 0;
    for (const Counter& c : counters) {
        used += c.caption->width() + gap + numberWidth;
    }
    const int space = std::max(gap, (px(static_cast<int>(kPictureWidth)) - used) / 3);
    int left = px(kPictureLeft);
    for (const Counter& c : counters) {
        c.caption->move(left, px(kCounterTop));
        left += c.caption->width() + gap;
        c.number->setGeometry(left, px(kCounterTop), numberWidth, c.caption->height());
        left += numberWidth + space;
    }
    secondsLeft_ = counters[0].number;
    ochki_ = counters[1].number;
    otvet_ = counters[2].number;
    tekoch_ = counters[3].number;

    // Before the game: the rules of the variant and the start button over the picture.
    frame1_ = new QGroupBox(kRulesTitle, this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setGeometry(twipsRect(kPictureLeft + 600, kPictureTop + 360,
                                   static_cast<int>(kPictureWidth) - 1200, 3960));
    text2_ = new QPlainTextEdit(frame1_);
    text2_->setObjectName(QStringLiteral("Text2"));
    text2_->setReadOnly(true);
    text2_->setPlainText(rulesText(frame.variant()).replace(kLineEnd, QStringLiteral("\n")));
    text2_->setGeometry(twipsRect(150, 300, static_cast<int>(kPictureWidth) - 1500, 3510));
    command1_ = new QPushButton(kStartCaption, this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(twipsRect(kPictureLeft + (static_cast<int>(kPictureWidth) - 2400) / 2,
                                     kPictureTop + 4620, 2400, 450));
    command1_->setDefault(true);
    connect(command1_, &QPushButton::clicked, this, [this] { startGame(); });

    check1_ = new QCheckBox(kSoundCaption, this);
    check1_->setObjectName(QStringLiteral("Check1"));
    // The switch answers clicks only: keys belong to the game.
    check1_->setFocusPolicy(Qt::NoFocus);
    check1_->adjustSize();
    check1_->move(twipsPoint(kPictureLeft, kPictureTop + static_cast<int>(kPictureHeight) + 30));
    frame.setSoundSwitchSlot(kSoundSwitchSlot);
    bindSwitch(check1_, kSoundSwitchSlot);
    connect(check1_, &QCheckBox::clicked, this, [this] { focusAnswerBox(); });

    // The countdown counts whole seconds on the monotonic clock; the timer only looks often.
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);
    connect(timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    command1_->setFocus();
}

void OkulenWindow::startGame() {
    command1_->hide();
    frame1_->hide();
    game_.start(frame().nowMs());
    follow(Step::NextTask);
}

void OkulenWindow::answerTyped() {
    follow(game_.enter(text1_->text().toStdString(), frame().nowMs()));
}

void OkulenWindow::mousePressed(Point twips) {
    follow(game_.mouseDown(twips, frame().nowMs()));
}

void OkulenWindow::mouseReleased() {
    follow(game_.mouseUp(frame().nowMs()));
}

void OkulenWindow::Timer1_Timer() {
    const TickOutcome outcome = game_.tick(frame().nowMs());
    for (const std::string_view sound : outcome.sounds) {
        frame().playGroup(sound);
    }
    if (outcome.sounds.empty() && outcome.step == Step::Nothing) {
        secondsLeft_->setText(QString::number(game_.secondsLeft()));
        return;
    }
    follow(outcome.step);
}

void OkulenWindow::follow(Step step) {
    if (step == Step::NextTask) {
        // Every task starts with an empty answer box, a timed-out one too.
        text1_->clear();
    }
    refresh();
    if (step == Step::NextTask) {
        focusAnswerBox();
    }
    if (step == Step::GameOver) {
        finish(kMessageTitle, kEndMessage + QString::number(game_.total()), game_.total());
    }
}

void OkulenWindow::refresh() {
    secondsLeft_->setText(QString::number(game_.secondsLeft()));
    ochki_->setText(QString::number(game_.total()));
    otvet_->setText(QString::number(game_.answers()));
    tekoch_->setText(QString::number(game_.lastPoints()));

    const bool typed = game_.started() && game_.taskType() == TaskType::Mark;
    label3_->setVisible(typed);
    text1_->setVisible(typed);
    placeMetka();
    picture_->update();

    if (game_.countdownRunning() && !timer1_->isActive()) {
        timer1_->start();
    } else if (!game_.countdownRunning()) {
        timer1_->stop();
    }
}

void OkulenWindow::placeMetka() {
    for (int i = 0; i < kMetkaCount; ++i) {
        QLabel* label = metka_[static_cast<std::size_t>(i)];
        const LabelState& state = game_.metka(i);
        label->setText(QString::fromStdString(state.caption));
        label->adjustSize();
        const Point at =
            game_.metkaPosition(i, twipsFromPx(label->width()), twipsFromPx(label->height()));
        label->move(qRound(pxF(at.x)), qRound(pxF(at.y)));
        label->setVisible(state.visible && game_.started());
    }
}

void OkulenWindow::focusAnswerBox() {
    // The mouse tasks keep the focus on the picture, which takes no keys.
    if (!text1_->isHidden()) {
        text1_->setFocus();
    } else if (game_.started()) {
        picture_->setFocus();
    }
}

}  // namespace tro::okulen
