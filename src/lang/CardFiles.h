// What a file found on the card holds, said in a line the user can read: what it sets up, or why
// it cannot be used (then Generate replaces it). The bytes are decoded with the readers' own
// decoders and trusted in nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file of the card as the page found it.
struct CardFileNote {
    bool usable;      // the forms' first opening reads it
    std::string text; // in the current language
};

// The note on the card's file fileName (kSendSetFileName or kMenuFileName) of size bytes, of
// which bytes holds the first; present false: the card has none.
CardFileNote DescribeCardFile(const char* fileName, bool present, const uint8_t* bytes,
                              size_t size);

// Which of the two files an image is by its content alone (a copy a browser saved under another
// name): kSendSetFileName, kMenuFileName, or nullptr for neither.
const char* CameraFileOfImage(const uint8_t* bytes, size_t size);
