#include "tsifran_window.h"

#include "clock.h"
#include "twips.h"
#include "widgets.h"

namespace tro::tsifran {
namespace {

// The question, the clock and the counters stand at the top of their boxes.
constexpr Qt::Alignment kTopLeft = Qt::AlignLeft | Qt::AlignTop;

}  // namespace

TsifranWindow::TsifranWindow(GameFrame& frame)
    : GameWindow(frame), game_(frame.variant(), frame.services().random, frame.nowMs()) {
    setWindowTitle(QString::fromUtf8(kTitle));
    setFixedSize(twipsSize(7560, 3690));

    const QString blue = QStringLiteral("color: rgb(0,0,255); font-weight: bold;");
    const QString green = QStringLiteral("color: rgb(0,192,0); font-weight: bold;");
    const QString red = QStringLiteral("color: rgb(255,0,0); font-weight: bold;");
    question_ = styledLabel(this, "Label1", {}, twipsRect(240, 240, 2775, 375),
                            blue + QStringLiteral(" font-size: 14pt;"), kTopLeft);
    answer_ = makeControl<QLineEdit>(this, "Text1", twipsRect(3120, 240, 1215, 405));
    QFont big = answer_->font();
    big.setPointSize(12);
    big.setBold(true);
    answer_->setFont(big);
    connect(answer_, &QLineEdit::returnPressed, this, [this] { Text1_Enter(); });
    setAnswerColour(Qt::white);

    log_ = makeControl<QListWidget>(this, "List1", twipsRect(240, 840, 4095, 2595));
    log_->setFocusPolicy(Qt::NoFocus);

    styledLabel(this, "Label7", QStringLiteral("Время:"), twipsRect(5400, 240, 975, 375), blue,
                kTopLeft);
    clockLabel_ = styledLabel(this, "Label6", {}, twipsRect(6480, 240, 735, 375), blue, kTopLeft);
    styledLabel(this, "Label2", QStringLiteral("Правильных:"), twipsRect(4800, 960, 1575, 255),
                green, kTopLeft);
    rightLabel_ = styledLabel(this, "Label4", {}, twipsRect(6720, 960, 615, 255), green, kTopLeft);
    styledLabel(this, "Label3", QStringLiteral("Неправильных:"), twipsRect(4800, 1440, 1815, 375),
                red, kTopLeft);
    wrongLabel_ = styledLabel(this, "Label5", {}, twipsRect(6720, 1440, 495, 255), red, kTopLeft);

    showState();
    answer_->setFocus();
    timer_.setObjectName("Timer1");
    timer_.setInterval(100);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    timer_.start();
}

void TsifranWindow::setAnswerColour(const QColor& colour) {
    QPalette palette = answer_->palette();
    palette.setColor(QPalette::Base, colour);
    answer_->setPalette(palette);
    flashing_ = colour != QColor(Qt::white);
}

void TsifranWindow::showState() {
    question_->setText(QString::fromStdString(game_.question()));
    clockLabel_->setText(QString::number(game_.clock()));
    rightLabel_->setText(QString::number(game_.right()));
    wrongLabel_->setText(QString::number(game_.wrong()));
}

void TsifranWindow::Text1_Enter() {
    if (game_.outcome() != Outcome::Playing) {
        return;
    }
    const Verdict verdict = game_.answer(answer_->text().toStdString());
    setAnswerColour(verdict == Verdict::Right ? QColor(0, 255, 0) : QColor(255, 0, 0));
    log_->addItem(QString::fromStdString(game_.lastLogLine()));
    log_->scrollToBottom();
    answer_->clear();
    showState();
    if (game_.outcome() != Outcome::Playing) {
        end(game_.outcome());
    }
}

void TsifranWindow::Timer1_Timer() {
    const Outcome outcome = game_.tick(frame().nowMs());
    if (flashing_) {
        setAnswerColour(Qt::white);
    }
    showState();
    if (outcome != Outcome::Playing) {
        end(outcome);
    }
}

void TsifranWindow::end(Outcome outcome) {
    timer_.stop();
    const QString title = QString::fromUtf8(kTitle);
    switch (outcome) {
        case Outcome::Finished:
            finish(title,
                   QStringLiteral("Игра закончена. Ваш результат: %1 десятых секунды.")
                       .arg(game_.clock()),
                   game_.clock());
            break;
        case Outcome::TooManyAnswers:
            finishWithoutResult(
                title,
                QStringLiteral("Игра закончена. Вы даете слишком много неправильных ответов."));
            break;
        case Outcome::TooSlow:
            finishWithoutResult(title,
                                QStringLiteral("Игра закончена. Затрачено слишком много времени."));
            break;
        case Outcome::Playing:
            break;
    }
}

}  // namespace tro::tsifran
