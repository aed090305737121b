// Feeds arbitrary bytes to the menu.dat reader as the file's whole content, with no clock taken
// yet and with a clock near the file's, and checks what the reader leaves in the record.
#include "FuzzSupport.h"

#include "menu/MenuData.h"

#include <cstring>
#include <memory>

namespace {

// The longest lines: "___sizeof menu data:44___" and "iGetFileSize = " with ten digits.
constexpr size_t kLongestTraceLine = 15 + 10;

// A clock equal to the file's, or with one field off, or none at all (year 0), as the input's
// last byte decides.
SaveClockData ClockFor(const uint8_t* data, size_t size) {
    uint8_t plain[MENU_DATA_SIZE] = {};
    for (size_t i = 0; i < size && i < sizeof plain; ++i)
        plain[i] = fuzz::Unscramble(data[i]);
    MenuData file;
    memcpy(&file, plain, sizeof file);
    SaveClockData c = {file.Year, file.Month, file.Day, file.Hour, file.Minute, file.Second};
    switch (size > 0 ? data[size - 1] % 8 : 7) {
    case 0:
        c.Year = static_cast<uint16_t>(c.Year ^ 0x100);
        break;
    case 1:
        c.Month ^= 1;
        break;
    case 2:
        c.Day ^= 1;
        break;
    case 3:
        c.Hour ^= 1;
        break;
    case 4:
        c.Minute ^= 1;
        break;
    case 5:
        c.Second ^= 1;
        break;
    case 6:
        c.Year = 0;
        break;
    default:
        break;
    }
    return c;
}

void ReadOnce(const uint8_t* data, size_t size, const SaveClockData& clock, uint8_t fill) {
    std::unique_ptr<MenuData> rec(new MenuData);
    memset(rec.get(), fill, sizeof(MenuData));
    const MenuData before = *rec;

    fuzz::ClearTrace();
    const int result = ReadMenuFrom(fuzz::ScratchFolder(), *rec, clock);
    fuzz::CheckTraceLines(fuzz::TakeTrace(), kLongestTraceLine);

    if (size != MENU_DATA_SIZE) {
        FUZZ_CHECK(result == 0);
        FUZZ_CHECK(memcmp(rec.get(), &before, sizeof before) == 0);
        return;
    }
    // Any 44 bytes are taken as they are, unscrambled; only the clock decides the result.
    uint8_t expected[MENU_DATA_SIZE];
    for (int i = 0; i < MENU_DATA_SIZE; ++i)
        expected[i] = fuzz::Unscramble(data[i]);
    FUZZ_CHECK(memcmp(rec.get(), expected, sizeof expected) == 0);
    const bool clockMatches = rec->Year == clock.Year && rec->Month == clock.Month &&
                              rec->Day == clock.Day && rec->Hour == clock.Hour &&
                              rec->Minute == clock.Minute && rec->Second == clock.Second;
    FUZZ_CHECK(result == (clock.Year == 0 || clockMatches ? 1 : 0));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteScratchFile("menu.dat", data, size);
    ReadOnce(data, size, SaveClockData{}, 0x5A);
    ReadOnce(data, size, ClockFor(data, size), 0xA5);
    return 0;
}
