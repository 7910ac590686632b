// Measures the stop-the-arrow window on a real display (run it under Xvfb): how long the
// drawn turns take against the seconds each turn drew, and how evenly the frames come.
//
//   DISPLAY=:N vertun_frames [variant 1-6] [turns]
//
// The real window plays with the real clock; a driver presses the key on the dial after
// about a turn and a quarter. Every paint of the dial is recorded with the arrow it shows.
// A turn's drawn duration is 360 degrees over the slope of a line fitted through the drawn
// travel against the paint times.

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <vector>

#include "clock.h"
#include "random.h"
#include "testing/fake_services.h"
#include "vertun_window.h"

namespace {

using tro::vertun::Phase;

struct Sample {
    std::int64_t ms;
    double angle;
    int wraps;
    Phase phase;
    int stops;
    double speed;
};

class PaintRecorder : public QObject {
  public:
    PaintRecorder(const tro::vertun::VertunGame& game, const tro::Clock& clock)
        : game_(game), clock_(clock) {}
    std::vector<Sample> samples;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            samples.push_back({clock_.monotonicMs(), game_.arrowAngle(), game_.wraps(),
                               game_.phase(), game_.stops(), game_.speed()});
        }
        return false;
    }

  private:
    const tro::vertun::VertunGame& game_;
    const tro::Clock& clock_;
};

double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int variant = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, 6) : 6;
    const int turns = argc > 2 ? std::max(2, std::atoi(argv[2])) : 20;

    // The real clock and draws; nothing is handed off and no dialog opens.
    tro::testing::FakeServices fake;
    tro::SystemClock clock;
    tro::SystemRandom random;
    tro::Services services{fake.launcher, fake.sound,   fake.dialogs, fake.urls, fake.clipboard,
                           fake.keyboard, fake.process, clock,        random};
    const auto scratch = std::filesystem::temp_directory_path() / "vertun-frames";
    std::filesystem::create_directories(scratch);
    tro::GameFrame frame(tro::vertun::VertunWindow::kInfo, services, scratch);
    if (!frame.start({QString::number(variant)})) {
        return 1;
    }
    tro::vertun::VertunWindow window(frame);
    QWidget* dial = window.findChild<QWidget*>(QStringLiteral("Picture1"));
    PaintRecorder recorder(window.game(), clock);
    dial->installEventFilter(&recorder);
    window.show();

    const auto press = [dial] {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(dial, &key);
    };
    std::int64_t turningSince = -1;
    QTimer driver;
    driver.setTimerType(Qt::PreciseTimer);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        const auto& game = window.game();
        const std::int64_t now = clock.monotonicMs();
        if (game.phase() == Phase::Waiting) {
            press();
        } else if (game.phase() == Phase::Turning) {
            if (turningSince < 0) {
                turningSince = now;
            }
            if (now - turningSince >= 1.25 * 360.0 / game.speed() * 1000.0) {
                press();
                turningSince = -1;
                if (game.stops() >= turns) {
                    app.quit();
                }
            }
        }
    });
    driver.start(3);
    QTimer::singleShot(600000, &app, &QApplication::quit);
    QApplication::exec();

    // The frames of each turn, grouped by the stops made before it.
    std::map<int, std::vector<Sample>> byTurn;
    std::map<int, double> startAngle;
    std::vector<double> intervals;
    const Sample* previous = nullptr;
    for (const Sample& s : recorder.samples) {
        if (s.phase == Phase::Pause) {
            startAngle[s.stops] = s.angle;
        }
        if (s.phase == Phase::Turning) {
            byTurn[s.stops].push_back(s);
            if (previous && previous->phase == Phase::Turning && previous->stops == s.stops) {
                intervals.push_back(double(s.ms - previous->ms));
            }
        }
        previous = &s;
    }

    std::printf("vertun variant %d, %d turns, frame timer %d ms\n", variant, turns,
                window.findChild<QTimer*>(QStringLiteral("Timer1"))->interval());
    std::printf("%5s %8s %10s %10s %9s %7s\n", "turn", "frames", "drawn s", "shown s", "stray ms",
                "stray %");
    std::vector<double> strays;
    for (const auto& [stop, frames] : byTurn) {
        if (frames.size() < 3 || !startAngle.count(stop)) {
            continue;
        }
        // Least squares of travel over time.
        double st = 0, sd = 0, stt = 0, std_ = 0;
        const double n = double(frames.size());
        for (const Sample& s : frames) {
            const double t = double(s.ms - frames.front().ms);
            const double travel = startAngle[stop] - s.angle + 360.0 * s.wraps;
            st += t;
            sd += travel;
            stt += t * t;
            std_ += t * travel;
        }
        const double slope = (n * std_ - st * sd) / (n * stt - st * st);  // degrees per ms
        const double drawn = 360.0 / frames.front().speed;
        const double shown = 360.0 / slope / 1000.0;
        const double stray = (shown - drawn) * 1000.0;
        strays.push_back(std::abs(stray));
        std::printf("%5d %8zu %10.4f %10.4f %9.3f %7.3f\n", stop + 1, frames.size(), drawn, shown,
                    stray, 100.0 * stray / (drawn * 1000.0));
    }
    const double worstStray = strays.empty() ? 0 : *std::max_element(strays.begin(), strays.end());
    const double worstInterval =
        intervals.empty() ? 0 : *std::max_element(intervals.begin(), intervals.end());
    std::printf("turn duration stray: median %.3f ms, worst %.3f ms\n", median(strays), worstStray);
    std::printf("frame interval while turning: median %.1f ms, worst %.1f ms, %zu intervals\n",
                median(intervals), worstInterval, intervals.size());
    std::filesystem::remove_all(scratch);
    return 0;
}
