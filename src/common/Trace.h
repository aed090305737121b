// The program's diagnostic trace: one sink for every line the core and the windows print.
// Standard output unless a program chooses another stream or none (the command-line companion
// keeps its standard output for what it means to say).
#pragma once

#include <cstdio>

#if defined(__GNUC__)
#define TRACE_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define TRACE_FORMAT(f, a)
#endif

// The stream the trace goes to from now on; nullptr drops it.
void SetTraceSink(FILE* sink);

// printf-style output to the sink.
void Trace(const char* format, ...) TRACE_FORMAT(1, 2);

// A line of text and a line end, as puts writes it.
void TraceLine(const char* text);
