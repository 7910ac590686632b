#include "tsepko_window.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <algorithm>

#include "answer_keys.h"
#include "clock.h"
#include "twips.h"
#include "widgets.h"

namespace tro::tsepko {

namespace {

const QString kSquaresFrame = QStringLiteral("Два квадрата");
const QString kNumbersFrame = QStringLiteral("Два числа");
const QString kRightPresses = QStringLiteral("Кол-во правильных нажатий:");
const QString kWrongPresses = QStringLiteral("Кол-во неправильных нажатий:");
const QString kTimeLabel = QStringLiteral("Время:");
const QString kPenaltyLabel = QStringLiteral("Штраф:");
const QString kStartHint = QStringLiteral("Чтобы начать игру, нажмите любую клавишу");
// Where the layout has no A and D on their keys, the rules and the start hint name the keys
// by their place.
const QString kLetterKeys = QStringLiteral("кнопки A D");
const QString kInsteadOfLetters = QStringLiteral("Вместо A D нажимайте ");
const QString kEndMessage = QStringLiteral("Игра закончена. Ваш результат:");

const QString kRulesSquares = QStringLiteral(
    "Для указания одного из квадратов нажимайте кнопки A D или 4 6. За минуту нужно правильно "
    "указать как можно больше квадратов. Результат считается по такой формуле: "
    "cint(10*p*(p-n)/(p+n)), где p - кол-во правильных нажатий, n - кол-во неправильных "
    "нажатий.");
const QString kRulesNumbers = QStringLiteral(
    "Для указания одного из чисел нажимайте кнопки A D или 4 6. За минуту нужно правильно "
    "указать как можно больше четных или нечетных чисел. Результат считается по такой формуле: "
    "cint(10*p*(p-n)/(p+n)), где p - кол-во правильных нажатий, n - кол-во неправильных "
    "нажатий.");
const QString kRulesBothSquaresLetters = QStringLiteral(
    "Для указания одного из квадратов нажимайте кнопки A D, для указания одного из чисел - "
    "кнопки 4 6.");
const QString kRulesBothNumbersLetters = QStringLiteral(
    "Для указания одного из чисел нажимайте кнопки A D, для указания одного из квадратов - "
    "кнопки 4 6.");
const QString kRulesBothTail = QStringLiteral(
    "Для получения лучшего результата здесь надо не только нажимать много и правильно, но и "
    "одновременно. Например, за 7 нажатий подряд только в одно из полей из вашего результата "
    "вычтется 80 очков. Количество нажатых квадратов должно примерно соответствовать "
    "количеству нажатых чисел. Чем больше разница между количествами квадратов и чисел, тем "
    "меньше итоговый результат.");
const QString kBlackInstruction = QStringLiteral(
    "Нажимайте левую кнопку, если ЧЕРНЫЙ квадрат находится слева, правую, если ЧЕРНЫЙ квадрат "
    "находится справа.");
const QString kWhiteInstruction = QStringLiteral(
    "Нажимайте левую кнопку, если БЕЛЫЙ квадрат находится слева, правую, если БЕЛЫЙ квадрат "
    "находится справа.");
const QString kEvenInstruction = QStringLiteral(
    "Нажимайте левую кнопку, если ЧЕТНОЕ число находится слева, правую, если ЧЕТНОЕ число "
    "находится справа.");
const QString kOddInstruction = QStringLiteral(
    "Нажимайте левую кнопку, если НЕЧЕТНОЕ число находится слева, правую, если НЕЧЕТНОЕ число "
    "находится справа.");

constexpr int kClientWidth = 9450;
constexpr int kClientHeight = 6345;
constexpr int kFrameWidth = 4215;
constexpr int kFrameHeight = 3840;
constexpr int kFrameTop = 120;

// 48-point bold digits; where the font at hand is wider than the one the window was drawn
// for, it is narrowed until two digits fit their box.
QFont numberFont(const QFont& base, int boxWidth) {
    QFont digits = base;
    digits.setPointSize(48);
    digits.setBold(true);
    const int room = boxWidth - 6;
    const int wide = QFontMetrics(digits).horizontalAdvance(QStringLiteral("88"));
    if (wide > room && wide > 0) {
        digits.setStretch(std::max(50, room * 100 / wide));
    }
    return digits;
}

// The two squares and two numbers: 1215 x 1095 twips at x 480 and 2280 inside their frame.
QRect cellRect(int index) {
    return twipsRect(index == 0 ? 480 : 2280, 360, 1215, 1095);
}

}  // namespace

TsepkoWindow::TsepkoWindow(GameFrame& frame)
    : GameWindow(frame),
      game_(std::make_unique<TsepkoGame>(frame.variant(), frame.services().random)) {
    setWindowTitle(QString::fromUtf8(kTitle));
    setFixedSize(px(kClientWidth), px(kClientHeight));
    setLayoutFont(*this, 8);
    const QFont font = this->font();

    const QColor windowColour = palette().color(QPalette::Base);
    const auto makeField = [&](const char* name, const QString& title, QLabel** cells,
                               const char* cellNames[2], const char* countNames[4], QLabel** right,
                               QLabel** wrong, const char* instructionName,
                               const QString& instruction) {
        auto* box = new QGroupBox(title, this);
        box->setObjectName(QLatin1String(name));
        box->resize(px(kFrameWidth), px(kFrameHeight));
        for (int i = 0; i < 2; ++i) {
            cells[i] = makeLabel(box, cellNames[i], {}, cellRect(i));
            cells[i]->setAutoFillBackground(true);
            cells[i]->setAlignment(Qt::AlignCenter);
            cells[i]->setFrameShape(QFrame::Box);
        }
        makeLabel(box, countNames[0], kRightPresses, twipsRect(240, 1680, 2900, 255));
        *right =
            makeLabel(box, countNames[1], QStringLiteral("0"), twipsRect(3240, 1680, 735, 255));
        makeLabel(box, countNames[2], kWrongPresses, twipsRect(240, 1980, 2900, 255));
        *wrong =
            makeLabel(box, countNames[3], QStringLiteral("0"), twipsRect(3240, 1980, 735, 255));
        auto* hint = makeLabel(box, instructionName, instruction, twipsRect(240, 2400, 3735, 1215));
        hint->setWordWrap(true);
        hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return box;
    };

    const char* squareNames[2] = {"Label1", "Label2"};
    const char* squareCounts[4] = {"Label7", "Label8", "Label9", "Label10"};
    squaresFrame_ = makeField("Frame1", kSquaresFrame, squares_, squareNames, squareCounts,
                              &squaresRight_, &squaresWrong_, "Label16",
                              game_->blackTarget() ? kBlackInstruction : kWhiteInstruction);
    const char* numberNames[2] = {"Label3", "Label4"};
    const char* numberCounts[4] = {"Label11", "Label12", "Label13", "Label14"};
    numbersFrame_ = makeField("Frame2", kNumbersFrame, numbers_, numberNames, numberCounts,
                              &numbersRight_, &numbersWrong_, "Label17",
                              game_->evenTarget() ? kEvenInstruction : kOddInstruction);
    // The squares: left black, right in the window colour, until the first drawing.
    for (int i = 0; i < 2; ++i) {
        QPalette look = squares_[i]->palette();
        look.setColor(QPalette::Window, i == 0 ? QColor(Qt::black) : windowColour);
        squares_[i]->setPalette(look);
        numbers_[i]->setFont(numberFont(font, numbers_[i]->width()));
        numbers_[i]->setText(QStringLiteral("88"));
        QPalette plain = numbers_[i]->palette();
        plain.setColor(QPalette::Window, windowColour);
        numbers_[i]->setPalette(plain);
    }

    makeLabel(this, "Label5", kTimeLabel, twipsRect(240, 4080, 735, 255));
    time_ = makeLabel(this, "Label6", QString::number(TsepkoGame::kTicks),
                      twipsRect(1000, 4080, 735, 255));
    auto* penaltyCaption =
        makeLabel(this, "Label19", kPenaltyLabel, twipsRect(7440, 4080, 735, 255));
    penalty_ = makeLabel(this, "Label20", QStringLiteral("0"), twipsRect(8200, 4080, 1000, 255));
    const auto keysByPlace =
        letterKeysByPlace(frame.services().keyboard.charactersAt(QLatin1String(kLetterPlaces)));
    // Two lines' room, centred on the row of the clock.
    startHint_ =
        makeLabel(this, "Label18",
                  keysByPlace ? kStartHint + u'\n' + kInsteadOfLetters + *keysByPlace : kStartHint,
                  twipsRect(1900, 3975, 5400, 465));
    startHint_->setAlignment(Qt::AlignCenter);
    QFont bold = font;
    bold.setBold(true);
    startHint_->setFont(bold);
    auto* rules = makeLabel(this, "Label15", {}, twipsRect(240, 4440, kClientWidth - 480, 1785));
    rules->setWordWrap(true);
    rules->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const int centred = (kClientWidth - kFrameWidth) / 2;
    switch (game_->variant()) {
        case 1:
            numbersFrame_->hide();
            squaresFrame_->move(px(centred), px(kFrameTop));
            rules->setText(kRulesSquares);
            break;
        case 2:
            squaresFrame_->hide();
            numbersFrame_->move(px(centred), px(kFrameTop));
            rules->setText(kRulesNumbers);
            break;
        default: {
            const bool squaresLeft = game_->letterField() == Field::Squares;
            (squaresLeft ? squaresFrame_ : numbersFrame_)->move(px(240), px(kFrameTop));
            (squaresLeft ? numbersFrame_ : squaresFrame_)->move(px(5040), px(kFrameTop));
            rules->setText((squaresLeft ? kRulesBothSquaresLetters : kRulesBothNumbersLetters) +
                           QLatin1Char(' ') + kRulesBothTail);
            break;
        }
    }
    if (keysByPlace) {
        rules->setText(rules->text().replace(kLetterKeys, *keysByPlace));
    }
    const bool penaltyShown = game_->variant() == 3;
    penaltyCaption->setVisible(penaltyShown);
    penalty_->setVisible(penaltyShown);

    keys_ = new KeyBox(this, [this](const QKeyEvent& event) { keyDown(event); });
    keys_->setObjectName(QStringLiteral("Text1"));
    keys_->setGeometry(0, 0, 1, 1);
    keys_->setFocus();

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(TsepkoGame::kTickMs);
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &TsepkoWindow::Timer1_Timer);
}

TsepkoWindow::~TsepkoWindow() = default;

void TsepkoWindow::keyDown(const QKeyEvent& event) {
    // Holding a key down answers once.
    if (event.isAutoRepeat() && game_->started()) {
        return;
    }
    answer(answerFor(event));
}

void TsepkoWindow::answer(const std::optional<Answer>& key) {
    const PressOutcome outcome = game_->press(key ? &*key : nullptr, frame().nowMs());
    if (outcome == PressOutcome::Started) {
        startHint_->hide();
        timer_->start();
    }
    showState();
}

void TsepkoWindow::Timer1_Timer() {
    const TickOutcome outcome = game_->tick(frame().nowMs());
    showState();
    if (outcome == TickOutcome::Ended) {
        end();
    }
}

void TsepkoWindow::showState() {
    const TsepkoGame& game = *game_;
    const QColor windowColour = palette().color(QPalette::Base);
    for (int i = 0; i < 2; ++i) {
        const bool black = (i == 0) == game.leftSquareBlack();
        QPalette look = squares_[i]->palette();
        look.setColor(QPalette::Window, black ? QColor(Qt::black) : windowColour);
        squares_[i]->setPalette(look);
        squares_[i]->setVisible(game.squares().shown);
        numbers_[i]->setText(QString::number(i == 0 ? game.leftNumber() : game.rightNumber()));
        numbers_[i]->setVisible(game.numbers().shown);
    }
    squaresRight_->setText(QString::number(game.squares().right));
    squaresWrong_->setText(QString::number(game.squares().wrong));
    numbersRight_->setText(QString::number(game.numbers().right));
    numbersWrong_->setText(QString::number(game.numbers().wrong));
    time_->setText(QString::number(game.tenthsLeft()));
    penalty_->setText(QString::number(game.penalty()));
}

void TsepkoWindow::end() {
    timer_->stop();
    keys_->setEnabled(false);
    const int score = game_->score();
    finish(QString::fromUtf8(kTitle), kEndMessage + QString::number(score), score);
}

}  // namespace tro::tsepko
