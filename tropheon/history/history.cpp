#include "history.h"

#include <cstdio>

#include "progress.h"
#include "result_table.h"

namespace tro {
namespace {

const std::string kUntouched = " Таблицы рекордов работают как обычно.";

}  // namespace

History::History(std::filesystem::path playDir, const Clock& clock)
    : playDir_(std::move(playDir)),
      clock_(clock),
      store_(playDir_ / kDataFolder / kHistoryFileName) {}

std::string History::today() const {
    return isoDate(clock_.now().date);
}

bool History::open() {
    if (opened_) {
        return store_.usable();
    }
    opened_ = true;
    switch (store_.open(today())) {
        case StoreState::Created:
        case StoreState::MovedAside:
            // A new history begins with what the result tables remember.
            (void)store_.add(tableRounds(playDir_));
            if (store_.state() == StoreState::MovedAside) {
                const auto aside = store_.movedTo().lexically_relative(playDir_);
                notice_ = "Файл истории результатов был повреждён. Он сохранён как «" +
                          aside.generic_string() + "», начата новая история." + kUntouched;
            }
            break;
        case StoreState::Newer:
            notice_ =
                "История результатов записана более новой версией Трофеона, эта версия "
                "её не открывает." +
                kUntouched;
            break;
        case StoreState::Failed:
            notice_ =
                "Историю результатов (DATA/history.db) не удалось открыть, результаты в "
                "неё не записываются." +
                kUntouched;
            break;
        case StoreState::Closed:
        case StoreState::Opened:
            break;
    }
    return store_.usable();
}

bool History::record(const std::string& player, const std::string& gameId, int variant,
                     int result) {
    if (!open()) {
        return false;
    }
    const TimeOfDay time = clock_.now().time;
    char clock[16];
    std::snprintf(clock, sizeof clock, "T%02d:%02d:%02d", time.hour % 100, time.minute % 100,
                  time.second % 100);
    if (store_.add({{today() + clock, player, gameId, variant, result, false}})) {
        return true;
    }
    if (notice_.empty()) {
        notice_ =
            "Результат не удалось записать в историю результатов (DATA/history.db)." + kUntouched;
    }
    return false;
}

std::vector<Round> History::rounds(const RoundFilter& filter) {
    return open() ? store_.rounds(filter) : std::vector<Round>{};
}

std::string History::takeNotice() {
    if (told_ || notice_.empty()) {
        return {};
    }
    told_ = true;
    return notice_;
}

}  // namespace tro
