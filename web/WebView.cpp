#include "WebView.h"

#include "lang/WebTexts.h"
#include "menu/MenuData.h"
#include "sendset/SendSet.h"

#include <cstdio>

namespace {

// The length of the UTF-8 sequence starting at text[i], 0 when it is none.
size_t Utf8SequenceAt(const std::string& text, size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > text.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2)
            return 0;
    }
    return n;
}

void Hex4(std::string& out, unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", v);
    out += buf;
}

std::string Bool(bool b) {
    return b ? "true" : "false";
}

std::string ControlJson(const ControlView& c, const char* input) {
    std::string out = "{\"text\":" + JsonString(c.text);
    if (input != nullptr && *input != '\0')
        out += ",\"input\":\"" + std::string(input) + "\"";
    if (c.kind == ControlKind::List) {
        out += ",\"items\":[";
        for (size_t k = 0; k < c.items.size(); ++k)
            out += (k ? "," : "") + JsonString(c.items[k]);
        out += "]";
    }
    out += ",\"sel\":" + std::to_string(c.sel) + ",\"enabled\":" + Bool(c.enabled) +
           ",\"shown\":" + Bool(c.shown) + ",\"masked\":" + Bool(c.masked) +
           ",\"limit\":" + std::to_string(c.limit) + "}";
    return out;
}

} // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t n = Utf8SequenceAt(text, i);
        if (n == 0) {
            Hex4(out, c);
            ++i;
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
            ++i;
        } else if (c < 0x20) {
            Hex4(out, c);
            ++i;
        } else {
            out.append(text, i, n);
            i += n;
        }
    }
    return out + "\"";
}

void WebEvents::Box(const TextPair& caption, const TextPair& text) {
    boxes_.emplace_back(caption.Get(), text.Get());
}

std::string WebEvents::Json() const {
    std::string out = "\"boxes\":[";
    for (size_t k = 0; k < boxes_.size(); ++k) {
        out += (k ? "," : "") + std::string("{\"caption\":") + JsonString(boxes_[k].first) +
               ",\"text\":" + JsonString(boxes_[k].second) + "}";
    }
    return out + "],\"wrote\":" + JsonString(wrote_) +
           ",\"selectWhole\":" + std::to_string(selectWhole_);
}

std::string DialogJson(const char* form, const DialogView& view, const WebEvents& events,
                       InputOf inputOf) {
    std::string out = std::string("{\"form\":\"") + form +
                      "\",\"lang\":" + std::to_string(g_iLanguage) +
                      ",\"caption\":" + JsonString(view.caption) + ",\"controls\":{";
    bool first = true;
    for (const auto& [id, control] : view.Controls()) {
        out += (first ? "\"" : ",\"") + std::to_string(id) + "\":" +
               ControlJson(control,
                           control.kind == ControlKind::Edit && inputOf ? inputOf(id) : nullptr);
        first = false;
    }
    return out + "}," + events.Json() + "}";
}

std::string WebTextsJson() {
    std::string out = "{\"warningCaption\":" + JsonString(kTextWarningCaption.Get()) +
                      ",\"noticeCaption\":" + JsonString(kTextNoticeCaption.Get()) +
                      ",\"cfgFile\":" + JsonString(kSendSetFileName) +
                      ",\"menuFile\":" + JsonString(kMenuFileName);
    for (size_t k = 0; k < kWebTextCount; ++k) {
        out += ",\"" + std::string(kWebTexts[k].key) + "\":" + JsonString(kWebTexts[k].text.Get());
    }
    return out + "}";
}
