#include "klavon_window.h"

#include <QEvent>
#include <QKeyEvent>

#include "app_setup.h"
#include "clock.h"
#include "cp1251.h"
#include "twips.h"
#include "widgets.h"

namespace tro::klavon {

namespace {

const char* const kVariantNames[kVariants] = {
    "0-9",
    "а-я",
    "а-я + 0-9",
    "А-Я + а-я + 0-9",
    "А-Я + а-я + 0-9 + зн. преп.",
    "a-z",
    "a-z + 0-9",
    "A-Z + a-z + 0-9",
    "A-Z + a-z + 0-9 + зн. преп.",
};
const QString kTimeLabel = QStringLiteral("Время:");
const QString kCountLabel = QStringLiteral("Набрано символов:");
const QString kEndMessage = QStringLiteral("Игра закончена. Набрано символов:");
const QString kRussianHint = QStringLiteral("Включите русскую раскладку клавиатуры");
const QString kEnglishHint = QStringLiteral("Включите английскую раскладку клавиатуры");

constexpr int kClientWidth = 9450;
constexpr int kClientHeight = 1635;
constexpr int kStripTop = 480;
constexpr int kStripHeight = 495;
constexpr int kTypedRight = 4575;
constexpr int kToTypeLeft = 4560;
constexpr int kWidening = 10000;  // the strips run out of the window on both sides
// Room between the blue strip and the first character still to type, in pixels.
constexpr int kToTypeIndent = 3;
constexpr int kLayoutDelayMs = 100;

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette look = label->palette();
    look.setColor(QPalette::WindowText, colour);
    label->setPalette(look);
}

QString shown(const std::string& cp1251) {
    return QString::fromStdString(fromCp1251(cp1251));
}

}  // namespace

KlavonWindow::KlavonWindow(GameFrame& frame)
    : GameWindow(frame),
      startLayout_(startLayout(frame.services().keyboard.current().toStdString())) {
    Services& services = frame.services();
    game_ = std::make_unique<KlavonGame>(frame.variant(), services.random, frame.nowMs());

    const int variant = game_->variant();
    const QString name = variant >= 1 && variant <= kVariants
                             ? QString::fromUtf8(kVariantNames[variant - 1])
                             : QString();
    setWindowTitle(QString::fromUtf8(kTitle) + QStringLiteral("   ") + name);
    setFixedSize(px(kClientWidth), px(kClientHeight));
    setLayoutFont(*this, 9);

    QFont strip(kMonoFamily, 20);
    strip.setStyleHint(QFont::Monospace);
    strip.setFixedPitch(true);

    const int typedWidth = px(kTypedRight + kWidening);
    typed_ =
        makeLabel(this, "Label1", {},
                  QRect(px(kTypedRight) - typedWidth, px(kStripTop), typedWidth, px(kStripHeight)));
    typed_->setFont(strip);
    typed_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    typed_->setAutoFillBackground(true);
    QPalette blue = typed_->palette();
    blue.setColor(QPalette::Window, QColor(0, 0, 255));
    blue.setColor(QPalette::WindowText, Qt::white);
    typed_->setPalette(blue);

    toType_ = makeLabel(
        this, "Label2", {},
        twipsRect(kToTypeLeft, kStripTop, kClientWidth - kToTypeLeft + kWidening, kStripHeight));
    toType_->setFont(strip);
    toType_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    toType_->setIndent(kToTypeIndent);
    toType_->setAutoFillBackground(true);
    QPalette white = toType_->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    toType_->setPalette(white);
    typed_->raise();

    // Each caption in the colour of its number.
    auto* timeCaption = makeLabel(this, "Label5", kTimeLabel, twipsRect(240, 120, 720, 285));
    seconds_ = makeLabel(this, "Label6", QString::number(KlavonGame::kSeconds),
                         twipsRect(960, 120, 600, 285));
    auto* countCaption = makeLabel(this, "Label3", kCountLabel, twipsRect(2640, 120, 2100, 285));
    count_ = makeLabel(this, "Label4", QStringLiteral("0"), twipsRect(4800, 120, 900, 285));
    for (QLabel* label : {timeCaption, seconds_}) {
        setTextColour(label, QColor(0, 0, 255));
    }
    for (QLabel* label : {countCaption, count_}) {
        setTextColour(label, QColor(128, 0, 0));
    }

    auto* sound =
        makeCheckBox(this, "Check1", QStringLiteral("SOUND"), twipsRect(7800, 1155, 1400, 300));
    sound->setFocusPolicy(Qt::NoFocus);
    bindSwitch(sound, kSoundSwitchSlot);
    frame.setSoundSwitchSlot(kSoundSwitchSlot);

    layoutHint_ = makeLabel(this, "LayoutHint", {}, twipsRect(240, 1155, 7400, 300));
    setTextColour(layoutHint_, QColor(128, 0, 0));
    layoutHint_->hide();

    keys_ = new KeyBox(this, [this](const QKeyEvent& event) { keyPress(event); });
    keys_->setObjectName(QStringLiteral("Text1"));
    keys_->setGeometry(0, 0, 1, 1);
    keys_->setFocus();
    connect(sound, &QCheckBox::clicked, this, [this] { keys_->setFocus(); });

    countdown_ = new QTimer(this);
    countdown_->setObjectName(QStringLiteral("Timer1"));
    countdown_->setInterval(1000);
    countdown_->setTimerType(Qt::PreciseTimer);
    connect(countdown_, &QTimer::timeout, this, &KlavonWindow::Timer1_Timer);
    countdown_->start();

    layoutTimer_ = new QTimer(this);
    layoutTimer_->setObjectName(QStringLiteral("Timer2"));
    layoutTimer_->setInterval(kLayoutDelayMs);
    layoutTimer_->setSingleShot(true);
    connect(layoutTimer_, &QTimer::timeout, this, &KlavonWindow::Timer2_Timer);
    layoutTimer_->start();

    // The layout the player had is put back after every hand-off, early or not.
    frame.setAfterHandOff([this] { setLanguage(startLayout_); });
    showState();
}

KlavonWindow::~KlavonWindow() {
    frame().setAfterHandOff({});
}

bool KlavonWindow::setLanguage(const std::string& letter) {
    const auto id = layoutIdFor(letter);
    if (!id) {
        return true;
    }
    return frame().services().keyboard.activate(QString::fromStdString(*id));
}

void KlavonWindow::Timer2_Timer() {
    layoutTimer_->stop();
    const std::string wanted = variantLayout(game_->variant());
    // A layout that cannot be switched to leaves the switch to the player.
    if (!setLanguage(wanted) && !game_->ended()) {
        layoutHint_->setText(wanted == "R" ? kRussianHint : kEnglishHint);
        layoutHint_->show();
    }
}

void KlavonWindow::keyPress(const QKeyEvent& event) {
    const QString text = event.text();
    // Keys that type nothing (Shift, the arrows) are no characters.
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        typeCharacter(text.mid(i, length));
        i += length;
    }
}

void KlavonWindow::typeCharacter(const QString& character) {
    // A character without a Windows-1251 form is never in the strip: a mistake.
    const auto code = toCp1251(character.toStdString());
    const bool single = code && code->size() == 1;
    const TypeOutcome outcome = game_->type(single ? static_cast<unsigned char>(code->front()) : 0);
    if (outcome == TypeOutcome::Mistake) {
        frame().playGroup("mistake");
    }
    showState();
}

void KlavonWindow::Timer1_Timer() {
    const TickOutcome outcome = game_->tick(frame().nowMs());
    showState();
    if (outcome == TickOutcome::Ended) {
        end();
    }
}

void KlavonWindow::showState() {
    typed_->setText(shown(game_->typed()));
    toType_->setText(shown(game_->toType()));
    seconds_->setText(QString::number(game_->secondsLeft()));
    count_->setText(QString::number(game_->count()));
}

void KlavonWindow::end() {
    countdown_->stop();
    layoutTimer_->stop();
    keys_->setEnabled(false);
    finish(QString::fromUtf8(kTitle), kEndMessage + QString::number(game_->count()),
           game_->count());
}

}  // namespace tro::klavon
