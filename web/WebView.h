// What the web page paints, as JSON: a form's controls by id (text, list items and selection,
// enabled, shown, masked, limit), its caption, the message boxes an event raised and the file it
// wrote.
#pragma once

#include "lang/Texts.h"
#include "wizard/DialogView.h"

#include <string>
#include <utility>
#include <vector>

// What an event asks the page to show besides the form: message boxes, in order, and the camera
// file it wrote into the card folder.
class WebEvents {
public:
    void Warn(const TextPair& text) { Box(kTextWarningCaption, text); }
    void Notice(const TextPair& text) { Box(kTextNoticeCaption, text); }
    void Wrote(const char* fileName) { wrote_ = fileName; }
    // The edit whose whole text the form selected, so the next key replaces it.
    void SelectWhole(int id) { selectWhole_ = id; }
    std::string Json() const;

private:
    void Box(const TextPair& caption, const TextPair& text);
    std::vector<std::pair<std::string, std::string>> boxes_; // caption, text
    std::string wrote_;
    int selectWhole_ = 0;
};

// The keyboard an edit wants on a phone ("numeric", "tel", "email", "password" or ""), by id.
using InputOf = const char* (*)(int id);

std::string DialogJson(const char* form, const DialogView& view, const WebEvents& events,
                       InputOf inputOf = nullptr);
// The page's own texts in the current language, {key: text}, with the message boxes' captions
// and the two files' names.
std::string WebTextsJson();

// A JSON string of text, which holds UTF-8 (a byte that is not part of a UTF-8 sequence stands
// for the Latin-1 character of that value).
std::string JsonString(const std::string& text);
