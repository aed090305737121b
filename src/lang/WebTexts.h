// The web page's own texts: its card folder controls, the notes on downloads and the messages
// of a card write that fails outside the core (the browser's folder refused it or the card was
// pulled). "%s" stands for a file name.
#pragma once

#include "lang/Texts.h"

#include <cstddef>

struct WebText {
    const char* key; // the page's name for the text
    TextPair text;
};

extern const WebText kWebTexts[];
extern const size_t kWebTextCount;
