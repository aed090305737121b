#include "wizard/SendPageRules.h"

namespace {

uint16_t FullDegrees(CoordinateAxis axis) {
    return axis == CoordinateAxis::Longitude ? 180 : 90;
}

} // namespace

uint16_t CoordinateDegreeMaximum(CoordinateAxis axis, long minutes, long seconds) {
    const uint16_t full = FullDegrees(axis);
    return minutes <= 0 && seconds <= 0 ? full : static_cast<uint16_t>(full - 1);
}

uint16_t CoordinateMinuteMaximum(CoordinateAxis axis, long degrees) {
    return degrees == FullDegrees(axis) ? 0 : 59;
}
