// Feeds arbitrary bytes to the CFG.BIN reader as the file's whole content, with and without the
// time-stamp test, and checks what the reader leaves in the record.
#include "FuzzSupport.h"

#include "sendset/SendSet.h"

#include <cstring>
#include <memory>

namespace {

// Label plus the widest field: "g_sSendSet.sSmtpSet.sz3GSmtpApN=" and 61 characters.
constexpr size_t kLongestTraceLine = 32 + 61;

// A clock equal to the file's time stamp, or one byte off it, as the input's last byte decides.
SendSetClock ClockFor(const uint8_t* data, size_t size) {
    uint8_t clock[6] = {};
    if (size >= 20) {
        for (int i = 0; i < 6; ++i)
            clock[i] = fuzz::Unscramble(data[14 + i]);
    }
    if (size > 0 && data[size - 1] % 8 < 6)
        clock[data[size - 1] % 8] ^= 1;
    SendSetClock c;
    memcpy(&c, clock, sizeof c);
    return c;
}

bool SameClock(const SendTime& t, const SendSetClock& c) {
    return t.byYear == c.byYear && t.byMonth == c.byMonth && t.byDay == c.byDay &&
           t.byHour == c.byHour && t.byMinute == c.byMinute && t.bySecond == c.bySecond;
}

// One read into a record of exactly its own size on the heap, so that AddressSanitizer catches
// any read past its end (a text field without terminator printed unbounded).
void ReadOnce(const uint8_t* data, size_t size, int verify, const SendSetClock& clock) {
    std::unique_ptr<SendSet> rec(new SendSet);
    memset(rec.get(), verify ? 0x3C : 0xC3, sizeof(SendSet));
    const std::unique_ptr<SendSet> before(new SendSet(*rec));

    fuzz::ClearTrace();
    const int result = ReadSendSetFrom(fuzz::ScratchFolder(), *rec, verify, clock);
    fuzz::CheckTraceLines(fuzz::TakeTrace(), kLongestTraceLine);

    if (size != SEND_SET_SIZE) {
        FUZZ_CHECK(result == 0);
        FUZZ_CHECK(memcmp(rec.get(), before.get(), sizeof(SendSet)) == 0);
        return;
    }
    if (fuzz::FileStructFlag(data) != SEND_SET_STRUCT_FLAG) {
        const SendSet zero = fuzz::RejectedSendSet();
        FUZZ_CHECK(result == 0);
        FUZZ_CHECK(memcmp(rec.get(), &zero, sizeof zero) == 0);
        return;
    }
    const SendSet expected = fuzz::ExpectedSendSet(data);
    fuzz::CheckSendSetRepairs(*rec);
    FUZZ_CHECK(memcmp(rec.get(), &expected, sizeof expected) == 0);
    FUZZ_CHECK(result == (verify == 0 || SameClock(expected.sTime, clock) ? 1 : 0));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteScratchFile("CFG.BIN", data, size);
    const SendSetClock clock = ClockFor(data, size);
    ReadOnce(data, size, 0, clock);
    ReadOnce(data, size, 1, clock);
    return 0;
}
