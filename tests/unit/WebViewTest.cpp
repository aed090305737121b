// The web page's own texts, and the JSON strings it paints the forms' texts from.
#include "WebView.h"

#include "lang/WebTexts.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

namespace {

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Reads back a JSON string as UTF-8, with \uXXXX up to U+07FF (all JsonString writes).
std::string Unquote(const std::string& json) {
    std::string out;
    for (size_t i = 1; i + 1 < json.size(); ++i) {
        if (json[i] != '\\') {
            out += json[i];
        } else if (json[++i] != 'u') {
            out += json[i];
        } else {
            const unsigned v = std::stoul(json.substr(i + 1, 4), nullptr, 16);
            i += 4;
            if (v < 0x80) {
                out += static_cast<char>(v);
            } else {
                out += static_cast<char>(0xC0 | (v >> 6));
                out += static_cast<char>(0x80 | (v & 0x3F));
            }
        }
    }
    return out;
}

bool IsUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80         ? 1
                         : (c >> 5) == 6  ? 2
                         : (c >> 4) == 14 ? 3
                         : (c >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return false;
        }
        i += n;
    }
    return true;
}

} // namespace

TEST(WebTexts, EveryTextInBothLanguagesWithTheSameFileNamePlaces) {
    std::set<std::string> keys;
    for (size_t k = 0; k < kWebTextCount; ++k) {
        const WebText& t = kWebTexts[k];
        EXPECT_TRUE(keys.insert(t.key).second) << t.key;
        EXPECT_STRNE(t.text.text[0], "") << t.key;
        EXPECT_STRNE(t.text.text[1], "") << t.key;
        EXPECT_EQ(Count(t.text.text[0], "%s"), Count(t.text.text[1], "%s")) << t.key;
    }
}

// Any bytes an edit or a file may hold give a JSON string the page can take: valid UTF-8 without
// control characters; text that is UTF-8 reads back unchanged, any other byte as its Latin-1
// character.
TEST(WebView, JsonStringsOfRandomBytes) {
    std::mt19937 rng(21);
    const std::string pieces[] = {"a",    "\"", "\\", "\n",   "\r",
                                  "\x01", "中", "é",  "\xff", "\xe4\xb8"};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int n = rng() % 12; n > 0; --n)
            text += pieces[rng() % std::size(pieces)];
        const std::string json = JsonString(text);
        ASSERT_TRUE(IsUtf8(json)) << text;
        ASSERT_EQ(json.front(), '"');
        ASSERT_EQ(json.back(), '"');
        for (char c : json) {
            ASSERT_GE(static_cast<unsigned char>(c), 0x20) << text;
        }
        if (IsUtf8(text)) {
            ASSERT_EQ(Unquote(json), text);
        }
    }
    EXPECT_EQ(JsonString("\xff"), "\"\\u00ff\"");
}
