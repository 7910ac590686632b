#include "korvat_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "clock.h"
#include "twips.h"
#include "widgets.h"

namespace tro::korvat {

namespace {

using tro::twipsRect;

const QString kTitle = QStringLiteral("Владение мышью");
const QString kWelcome = QStringLiteral(
    "Чтобы начать игру, поставьте мышку на желтое поле. Надо пройти лабиринт, не касаясь "
    "стенок. Финиш - красное поле.");
const QString kStarted = QStringLiteral(
    "Игра началась. Надо дойти до красного поля как можно быстрее, не касаясь стенок");
const QString kTouched = QStringLiteral(
    "К сожалению, вы задели стенку. Чтобы начать сначала, поставьте указатель мыши на желтое "
    "поле.");
const QString kTimeUp = QStringLiteral(
    "Время вышло: лабиринт надо пройти не дольше чем за 3276.7 секунды. Чтобы начать сначала, "
    "поставьте указатель мыши на желтое поле.");
const QString kNewRecord = QStringLiteral("Поставлен новый рекорд!");
const QString kRecordNotSaved =
    QStringLiteral("Новый рекорд не сохранен: файл рекорда не удалось записать.");
// The width of a check box's indicator and the gap before its text.
constexpr int kCheckIndicatorRoom = 22;

QRgb qRgbOf(Colour colour) {
    const Rgb rgb = rgbOf(colour);
    return qRgb(rgb.r, rgb.g, rgb.b);
}

QFont clockFont(const QFont& base) {
    QFont font = base;
    font.setPointSize(18);
    font.setBold(true);
    return font;
}

// The controls keep their designed places; where the desktop's font is wider than the one
// they were designed for, the texts get a smaller size instead of being cut off. Captions
// fitted together share one size: the largest of size, size - 0.5, ... at which each of them
// fits its room, or the first at or below the smallest.
//
// Every size asked about loads a font of its own, for every script its texts use, which costs
// at start-up. So the search starts where the width of the first caption in proportion says
// (list the one that needs the most shrinking first), and a larger size is not asked about
// when proportion rules it out: where the first caption's widths at the designed size and at
// the one found grow in step with the pixel sizes (a scalable font without hinted advances),
// a caption that would overflow the next larger size by a pixel or more in proportion does.
struct Caption {
    QWidget* widget;
    int room;  // pixels the text may take
};

void fitTexts(std::initializer_list<Caption> captions) {
    QFont font = captions.begin()->widget->font();
    const qreal smallest = 6;
    const qreal step = 0.5;
    const qreal start = font.pointSizeF();
    if (start <= smallest) {
        return;
    }
    const auto textOf = [](const Caption& c) { return c.widget->property("text").toString(); };
    // Sizes start - k * step for k = 0 .. last, the last one at or below the smallest.
    const int last = static_cast<int>(std::ceil((start - smallest) / step));
    const auto size = [&](int k) { return start - k * step; };
    const qreal dpi = captions.begin()->widget->logicalDpiY();
    const auto pixels = [&](int k) { return static_cast<qreal>(qRound(size(k) * dpi / 72)); };
    // The widths of the captions at the size asked about last, as far as they were measured.
    std::vector<qreal> widths;
    int measured = 0;
    const auto fits = [&](int k) {
        QFont f = font;
        f.setPointSizeF(size(k));
        const QFontMetricsF metrics(f);
        widths.clear();
        measured = k;
        return std::all_of(captions.begin(), captions.end(), [&](const Caption& c) {
            widths.push_back(metrics.horizontalAdvance(textOf(c)));
            return qRound(widths.back()) <= c.room;
        });
    };
    bool proportional = false;
    const auto ruledOut = [&](int k) {
        const qreal scale = pixels(k) / pixels(measured);
        auto caption = captions.begin();
        return proportional && std::any_of(widths.begin(), widths.end(), [&](qreal width) {
                   return width * scale >= (caption++)->room + 1;
               });
    };
    const Caption& first = *captions.begin();
    const qreal designed = QFontMetricsF(font).horizontalAdvance(textOf(first));
    int k = qRound(designed) <= first.room
                ? 0
                : std::clamp(
                      static_cast<int>(std::ceil((start - start * first.room / designed) / step)),
                      1, last);
    if (fits(k)) {
        proportional = std::abs(widths.front() - designed * pixels(k) / pixels(0)) <= 0.5;
        while (k > 0 && !ruledOut(k - 1) && fits(k - 1)) {
            --k;
        }
    } else {
        while (k < last) {
            ++k;
            if (fits(k)) {
                break;
            }
        }
    }
    if (k > 0) {
        font.setPointSizeF(size(k));
        for (const Caption& c : captions) {
            c.widget->setFont(font);
        }
    }
}

// The width a push button's caption may take: the button inside its frame, a pixel kept free
// on either side.
int buttonTextRoom(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width() -
           2;
}

// A maze at its own size, as its thumbnail shows it.
QImage mazeImage(const MazePicture& maze) {
    QImage image(kMazeWidth, kMazeHeight, QImage::Format_RGB32);
    for (int y = 0; y < kMazeHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kMazeWidth; ++x) {
            line[x] = qRgbOf(maze.at(x, y));
        }
    }
    return image;
}

// The maze of the maze box at pixel scale, without dots. Box rows that show the same maze row
// are alike, so each is made once and copied.
QImage boxImage(const MazeBox& box) {
    QImage image(kBoxWidth, kBoxHeight, QImage::Format_RGB32);
    for (int y = 0; y < kBoxHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (y > 0 && mazeRowOf(y) == mazeRowOf(y - 1)) {
            std::memcpy(line, image.constScanLine(y - 1), kBoxWidth * sizeof(QRgb));
            continue;
        }
        for (int x = 0; x < kBoxWidth; ++x) {
            line[x] = qRgbOf(box.mazeAt({x, y}));
        }
    }
    return image;
}

}  // namespace

MazeView::MazeView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MazeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!image.isNull()) {
        painter.drawImage(0, 0, image);
        return;
    }
    if (maze == nullptr) {
        return;
    }
    // Each run of like pixels in a maze row is one block of box pixels.
    for (int y = 0; y < kMazeHeight; ++y) {
        const int top = firstBoxRow(y);
        const int height = firstBoxRow(y + 1) - top;
        for (int x = 0; x < kMazeWidth;) {
            const Colour colour = maze->at(x, y);
            int end = x + 1;
            while (end < kMazeWidth && maze->at(end, y) == colour) {
                ++end;
            }
            const int left = firstBoxColumn(x);
            painter.fillRect(left, top, firstBoxColumn(end) - left, height, QColor(qRgbOf(colour)));
            x = end;
        }
    }
}

void MazeView::mouseMoveEvent(QMouseEvent* event) {
    if (moved) {
        const QPointF p = event->position();
        moved(QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))));
    }
}

MazeThumbnail::MazeThumbnail(QWidget* parent, int maze)
    : QWidget(parent), picture_(mazeImage(mazePicture(maze))) {
    setToolTip(QStringLiteral("Лабиринт %1: двойной щелчок выбирает его").arg(maze));
}

void MazeThumbnail::setCurrent(bool current) {
    current_ = current;
    update();
}

void MazeThumbnail::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), current_ ? QColor(0, 120, 215) : QColor(190, 190, 190));
    painter.drawImage(1, 1, picture_);
}

void MazeThumbnail::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && chosen) {
        chosen();
    }
}

KorvatWindow::KorvatWindow(tro::GameFrame& frame)
    : GameWindow(frame), game_(frame.dir(), frame.variant()) {
    // Every pointer position the window system reports is tested against the walls: moves
    // merged into one would be joined by a straight line that cuts the corners of a corridor
    // and touches a wall the pointer never touched. The application turns the merging on for
    // X11 as it is built, so it is turned off here, once the application exists.
    QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kTitle);
    setFixedSize(tro::twipsSize(9495, 6420));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    check2_ = makeCheckBox(this, "Check2", QStringLiteral("SOUND"), twipsRect(120, 120, 1215, 255));
    check1_ = makeCheckBox(this, "Check1", QStringLiteral("Оставлять след"),
                           twipsRect(120, 480, 1575, 255));
    check3_ = makeCheckBox(this, "Check3", QStringLiteral("Линия рекорда"),
                           twipsRect(120, 720, 1575, 195));
    for (QCheckBox* box : {check1_, check2_, check3_}) {
        // The boxes may use the room up to the message line.
        box->resize(twipsRect(1800, 0, 0, 0).left() - box->x() - 2,
                    std::max(box->height(), check1_->height() - 1));
    }
    // The three switches, one under the other, in one size.
    fitTexts({{check1_, check1_->width() - kCheckIndicatorRoom},
              {check2_, check2_->width() - kCheckIndicatorRoom},
              {check3_, check3_->width() - kCheckIndicatorRoom}});
    frame.setSoundSwitchSlot(kSoundSwitchSlot);
    bindSwitch(check1_, kTrailSlot);
    bindSwitch(check2_, kSoundSwitchSlot);
    bindSwitch(check3_, kRecordLineSlot);
    game_.setTrail(check1_->isChecked());
    game_.setRecordLine(check3_->isChecked());
    connect(check1_, &QCheckBox::toggled, this, [this](bool on) { game_.setTrail(on); });
    connect(check3_, &QCheckBox::toggled, this, [this](bool on) { game_.setRecordLine(on); });

    for (int i = 0; i < kMazeCount; ++i) {
        auto* thumb = new MazeThumbnail(this, i + 1);
        thumb->setObjectName(QStringLiteral("Picture2_%1").arg(i));
        thumb->setGeometry(twipsRect(120, 1080 * (i + 1), 1020, 690));
        thumb->chosen = [this, i] { chooseMaze(i + 1); };
        picture2_[static_cast<std::size_t>(i)] = thumb;
    }

    label2_ = new QLabel(kWelcome, this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setGeometry(twipsRect(1800, 0, 4935, 855));
    label2_->setWordWrap(true);
    label2_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    QPalette clock = palette();
    clock.setColor(QPalette::Window, Qt::black);
    clock.setColor(QPalette::WindowText, QColor(255, 255, 0));
    label3_ = makeLabel(this, "Label3", QStringLiteral("Время:"), twipsRect(6960, 480, 1455, 375));
    label4_ = makeLabel(this, "Label4", QStringLiteral("0"), twipsRect(8400, 480, 975, 375));
    for (QLabel* label : {label3_, label4_}) {
        label->setPalette(clock);
        label->setAutoFillBackground(true);
        label->setFont(clockFont(font()));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    label3_->setIndent(4);
    label4_->setIndent(4);
    // The clock's caption and its number in one size.
    fitTexts({{label3_, label3_->width() - 10}, {label4_, label4_->width() - 10}});

    command1_ = new QPushButton(QStringLiteral("Сохранить результат"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(twipsRect(7320, 120, 1815, 255));
    fitTexts({{command1_, buttonTextRoom(command1_)}});
    connect(command1_, &QPushButton::clicked, this, [this] { SaveResult(); });

    picture1_ = new MazeView(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setGeometry(twipsRect(1320, 960, 8055, 5415));
    picture1_->moved = [this](QPoint at) { pointerMoved(at); };

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kTickMs);
    connect(timer1_, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    showClock();
    showPicture();
}

void KorvatWindow::showClock() {
    label4_->setText(QString::number(game_.elapsedTicks()));
    command1_->setEnabled(game_.result().has_value());
}

void KorvatWindow::showPicture() {
    const MazeBox& box = game_.box();
    if (box.dotGeneration() != shownGeneration_) {
        // The first paint and every run without dots need only the maze at its own size.
        picture1_->maze = &mazePicture(game_.maze());
        picture1_->image = QImage();
        shownGeneration_ = box.dotGeneration();
        shownDots_ = 0;
        picture1_->update();
        for (int i = 0; i < kMazeCount; ++i) {
            picture2_[static_cast<std::size_t>(i)]->setCurrent(i + 1 == game_.maze());
        }
    }
    const auto& dots = box.dots();
    if (shownDots_ < dots.size() && picture1_->image.isNull()) {
        picture1_->image = boxImage(box);
    }
    for (; shownDots_ < dots.size(); ++shownDots_) {
        const Dot& dot = dots[shownDots_];
        picture1_->image.setPixel(dot.at.x, dot.at.y, qRgbOf(dot.colour));
        picture1_->update(dot.at.x, dot.at.y, 1, 1);
    }
}

void KorvatWindow::Timer1_Timer() {
    if (game_.tick(frame().nowMs()) == TickOutcome::TimeUp) {
        endRun(kTimeUp, "error");
        return;
    }
    showClock();
    showPicture();
}

void KorvatWindow::endRun(const QString& message, std::string_view sound) {
    timer1_->stop();
    label2_->setText(message);
    showClock();
    showPicture();
    frame().playGroup(sound);
}

void KorvatWindow::pointerMoved(QPoint at) {
    const MoveResult result = game_.pointerMove({at.x(), at.y()}, frame().nowMs());
    if (result.timeUp) {
        endRun(kTimeUp, "error");
    }
    switch (result.outcome) {
        case MoveOutcome::Nothing:
            return;
        case MoveOutcome::Moved:
            showPicture();
            return;
        case MoveOutcome::Started:
            label2_->setText(kStarted);
            timer1_->start();
            showClock();
            showPicture();
            return;
        case MoveOutcome::Touched:
            endRun(kTouched, "error");
            return;
        case MoveOutcome::Finished:
            onFinished(result);
            return;
    }
}

void KorvatWindow::onFinished(const MoveResult& result) {
    const QString note =
        !result.newRecord ? QString() : (result.recordSaved ? kNewRecord : kRecordNotSaved);
    const QString seconds = QString::fromStdString(secondsText(game_.elapsedTicks()));
    endRun(QStringLiteral("Вы прошли лабиринт за ") + seconds + QStringLiteral(" секунды.") + note,
           "good");
    auto& dialogs = frame().services().dialogs;
    if (!result.recordSaved) {
        dialogs.message(kTitle,
                        QStringLiteral("Рекорд не удалось записать в файл %1.")
                            .arg(QString::fromStdString(game_.recordFile().string())),
                        tro::MessageIcon::Warning);
    }
    if (dialogs.askYesNo(kTitle,
                         QStringLiteral("Вы прошли лабиринт за") + seconds +
                             QStringLiteral(" секунды.") + note +
                             QStringLiteral(" Сохранить результат?"),
                         tro::Answer::Yes)) {
        SaveResult();
    }
}

void KorvatWindow::chooseMaze(int maze) {
    const bool running = game_.running();
    game_.chooseMaze(maze);
    frame().setVariant(maze);
    if (running) {
        // The run ended with its maze; the game waits for a new start.
        timer1_->stop();
        label2_->setText(kWelcome);
    }
    showClock();
    showPicture();
}

void KorvatWindow::SaveResult() {
    if (const auto result = game_.result()) {
        frame().handOffResult(*result);
    }
}

}  // namespace tro::korvat
