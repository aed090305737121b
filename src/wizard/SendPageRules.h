// Rules of the 3G Send Settings page that need no window: the coordinate limits.
#pragma once

#include <cstdint>

enum class CoordinateAxis { Longitude, Latitude };

// Degrees may reach 180 (longitude) or 90 (latitude) only while minutes and seconds are 0.
uint16_t CoordinateDegreeMaximum(CoordinateAxis axis, long minutes, long seconds);
// Minutes and seconds must stay 0 while the degrees are exactly 180 (or 90).
uint16_t CoordinateMinuteMaximum(CoordinateAxis axis, long degrees);
