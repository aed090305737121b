// Decodes 1240-byte CFG.BIN images directly, without a file: the input as an image as it is and
// with its layout flag made valid (random images almost never carry it), and the input as a
// record that is encoded and decoded again.
#include "FuzzSupport.h"

#include "sendset/SendSet.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

// Label plus the widest field: "g_sSendSet.sSmtpSet.sz3GSmtpApN=" and 61 characters.
constexpr size_t kLongestTraceLine = 32 + 61;

// Buffers of exactly their own size on the heap, so that AddressSanitizer sees any access past
// the image or the record.
struct Image {
    std::unique_ptr<uint8_t[]> bytes{new uint8_t[SEND_SET_SIZE]};
    uint8_t* get() { return bytes.get(); }
};

void DecodeAndCheck(Image& img) {
    std::unique_ptr<SendSet> rec(new SendSet);
    memset(rec.get(), 0xEE, sizeof(SendSet));
    const std::unique_ptr<uint8_t[]> copy(new uint8_t[SEND_SET_SIZE]);
    memcpy(copy.get(), img.get(), SEND_SET_SIZE);

    fuzz::ClearTrace();
    const bool accepted = DecodeSendSetImage(img.get(), *rec);
    fuzz::CheckTraceLines(fuzz::TakeTrace(), kLongestTraceLine);

    FUZZ_CHECK(memcmp(copy.get(), img.get(), SEND_SET_SIZE) == 0); // the image is left alone
    if (fuzz::FileStructFlag(img.get()) != SEND_SET_STRUCT_FLAG) {
        const SendSet rejected = fuzz::RejectedSendSet();
        FUZZ_CHECK(!accepted);
        FUZZ_CHECK(memcmp(rec.get(), &rejected, sizeof rejected) == 0);
        return;
    }
    FUZZ_CHECK(accepted);
    fuzz::CheckSendSetRepairs(*rec);
    const SendSet expected = fuzz::ExpectedSendSet(img.get());
    FUZZ_CHECK(memcmp(rec.get(), &expected, sizeof expected) == 0);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The input, cut or padded with zero bytes to 1240.
    Image img;
    memset(img.get(), 0, SEND_SET_SIZE);
    memcpy(img.get(), data, std::min<size_t>(size, SEND_SET_SIZE));
    DecodeAndCheck(img);

    img.get()[12] = fuzz::Scramble(SEND_SET_STRUCT_FLAG & 0xFF);
    img.get()[13] = fuzz::Scramble(SEND_SET_STRUCT_FLAG >> 8);
    DecodeAndCheck(img);

    // The same bytes as a record: its image is each byte scrambled, with the application flag
    // set in the first; decoding it gives the record back, repaired.
    std::unique_ptr<SendSet> rec(new SendSet);
    memcpy(rec.get(), data, std::min<size_t>(size, SEND_SET_SIZE));
    if (size < SEND_SET_SIZE)
        memset(reinterpret_cast<uint8_t*>(rec.get()) + size, 0, SEND_SET_SIZE - size);
    rec->StructFlag = SEND_SET_STRUCT_FLAG;
    const SendSet plain = *rec;
    Image built;
    BuildSendSetImage(*rec, built.get());
    FUZZ_CHECK(memcmp(rec.get(), &plain, sizeof plain) == 0); // the record stays plain
    const uint8_t* p = reinterpret_cast<const uint8_t*>(&plain);
    for (int i = 0; i < SEND_SET_SIZE; ++i)
        FUZZ_CHECK(built.get()[i] == fuzz::Scramble(i == 0 ? p[0] | 0x80 : p[i]));
    DecodeAndCheck(built);
    return 0;
}
