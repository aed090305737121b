#include "wizard/SendPageRules.h"

#include "lang/Texts.h"

#include <cstdio>

namespace {

uint16_t FullDegrees(CoordinateAxis axis) {
    return axis == CoordinateAxis::Longitude ? 180 : 90;
}

std::string TwoDigits(int n, const TextPair& unit) {
    char digits[8];
    snprintf(digits, sizeof digits, "%02d", n);
    return std::string(digits) + unit.Get();
}

const TextPair kHourOfDay = {{"点钟", " o'clock"}};
const TextPair kRemoteOff = {{"关闭遥控", "Remote Off"}};
const TextPair kTenMinutes = {{"10分钟", "10 Minutes"}};
const TextPair kHours = {{"小时", " Hours"}};

} // namespace

uint16_t CoordinateDegreeMaximum(CoordinateAxis axis, long minutes, long seconds) {
    const uint16_t full = FullDegrees(axis);
    return minutes <= 0 && seconds <= 0 ? full : static_cast<uint16_t>(full - 1);
}

uint16_t CoordinateMinuteMaximum(CoordinateAxis axis, long degrees) {
    return degrees == FullDegrees(axis) ? 0 : 59;
}

std::string DailySendTimeItem(int hour) {
    return TwoDigits(hour, kHourOfDay);
}

std::string RemoteIntervalItemText(int item) {
    if (item <= 0)
        return kRemoteOff.Get();
    if (item == 1)
        return kTenMinutes.Get();
    return TwoDigits(item - 1, kHours);
}
