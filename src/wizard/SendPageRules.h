// Rules of the 3G Send Settings page that need no window: the coordinate limits and the items of
// the daily send time and remote interval lists.
#pragma once

#include <cstdint>
#include <string>

enum class CoordinateAxis { Longitude, Latitude };

// Degrees may reach 180 (longitude) or 90 (latitude) only while minutes and seconds are 0.
uint16_t CoordinateDegreeMaximum(CoordinateAxis axis, long minutes, long seconds);
// Minutes and seconds must stay 0 while the degrees are exactly 180 (or 90).
uint16_t CoordinateMinuteMaximum(CoordinateAxis axis, long degrees);

constexpr int DAILY_SEND_TIME_ITEMS = 24;

// Item k of the lists in the current language: "07点钟" / "07 o'clock"; "关闭遥控" / "Remote Off",
// "10分钟" / "10 Minutes", then "01小时" / "01 Hours" .. "24小时" / "24 Hours".
std::string DailySendTimeItem(int hour);
std::string RemoteIntervalItemText(int item);
