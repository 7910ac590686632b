#include "bolmen_window.h"

#include <QMouseEvent>
#include <functional>

#include "clock.h"
#include "twips.h"
#include "widgets.h"

namespace tro::bolmen {
namespace {

const char* const kCaptions[] = {"И минимум, и максимум", "Только минимум", "Только максимум"};

// The squares' one-pixel border on both sides, and the room kept between it and the digits.
const QSize kBorders(2, 2);
constexpr int kNumberMargin = 2;

// A label that reports presses of the left button.
class SquareLabel : public QLabel {
  public:
    SquareLabel(QWidget* parent, std::function<void()> onClick)
        : QLabel(parent), onClick_(std::move(onClick)) {}

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            onClick_();
        }
    }

  private:
    std::function<void()> onClick_;
};

}  // namespace

BolmenWindow::BolmenWindow(GameFrame& frame)
    : GameWindow(frame), game_(frame.variant(), frame.services().random, frame.nowMs()) {
    setWindowTitle(QString::fromUtf8(kCaptions[game_.variant() - 1]));
    setFixedSize(twipsSize(7335, 3900));
    frame.setSoundSwitchSlot(kSoundSwitchSlot);

    auto* sound =
        makeCheckBox(this, "Check1", QStringLiteral("SOUND"), twipsRect(240, 120, 1455, 255));
    bindSwitch(sound, kSoundSwitchSlot);

    // Every number the squares can show stands wholly inside its square, a little away from
    // the border, whatever the font at hand: the size comes down from 24 points until the
    // widest of them fits.
    QStringList numbers;
    for (int n = BolmenGame::kLowestNumber; n <= BolmenGame::kHighestNumber; ++n) {
        numbers.append(QString::number(n));
    }
    for (int i = 0; i <= 9; ++i) {
        auto* square = new SquareLabel(this, [this, i] { Label2_Click(i); });
        square->setObjectName(QStringLiteral("Label2_%1").arg(i));
        square->setAlignment(Qt::AlignCenter);
        QFont font = square->font();
        font.setBold(true);
        if (i == 0) {
            square->setGeometry(twipsRect(3120, 120, 855, 375));
            font.setPointSizeF(13.5);
            font = fontFitting(font, {QStringLiteral("MIN"), QStringLiteral("MAX")},
                               square->size() - kBorders, kNumberMargin);
        } else {
            const int row = (i - 1) / 3;
            const int column = (i - 1) % 3;
            square->setGeometry(twipsRect(2400 + 840 * column, 600 + 840 * row, 615, 615));
            font.setPointSize(24);
            font = i == 1 ? fontFitting(font, numbers, square->size() - kBorders, kNumberMargin)
                          : squares_[1]->font();
        }
        square->setFont(font);
        squares_[static_cast<std::size_t>(i)] = square;
    }
    squares_[0]->setVisible(game_.headingVisible());

    makeLabel(this, "Label4",
              QStringLiteral("Если фон квадратов с числами белый, то надо искать минимум, если "
                             "желтый - максимум."),
              twipsRect(240, 600, 1695, 2175))
        ->setWordWrap(true);
    makeLabel(this, "Label9",
              QStringLiteral("Игра закончится, когда будет 30 правильных нажатий. За каждое "
                             "неправильное нажатие добавляется 2 секунды."),
              twipsRect(5040, 600, 2055, 2175))
        ->setWordWrap(true);
    const QString green =
        QStringLiteral("color: rgb(0,192,0); background: white; font-weight: bold;");
    const QString red =
        QStringLiteral("color: rgb(255,0,0); background: white; font-weight: bold;");
    const QString blue =
        QStringLiteral("color: rgb(0,0,255); background: rgb(192,255,192); font-weight: bold;");
    styledLabel(this, "Label5", QStringLiteral("Правильно:"), twipsRect(120, 3000, 1935, 375),
                green);
    rightLabel_ = styledLabel(this, "Label7", {}, twipsRect(2040, 3000, 855, 375), green);
    styledLabel(this, "Label6", QStringLiteral("Неправильно:"), twipsRect(120, 3360, 1935, 375),
                red);
    wrongLabel_ = styledLabel(this, "Label8", {}, twipsRect(2040, 3360, 855, 375), red);
    styledLabel(this, "Label3", QStringLiteral("Время:"), twipsRect(5160, 3120, 1095, 375), blue);
    clockLabel_ = styledLabel(this, "Label1", {}, twipsRect(6240, 3120, 975, 375),
                              blue + QStringLiteral(" font-size: 13.5pt;"));

    showSet();
    showCounters();
    timer_.setObjectName("Timer1");
    timer_.setInterval(100);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    timer_.start();
}

void BolmenWindow::showSet() {
    const bool maximum = game_.task() == Task::Maximum;
    squares_[0]->setText(maximum ? QStringLiteral("MAX") : QStringLiteral("MIN"));
    squares_[0]->setStyleSheet(
        QStringLiteral("background: rgb(192,255,255); border: 1px solid black;"));
    const QString style = maximum ? QStringLiteral("background: rgb(255,255,192);")
                                  : QStringLiteral("background: rgb(255,255,255);");
    for (int i = 1; i <= 9; ++i) {
        QLabel* square = squares_[static_cast<std::size_t>(i)];
        square->setText(QString::number(game_.number(i)));
        square->setStyleSheet(style + QStringLiteral(" border: 1px solid black;"));
    }
}

void BolmenWindow::showCounters() {
    rightLabel_->setText(QString::number(game_.right()));
    wrongLabel_->setText(QString::number(game_.wrong()));
    clockLabel_->setText(QString::number(game_.clock()));
}

void BolmenWindow::Label2_Click(int square) {
    if (game_.outcome() != Outcome::Playing) {
        return;
    }
    const int wrongBefore = game_.wrong();
    const Outcome outcome = game_.click(square);
    if (game_.wrong() != wrongBefore) {
        frame().playGroup("mistake");
    }
    showCounters();
    if (outcome == Outcome::Playing) {
        showSet();
    } else {
        end(outcome);
    }
}

void BolmenWindow::Timer1_Timer() {
    const Outcome outcome = game_.tick(frame().nowMs());
    showCounters();
    if (outcome != Outcome::Playing) {
        end(outcome);
    }
}

void BolmenWindow::end(Outcome outcome) {
    timer_.stop();
    const QString title = QString::fromUtf8(kTitle);
    switch (outcome) {
        case Outcome::Finished:
            finish(title, QStringLiteral("Игра закончена. Ваш результат: %1").arg(game_.clock()),
                   game_.clock());
            break;
        case Outcome::TooManyMistakes:
            finishWithoutResult(title, QStringLiteral("Игра закончена досрочно, так как слишком "
                                                      "много неправильных нажатий"));
            break;
        case Outcome::TooSlow:
            finishWithoutResult(title, QStringLiteral("Игра закончена досрочно, так как прошло "
                                                      "слишком много времени"));
            break;
        case Outcome::Playing:
            break;
    }
}

}  // namespace tro::bolmen
