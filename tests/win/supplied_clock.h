// Clock readings supplied to the forms run time for the owner's lifetime: one that the
// caller moves on (days of ticks, with their midnights, pass in moments), and the local
// clock set forward or back.
#pragma once

#include <windows.h>

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

// The local clock set forward or back by a number of milliseconds, as a user or the system
// sets it, and running on from there: Now and the milliseconds read through the forms run
// time follow it for the owner's lifetime.
class ShiftedClock : public forms::ClockReadings {
public:
    ShiftedClock() { forms::SupplyClockReadings(this); }
    ~ShiftedClock() { forms::SupplyClockReadings(nullptr); }
    ShiftedClock(const ShiftedClock&) = delete;
    ShiftedClock& operator=(const ShiftedClock&) = delete;

    void Shift(int64_t ms) { shiftMs_ += ms; }

    // Milliseconds since the clock's midnight.
    int64_t MsOfDay() const {
        const SYSTEMTIME t = Read();
        return ((t.wHour * kMinutesAnHour + t.wMinute) * kSecondsAMinute + t.wSecond) * kMs + t.wMilliseconds;
    }

    double Now() override {
        const SYSTEMTIME t = Read();
        return zelvane::OleDateFromFields(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    }
    int32_t Milliseconds() override { return Read().wMilliseconds; }

private:
    static constexpr int64_t kMs = 1000;
    static constexpr int64_t kMinutesAnHour = 60, kSecondsAMinute = 60;
    static constexpr int64_t kFileTimeUnitsPerMs = 10000;

    SYSTEMTIME Read() const {
        SYSTEMTIME t;
        ::GetLocalTime(&t);
        FILETIME ft;
        ::SystemTimeToFileTime(&t, &ft);
        ULARGE_INTEGER units;
        units.LowPart = ft.dwLowDateTime;
        units.HighPart = ft.dwHighDateTime;
        units.QuadPart += static_cast<uint64_t>(shiftMs_ * kFileTimeUnitsPerMs);
        ft.dwLowDateTime = units.LowPart;
        ft.dwHighDateTime = units.HighPart;
        ::FileTimeToSystemTime(&ft, &t);
        return t;
    }

    int64_t shiftMs_ = 0;
};

}  // namespace testing_support
