// The user's way to the Camera Setup form, and a look into the menu.dat it writes.
#pragma once

#include "GuiHarness.h"

#include "menu/MenuData.h"
#include "res/resource.h"
#include "sendset/SendSet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace gui {

// Main Setup ("Camera Setup") to the form; null when it did not come.
inline HWND OpenCameraSetup(App& app) {
    HWND main = app.Wait(WindowTitle("Setup"));
    if (main == nullptr)
        return nullptr;
    Click(app, main, IDC_MAIN_CAMERA_SETUP);
    return app.Wait(WindowTitle("Camera Setup"));
}

// menu.dat of the save folder, unscrambled; all 0xEE when it is missing or of the wrong size.
inline MenuData MenuFileOf(const App& app) {
    MenuData rec;
    memset(&rec, 0xEE, sizeof rec);
    std::vector<uint8_t> bytes = ReadFileBytes(app.FilePath("menu.dat"));
    EXPECT_EQ(bytes.size(), static_cast<size_t>(MENU_DATA_SIZE));
    if (bytes.size() == MENU_DATA_SIZE) {
        DecodeCfgBuffer(bytes.data(), MENU_DATA_SIZE);
        memcpy(&rec, bytes.data(), sizeof rec);
    }
    return rec;
}

// The clock a menu record holds.
inline void ExpectMenuClock(const MenuData& m, int year, int month, int day, int hour, int minute,
                            int second) {
    EXPECT_EQ(m.Year, year);
    EXPECT_EQ(m.Month, month);
    EXPECT_EQ(m.Day, day);
    EXPECT_EQ(m.Hour, hour);
    EXPECT_EQ(m.Minute, minute);
    EXPECT_EQ(m.Second, second);
}

} // namespace gui
