#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fuzz {

namespace {

std::string s_folder;

void RemoveScratch() {
    fflush(stdout);
    unlink((s_folder + "/CFG.BIN").c_str());
    unlink((s_folder + "/menu.dat").c_str());
    unlink((s_folder + "/trace.txt").c_str());
    rmdir(s_folder.c_str());
}

} // namespace

void Init() {
    const char* base = getenv("TMPDIR");
    std::string tmpl =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/camsetup-fuzz-XXXXXX";
    if (mkdtemp(&tmpl[0]) == nullptr) {
        perror("mkdtemp");
        abort();
    }
    s_folder = tmpl;
    // The trace goes to a file: it keeps the run quiet and lets the targets look at it.
    if (freopen((s_folder + "/trace.txt").c_str(), "w+", stdout) == nullptr) {
        perror("freopen");
        abort();
    }
    atexit(RemoveScratch);
}

const char* ScratchFolder() {
    return s_folder.c_str();
}

void WriteScratchFile(const char* name, const uint8_t* data, size_t size) {
    const std::string path = s_folder + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (f == nullptr) {
        perror(path.c_str());
        abort();
    }
    if (size > 0 && fwrite(data, 1, size, f) != size) {
        perror(path.c_str());
        abort();
    }
    fclose(f);
}

void ClearTrace() {
    fflush(stdout);
    rewind(stdout);
    if (ftruncate(fileno(stdout), 0) != 0) {
        perror("ftruncate");
        abort();
    }
}

std::string TakeTrace() {
    fflush(stdout);
    std::string text;
    char buf[4096];
    off_t at = 0;
    ssize_t got;
    while ((got = pread(fileno(stdout), buf, sizeof buf, at)) > 0) {
        text.append(buf, static_cast<size_t>(got));
        at += got;
    }
    return text;
}

void CheckTraceLines(const std::string& trace, size_t maxLine) {
    size_t start = 0;
    while (start < trace.size()) {
        size_t end = trace.find('\n', start);
        if (end == std::string::npos)
            end = trace.size();
        if (trace.compare(start, 11, "Open file -") != 0 && end - start > maxLine) {
            fprintf(stderr, "trace line of %zu bytes: %.*s\n", end - start,
                    static_cast<int>(end - start), trace.data() + start);
            Fail("trace line within its field's capacity", __FILE__, __LINE__);
        }
        start = end + 1;
    }
}

uint16_t FileStructFlag(const uint8_t* file) {
    return static_cast<uint16_t>(Unscramble(file[12]) | Unscramble(file[13]) << 8);
}

SendSet ExpectedSendSet(const uint8_t* file) {
    SendSet rec;
    uint8_t* bytes = reinterpret_cast<uint8_t*>(&rec);
    for (int i = 0; i < SEND_SET_SIZE; ++i)
        bytes[i] = Unscramble(file[i]);
    rec.bySendBy &= 0x7F;
    if (rec.bySendFileNum > 4)
        rec.bySendFileNum = 0;
    if (rec.byRemoteInterval > 25)
        rec.byRemoteInterval = 0;
    rec.byRemoteSwitch = rec.byRemoteInterval == 25 ? 0 : 1;
    return rec;
}

SendSet RejectedSendSet() {
    SendSet rec;
    memset(&rec, 0, sizeof rec);
    rec.StructFlag = 5;
    return rec;
}

void CheckSendSetRepairs(const SendSet& rec) {
    FUZZ_CHECK(rec.bySendFileNum <= 4);
    FUZZ_CHECK(rec.byRemoteInterval <= 25);
    FUZZ_CHECK(rec.byRemoteSwitch == (rec.byRemoteInterval == 25 ? 0 : 1));
    FUZZ_CHECK((rec.bySendBy & 0x80) == 0);
}

void Fail(const char* what, const char* file, int line) {
    fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    abort();
}

} // namespace fuzz
