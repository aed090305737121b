// Printing a camera record field by field, as text for people or as JSON for scripts.
#pragma once

#include "CamFiles.h"

#include <cstdio>
#include <string>

// Text field bytes for a terminal: printable ASCII as it is, '"' and '\' escaped with a
// backslash, every other byte as \xNN.
std::string EscapeForDisplay(const std::string& bytes);

// A path for a message: its characters as they are where it is well-formed UTF-8 (every other
// byte, and control characters, as \xNN), so "相机卡/menu.dat" reads so.
std::string DisplayPath(const std::string& path);

// A JSON string literal, quotes included, always valid UTF-8. Bytes outside printable ASCII
// become \u00NN (the character with the byte's number, as if the text were Latin-1), so a
// record's code-page text comes through byte for byte; with keepUtf8 a text that is well-formed
// UTF-8 (such as a file path or a Chinese meaning) is kept as it is, and any other (an encoded
// surrogate, an overlong form, a code beyond U+10FFFF) has every byte above 0x7F escaped.
std::string JsonString(const std::string& bytes, bool keepUtf8 = false);

void PrintRecordText(FILE* out, const std::string& path, const LoadedFile& file);
void PrintRecordJson(FILE* out, const std::string& path, const LoadedFile& file);
