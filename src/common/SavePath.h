// The save folder: where both camera files are written, normally the root of the SD card.
#pragma once

constexpr int SAVE_PATH_CAPACITY = 320;  // bytes of g_szSavePath
constexpr int SAVE_PATH_MAX_CHARS = 259; // longest folder path it may hold

extern char g_szSavePath[SAVE_PATH_CAPACITY];

// Stores folder as the save folder when it is at most SAVE_PATH_MAX_CHARS bytes long; a longer
// path is refused and the folder keeps its value. Returns whether it was stored.
bool SetSavePath(const char* folder);
