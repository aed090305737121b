// The camera menu record, stored byte for byte (scrambled) as menu.dat in the save folder.
#pragma once

#include <cstddef>
#include <cstdint>

class Card;

constexpr int MENU_DATA_SIZE = 44;

#pragma pack(push, 1)

struct MenuData {
    uint8_t CapMode;    // 0 camera, 1 video, 2 camera + video
    uint8_t ImgSize;    // 0 12 MP, 1 5 MP, 2 2 MP
    uint8_t VideoSize;  // 0 1440x1080, 1 720P, 2 VGA
    uint8_t PicNum;     // pictures per trigger minus one
    uint8_t TimeStamp;  // 0 on, 1 off
    uint8_t SenseLevel; // 0 normal, 1 high, 2 low, 3 off
    uint8_t SidePir;    // 0 off, 1 on
    uint8_t VideoLen;   // seconds minus one, 0..59
    uint8_t Interval;   // bit 7: 1 seconds, 0 minutes; bits 0..6: count 0..60
    uint8_t DateFormat; // 0 YMD, 1 DMY, 2 MDY
    uint8_t BeepSound;  // 0 off, 1 on
    uint8_t SdCycle;    // 0 off, 1 on
    uint8_t Language;   // 1..14, list position plus one
    uint8_t ClockMode;  // 0 auto, 1 input, 2 off
    uint16_t Year;
    uint8_t Month;
    uint8_t Day;
    uint8_t Hour;
    uint8_t Minute;
    uint8_t Second;
    uint8_t Timer1On;
    uint8_t Timer1StartHour;
    uint8_t Timer1StartMin;
    uint8_t Timer1EndHour;
    uint8_t Timer1EndMin;
    uint8_t Timer2On;
    uint8_t Timer2StartHour;
    uint8_t Timer2StartMin;
    uint8_t Timer2EndHour;
    uint8_t Timer2EndMin;
    uint8_t SerialOn;
    uint8_t Serial[4]; // indices 0..35 into "0".."9", "A".."Z"
    uint8_t TimeLapse; // 0 on, 1 off
    uint8_t TimeLapseHour;
    uint8_t TimeLapseMin;
    uint8_t TimeLapseSec;
    uint8_t Tail[4]; // carried unchanged
};

#pragma pack(pop)

static_assert(sizeof(MenuData) == MENU_DATA_SIZE, "MenuData layout");
static_assert(offsetof(MenuData, CapMode) == 0, "MenuData layout");
static_assert(offsetof(MenuData, ImgSize) == 1, "MenuData layout");
static_assert(offsetof(MenuData, VideoSize) == 2, "MenuData layout");
static_assert(offsetof(MenuData, PicNum) == 3, "MenuData layout");
static_assert(offsetof(MenuData, TimeStamp) == 4, "MenuData layout");
static_assert(offsetof(MenuData, SenseLevel) == 5, "MenuData layout");
static_assert(offsetof(MenuData, SidePir) == 6, "MenuData layout");
static_assert(offsetof(MenuData, VideoLen) == 7, "MenuData layout");
static_assert(offsetof(MenuData, Interval) == 8, "MenuData layout");
static_assert(offsetof(MenuData, DateFormat) == 9, "MenuData layout");
static_assert(offsetof(MenuData, BeepSound) == 10, "MenuData layout");
static_assert(offsetof(MenuData, SdCycle) == 11, "MenuData layout");
static_assert(offsetof(MenuData, Language) == 12, "MenuData layout");
static_assert(offsetof(MenuData, ClockMode) == 13, "MenuData layout");
static_assert(offsetof(MenuData, Year) == 14, "MenuData layout");
static_assert(offsetof(MenuData, Month) == 16, "MenuData layout");
static_assert(offsetof(MenuData, Day) == 17, "MenuData layout");
static_assert(offsetof(MenuData, Hour) == 18, "MenuData layout");
static_assert(offsetof(MenuData, Minute) == 19, "MenuData layout");
static_assert(offsetof(MenuData, Second) == 20, "MenuData layout");
static_assert(offsetof(MenuData, Timer1On) == 21, "MenuData layout");
static_assert(offsetof(MenuData, Timer1StartHour) == 22, "MenuData layout");
static_assert(offsetof(MenuData, Timer1StartMin) == 23, "MenuData layout");
static_assert(offsetof(MenuData, Timer1EndHour) == 24, "MenuData layout");
static_assert(offsetof(MenuData, Timer1EndMin) == 25, "MenuData layout");
static_assert(offsetof(MenuData, Timer2On) == 26, "MenuData layout");
static_assert(offsetof(MenuData, Timer2StartHour) == 27, "MenuData layout");
static_assert(offsetof(MenuData, Timer2StartMin) == 28, "MenuData layout");
static_assert(offsetof(MenuData, Timer2EndHour) == 29, "MenuData layout");
static_assert(offsetof(MenuData, Timer2EndMin) == 30, "MenuData layout");
static_assert(offsetof(MenuData, SerialOn) == 31, "MenuData layout");
static_assert(offsetof(MenuData, Serial) == 32, "MenuData layout");
static_assert(offsetof(MenuData, TimeLapse) == 36, "MenuData layout");
static_assert(offsetof(MenuData, TimeLapseHour) == 37, "MenuData layout");
static_assert(offsetof(MenuData, TimeLapseMin) == 38, "MenuData layout");
static_assert(offsetof(MenuData, TimeLapseSec) == 39, "MenuData layout");
static_assert(offsetof(MenuData, Tail) == 40, "MenuData layout");

// The clock last taken from the Camera Setup form; Year 0 means none yet in this run.
struct SaveClockData {
    uint16_t Year;
    uint8_t Month, Day, Hour, Minute, Second;
};

extern MenuData g_sMenuData;
extern SaveClockData SaveClock;

// Zero, then the default menu (Tail included). The clock fields and ClockMode are zero.
void LoadMenuDefaults(MenuData& rec);
void LoadMenuDefaults();

// The scrambled 44-byte file image of a record (no flag bit, unlike CFG.BIN), and its inverse.
void BuildMenuImage(const MenuData& rec, uint8_t out[MENU_DATA_SIZE]);
void DecodeMenuImage(const uint8_t img[MENU_DATA_SIZE], MenuData& rec);

// Writes "<folder>/menu.dat" through a temporary file; true when written, flushed and in place.
bool WriteMenuTo(const char* folder, const MenuData& rec);

// Reads "<folder>/menu.dat" into rec (untouched unless the file is 44 bytes and readable), then
// the read-back test against clock: 1 when clock.Year is 0 or the file's clock equals it.
int ReadMenuFrom(const char* folder, MenuData& rec, const SaveClockData& clock);

// The same two on a card's menu.dat.
bool WriteMenuTo(Card& card, const MenuData& rec);
int ReadMenuFrom(Card& card, MenuData& rec, const SaveClockData& clock);

// The same on g_sMenuData, SaveClock and the save folder.
bool WriteMenuFile();
int ReadMenuFile();

// The file's name in the save folder, "menu.dat".
extern const char kMenuFileName[];
