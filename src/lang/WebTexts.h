// The web page's own texts: its card folder controls, the notes on downloads and the messages
// of a card write that fails outside the core (the browser's folder refused it or the card was
// pulled), and the notes on the files found on the card. "%s" stands for a file name, or for
// the values a text names, in order.
#pragma once

#include "lang/Texts.h"

#include <cstddef>

struct WebText {
    const char* key; // the page's name for the text
    TextPair text;
};

extern const WebText kWebTexts[];
extern const size_t kWebTextCount;

// The notes on a file found on the card (CardFiles.h): what it sets up, or why it cannot be used.
extern const TextPair kTextCardSendsBy;    // file, send method, detail
extern const TextPair kTextCardRecipients; // the recipients
extern const TextPair kTextCardNoRecipient;
extern const TextPair kTextCardServer; // the FTP server
extern const TextPair kTextCardSim;    // the cloud's SIM card number
extern const TextPair kTextCardSendsNothing;
extern const TextPair kTextCardCaptures;      // file, capture mode
extern const TextPair kTextCardFormsRead;     // after what a usable file sets up
extern const TextPair kTextCardNoFile;        // file
extern const TextPair kTextCardEmpty;         // file
extern const TextPair kTextCardWrongSize;     // file, its size, the size it must have
extern const TextPair kTextCardNotCameraFile; // file
extern const TextPair kTextCardOtherFile;     // file, the file its bytes are
extern const TextPair kTextCardReplaced;      // after why a file cannot be used
