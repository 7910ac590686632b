#include "clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace tro {

DateTime SystemClock::now() const {
    const auto nowPoint = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(nowPoint);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    DateTime out;
    out.date = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    out.time = {local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec};
    out.millisecond = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(nowPoint.time_since_epoch()).count() %
        1000);
    return out;
}

std::int64_t SystemClock::monotonicMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

std::string isoDate(const Date& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year % 10000, date.month % 100,
                  date.day % 100);
    return text;
}

}  // namespace tro
