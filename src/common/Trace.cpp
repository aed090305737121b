#include "common/Trace.h"

#include <cstdarg>

namespace {

// Standard output is looked up at each line, so a stream reopened over it (as the fuzzers do)
// still gets the trace.
bool s_toStdout = true;
FILE* s_sink = nullptr;

FILE* Sink() {
    return s_toStdout ? stdout : s_sink;
}

} // namespace

void SetTraceSink(FILE* sink) {
    s_toStdout = false;
    s_sink = sink;
}

void Trace(const char* format, ...) {
    FILE* sink = Sink();
    if (sink == nullptr)
        return;
    va_list args;
    va_start(args, format);
    vfprintf(sink, format, args);
    va_end(args);
}

void TraceLine(const char* text) {
    FILE* sink = Sink();
    if (sink == nullptr)
        return;
    fputs(text, sink);
    fputc('\n', sink);
}
