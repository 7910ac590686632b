#include "progress_window.h"

#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFileDialog>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QScatterSeries>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <sstream>

#include "app_setup.h"
#include "history_csv.h"
#include "progress.h"

namespace tro {
namespace {

const QString kTitle = QStringLiteral("Прогресс");
const QColor kRoundColour{kRoundColourRgb};
const QLocale kRussian(QLocale::Russian, QLocale::Russia);

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString number(std::optional<double> value, const QString& suffix = {}) {
    if (!value) {
        return QStringLiteral("—");
    }
    return kRussian.toString(*value, 'f', *value == static_cast<long long>(*value) ? 0 : 1) +
           suffix;
}

QString trendText(Trend trend) {
    switch (trend) {
        case Trend::Better:
            return QStringLiteral("лучше ↑");
        case Trend::Worse:
            return QStringLiteral("хуже ↓");
        case Trend::Same:
            return QStringLiteral("без перемен");
        case Trend::None:
            break;
    }
    return QStringLiteral("—");
}

QString betterWay(int direction) {
    return direction < 0 ? QStringLiteral("меньше — лучше") : QStringLiteral("больше — лучше");
}

QLabel* friendly(const QString& message) {
    auto* label = new QLabel(message);
    label->setObjectName("NoHistory");
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

// One point a round: the round's number and the value.
QList<QPointF> pointsOf(const std::vector<double>& values) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i) {
        points.append(QPointF(static_cast<double>(i + 1), values[i]));
    }
    return points;
}

template <class Series>
Series* series(const QString& name, const std::vector<double>& values) {
    auto* made = new Series;
    made->setName(name);
    made->replace(pointsOf(values));
    return made;
}

// The chart of a player's rounds: every result as a point, the best so far, the median of the
// last ten. `small` leaves out the legend, the axis titles and the two lines.
QChartView* chartOf(const ProgressSeries& progress, int direction, bool small) {
    auto* chart = new QChart;
    const std::vector<double> results(progress.results.begin(), progress.results.end());
    if (small) {
        chart->addSeries(series<QLineSeries>({}, results));
    } else {
        chart->addSeries(series<QLineSeries>(
            QStringLiteral("Лучший результат"),
            std::vector<double>(progress.bestSoFar.begin(), progress.bestSoFar.end())));
        chart->addSeries(
            series<QLineSeries>(QStringLiteral("Медиана последних 10"), progress.recentMedian));
        // The rounds last, so that every point is drawn over the lines.
        auto* points = series<QScatterSeries>(QStringLiteral("Раунды"), results);
        points->setColor(kRoundColour);
        points->setPen(Qt::NoPen);
        // Thousands of rounds are drawn as small squares: round marks cost four times more.
        const bool many = results.size() > 500;
        points->setMarkerSize(many ? 4 : 8);
        points->setMarkerShape(many ? QScatterSeries::MarkerShapeRectangle
                                    : QScatterSeries::MarkerShapeCircle);
        chart->addSeries(points);
    }
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    const auto [low, high] = std::minmax_element(results.begin(), results.end());
    const double margin = std::max(1.0, (*high - *low) * 0.05);
    x->setRange(1, std::max<double>(2, static_cast<double>(results.size())));
    x->setLabelFormat(QStringLiteral("%d"));
    y->setRange(*low - margin, *high + margin);
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%d"));
    if (small) {
        x->setVisible(false);
        y->setVisible(false);
        chart->legend()->hide();
        chart->setMargins({0, 0, 0, 0});
        chart->layout()->setContentsMargins(0, 0, 0, 0);
    } else {
        x->setTitleText(QStringLiteral("Раунды по порядку"));
        y->setTitleText(QStringLiteral("Результат (%1)").arg(betterWay(direction)));
        chart->legend()->setAlignment(Qt::AlignBottom);
    }
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : chart->series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing, !small && results.size() <= 2000);
    return view;
}

}  // namespace

ProgressWindow::ProgressWindow(Services& services, History& history, ProgressRequest request,
                               QWidget* parent)
    : QDialog(parent), services_(services), history_(history), request_(std::move(request)) {
    setObjectName("Progress");
    setWindowTitle(kTitle);
    resize(820, 520);
    chooseCsvFile = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить историю"),
                                            QStringLiteral("история.csv"),
                                            QStringLiteral("Таблица CSV (*.csv)"));
    };
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("Tabs");
    tabs_->addTab(gamePage(), QStringLiteral("Игра"));
    tabs_->addTab(new QWidget, QStringLiteral("Все игры"));
    layout->addWidget(tabs_);
    // The overview reads every game's rounds: it is made when it is first looked at.
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 1 && !overviewBuilt_) {
            overviewBuilt_ = true;
            tabs_->removeTab(1);
            tabs_->addTab(overviewPage(), QStringLiteral("Все игры"));
            tabs_->setCurrentIndex(1);
        }
    });
    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("Сохранить CSV..."), this);
    save->setObjectName("SaveCsv");
    save->setEnabled(!request_.player.empty());
    auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
    close->setObjectName("Close");
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &ProgressWindow::saveCsv);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

QWidget* ProgressWindow::gamePage() {
    const ProgressGame& game = request_.game;
    const QString variant =
        request_.variant >= 1 && static_cast<std::size_t>(request_.variant) <= game.variants.size()
            ? text(game.variants[static_cast<std::size_t>(request_.variant - 1)])
            : QString::number(request_.variant);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    if (request_.player.empty()) {
        layout->addWidget(friendly(QStringLiteral(
            "Игрок не выбран. Выберите себя в списке «Игрок:» главного окна, и здесь появятся "
            "ваши результаты.")));
        return page;
    }
    auto* heading =
        new QLabel(QStringLiteral("%1 — %2, %3")
                       .arg(text(request_.player), text(game.title).trimmed(), variant));
    heading->setObjectName("Heading");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    const std::vector<Round> rounds = history_.rounds({request_.player, game.id, request_.variant});
    if (rounds.empty()) {
        layout->addWidget(friendly(QStringLiteral("В этой игре и этом варианте у игрока «%1» "
                                                  "пока нет результатов. Сыграйте раунд, и здесь "
                                                  "появится график.")
                                       .arg(text(request_.player))),
                          1);
        return page;
    }
    const ProgressSeries series = progressSeries(rounds, game.direction);
    const ProgressSummary s = progressSummary(series, rounds, game.direction, history_.today());
    auto* row = new QHBoxLayout;
    QChartView* chart = chartOf(series, game.direction, false);
    chart->setObjectName("Chart");
    chart->setMinimumSize(520, 360);
    row->addWidget(chart, 1);
    auto* figures = new QGridLayout;
    const std::pair<QString, QString> lines[] = {
        {QStringLiteral("Сыграно раундов:"), QString::number(s.rounds)},
        {QStringLiteral("Лучший результат:"), number(s.best)},
        {QStringLiteral("Последний:"), number(s.last)},
        {QStringLiteral("Медиана последних 10:"), number(s.recentMedian)},
        {QStringLiteral("Медиана первых 10:"), number(s.firstMedian)},
        {QStringLiteral("Улучшение:"),
         s.improvement ? (*s.improvement > 0 ? QStringLiteral("+") : QString()) +
                             number(s.improvement, QStringLiteral(" %"))
                       : number(std::nullopt)},
        {QStringLiteral("Раундов сегодня:"), QString::number(s.today)},
        {QStringLiteral("Ось:"), betterWay(game.direction)},
    };
    int r = 0;
    for (const auto& [caption, value] : lines) {
        figures->addWidget(new QLabel(caption), r, 0);
        auto* shown = new QLabel(value);
        shown->setObjectName(QStringLiteral("Figure%1").arg(r));
        figures->addWidget(shown, r++, 1);
    }
    figures->setRowStretch(r, 1);
    row->addLayout(figures);
    layout->addLayout(row, 1);
    return page;
}

QWidget* ProgressWindow::overviewPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    if (request_.player.empty()) {
        grid->addWidget(friendly(QStringLiteral("Игрок не выбран.")), 0, 0);
        return page;
    }
    const std::vector<Round> all = history_.rounds({request_.player, {}, {}});
    if (all.empty()) {
        grid->addWidget(friendly(QStringLiteral("У игрока «%1» пока нет ни одного результата. "
                                                "Выберите игру и сыграйте!")
                                     .arg(text(request_.player))),
                        0, 0);
        return page;
    }
    const QString headings[] = {QStringLiteral("Игра (последний вариант)"),
                                QStringLiteral("Раундов"),
                                QStringLiteral("Лучший"),
                                QStringLiteral("Последний"),
                                QStringLiteral("Тенденция"),
                                QStringLiteral("График")};
    for (int c = 0; c < 6; ++c) {
        auto* heading = new QLabel(headings[c]);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        grid->addWidget(heading, 0, c);
    }
    int r = 1;
    for (const ProgressGame& game : request_.games) {
        std::vector<Round> rounds;
        for (const Round& round : all) {
            if (round.gameId == game.id) {
                rounds.push_back(round);
            }
        }
        // The figures are those of the variant played last: results of variants differ.
        QString name = text(game.title).trimmed();
        std::vector<Round> variant;
        if (!rounds.empty()) {
            const int last = rounds.back().variant;
            for (const Round& round : rounds) {
                if (round.variant == last) {
                    variant.push_back(round);
                }
            }
            if (last >= 1 && static_cast<std::size_t>(last) <= game.variants.size()) {
                name += QStringLiteral(" (%1)").arg(
                    text(game.variants[static_cast<std::size_t>(last - 1)]));
            }
        }
        const ProgressSeries series = progressSeries(variant, game.direction);
        const ProgressSummary s =
            progressSummary(series, variant, game.direction, history_.today());
        grid->addWidget(new QLabel(name), r, 0);
        grid->addWidget(new QLabel(QString::number(rounds.size())), r, 1);
        grid->addWidget(new QLabel(number(s.best)), r, 2);
        grid->addWidget(new QLabel(number(s.last)), r, 3);
        grid->addWidget(new QLabel(trendText(s.trend)), r, 4);
        if (!variant.empty()) {
            QChartView* spark = chartOf(series, game.direction, true);
            spark->setFixedSize(160, 40);
            grid->addWidget(spark, r, 5);
        }
        ++r;
    }
    grid->setRowStretch(r, 1);
    return page;
}

void ProgressWindow::saveCsv() {
    const QString file = chooseCsvFile ? chooseCsvFile() : QString();
    if (file.isEmpty()) {
        return;
    }
    std::ostringstream csv;
    writeHistoryCsv(csv, history_.rounds({request_.player, {}, {}}), history_.playDir());
    const std::string bytes = csv.str();
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
        services_.dialogs.message(kSuiteTitle,
                                  QStringLiteral("Не удалось записать файл «%1».").arg(file),
                                  MessageIcon::Warning);
    }
}

}  // namespace tro
