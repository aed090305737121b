// Shared pieces of the fuzz targets: a scratch folder for the files the readers open, the trace
// captured into a file, a check that aborts (so libFuzzer keeps the input), and a scrambling
// written independently of the core's, used to compute what the readers should have produced.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "sendset/SendSet.h"

namespace fuzz {

// Creates the scratch folder (below $TMPDIR) and sends standard output, where the core prints its
// trace, into a file there. Call once, from LLVMFuzzerInitialize.
void Init();

// The scratch folder the readers are pointed at.
const char* ScratchFolder();

// Replaces "<scratch>/<name>" with exactly these bytes.
void WriteScratchFile(const char* name, const uint8_t* data, size_t size);

// Empties the captured trace; TakeTrace returns what was printed since.
void ClearTrace();
std::string TakeTrace();

// Fails when a line of the trace is longer than maxLine bytes, except the lines that name the
// file's path. A field printed past its capacity shows up as an overlong line.
void CheckTraceLines(const std::string& trace, size_t maxLine);

[[noreturn]] void Fail(const char* what, const char* file, int line);

inline uint8_t Unscramble(uint8_t e) {
    return static_cast<uint8_t>((((e << 2) | (e >> 6)) & 0xFF) ^ 0xA5);
}

inline uint8_t Scramble(uint8_t p) {
    uint8_t x = static_cast<uint8_t>(p ^ 0xA5);
    return static_cast<uint8_t>(((x >> 2) | (x << 6)) & 0xFF);
}

// Layout flag of a CFG.BIN image (at least 14 bytes).
uint16_t FileStructFlag(const uint8_t* file);

// What an accepted 1240-byte CFG.BIN image must become in memory: its bytes unscrambled, the
// application flag cleared, a file count above 4 dropped to 0, the remote switch following the
// interval (an interval above 25 becoming 0).
SendSet ExpectedSendSet(const uint8_t* file);

// What a rejected layout flag leaves: all zero but the flag.
SendSet RejectedSendSet();

// The reader's repairs hold.
void CheckSendSetRepairs(const SendSet& rec);

} // namespace fuzz

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            fuzz::Fail(#cond, __FILE__, __LINE__);                                                 \
    } while (0)
