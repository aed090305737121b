#include "menu/MenuData.h"

#include "common/SavePath.h"
#include "common/Trace.h"
#include "sendset/Card.h"
#include "sendset/FileIo.h"
#include "sendset/SendSet.h"

#include <cstdio>
#include <cstring>

MenuData g_sMenuData;
SaveClockData SaveClock;

const char kMenuFileName[] = "menu.dat";

void LoadMenuDefaults(MenuData& rec) {
    memset(&rec, 0, sizeof rec);
    rec.VideoSize = 1;
    rec.SidePir = 1;
    rec.VideoLen = 9;
    rec.Interval = 0x01;
    rec.DateFormat = 2;
    rec.BeepSound = 1;
    rec.Language = 2;
    rec.TimeLapse = 1;
    rec.Tail[0] = 0x8F;
    rec.Tail[1] = 0x00;
    rec.Tail[2] = 0x80;
    rec.Tail[3] = 0x80;
}

void LoadMenuDefaults() {
    LoadMenuDefaults(g_sMenuData);
}

void BuildMenuImage(const MenuData& rec, uint8_t out[MENU_DATA_SIZE]) {
    memcpy(out, &rec, MENU_DATA_SIZE);
    EncodeCfgBuffer(out, MENU_DATA_SIZE);
}

void DecodeMenuImage(const uint8_t img[MENU_DATA_SIZE], MenuData& rec) {
    memcpy(&rec, img, MENU_DATA_SIZE);
    DecodeCfgBuffer(reinterpret_cast<uint8_t*>(&rec), MENU_DATA_SIZE);
}

bool WriteMenuTo(Card& card, const MenuData& rec) {
    uint8_t image[MENU_DATA_SIZE];
    BuildMenuImage(rec, image);
    return card.Write(kMenuFileName, image, MENU_DATA_SIZE);
}

bool WriteMenuTo(const char* folder, const MenuData& rec) {
    FolderCard card(folder);
    return WriteMenuTo(card, rec);
}

int ReadMenuFrom(const char* folder, MenuData& rec, const SaveClockData& clock) {
    FolderCard card(folder);
    return ReadMenuFrom(card, rec, clock);
}

int ReadMenuFrom(Card& card, MenuData& rec, const SaveClockData& clock) {
    Trace("___sizeof menu data:%d___\n", MENU_DATA_SIZE);
    uint8_t image[MENU_DATA_SIZE];
    if (!card.Read(kMenuFileName, image, MENU_DATA_SIZE))
        return 0;
    DecodeMenuImage(image, rec);
    Trace("CapMode = %d\n", rec.CapMode);
    Trace("ImgSize = %d\n", rec.ImgSize);
    if (clock.Year == 0)
        return 1;
    if (rec.Year != clock.Year || rec.Month != clock.Month || rec.Day != clock.Day ||
        rec.Hour != clock.Hour || rec.Minute != clock.Minute || rec.Second != clock.Second) {
        TraceLine("Save clock is different!");
        return 0;
    }
    return 1;
}

bool WriteMenuFile() {
    return WriteMenuTo(g_szSavePath, g_sMenuData);
}

int ReadMenuFile() {
    return ReadMenuFrom(g_szSavePath, g_sMenuData, SaveClock);
}
