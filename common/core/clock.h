#pragma once
// Time as the programs see it. Models take a Clock instead of reading the system clock, so
// tests can fix the day and the second.

#include <cstdint>
#include <string>

namespace tro {

struct Date {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};

struct TimeOfDay {
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59

    [[nodiscard]] int secondsSinceMidnight() const { return hour * 3600 + minute * 60 + second; }
    friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

struct DateTime {
    Date date;
    TimeOfDay time;
    int millisecond = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    // The local wall-clock reading.
    [[nodiscard]] virtual DateTime now() const = 0;
    // Milliseconds on a monotonic clock, for measuring durations.
    [[nodiscard]] virtual std::int64_t monotonicMs() const = 0;
};

class SystemClock final : public Clock {
  public:
    [[nodiscard]] DateTime now() const override;
    [[nodiscard]] std::int64_t monotonicMs() const override;
};

// Calendar helpers.
[[nodiscard]] bool isLeapYear(int year);
[[nodiscard]] int daysInMonth(int year, int month);
// "yyyy-mm-dd", as ISO 8601 writes a day.
[[nodiscard]] std::string isoDate(const Date& date);

}  // namespace tro
