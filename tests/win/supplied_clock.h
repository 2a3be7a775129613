// Clock readings that the caller moves on, supplied to the forms run time's Now for the
// owner's lifetime: days of ticks, with their midnights, pass in moments.
#pragma once

#include <cstdint>

#include "core/date_time.h"
#include "forms/runtime.h"

namespace testing_support {

class SuppliedClock : public forms::ClockReadings {
public:
    // Starts at the given local date and time, whole seconds.
    SuppliedClock(int year, int month, int day, int hour, int minute, int second)
        : midnight_(zelvane::OleDateFromFields(year, month, day, 0, 0, 0)),
          startSecond_(static_cast<int64_t>(hour) * kSecondsPerHour + minute * kSecondsPerMinute + second) {
        forms::SupplyClockReadings(this);
    }
    ~SuppliedClock() { forms::SupplyClockReadings(nullptr); }
    SuppliedClock(const SuppliedClock&) = delete;
    SuppliedClock& operator=(const SuppliedClock&) = delete;

    void SetElapsedSeconds(int64_t seconds) { elapsed_ = seconds; }

    // As the local clock is read: whole days, then the whole seconds of the day.
    double Now() override {
        const int64_t fromMidnight = startSecond_ + elapsed_;
        return midnight_ + static_cast<double>(fromMidnight / kSecondsPerDay) +
               static_cast<double>(fromMidnight % kSecondsPerDay) / static_cast<double>(kSecondsPerDay);
    }

private:
    static constexpr int64_t kSecondsPerMinute = 60;
    static constexpr int64_t kSecondsPerHour = 3600;
    static constexpr int64_t kSecondsPerDay = 86400;

    double midnight_;
    int64_t startSecond_;
    int64_t elapsed_ = 0;
};

}  // namespace testing_support
