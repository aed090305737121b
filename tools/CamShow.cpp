#include "CamShow.h"

#include <cstdint>

namespace {

// Well-formed UTF-8 as Unicode defines it: no overlong forms (C0, C1, E0 80..9F, F0 80..8F), no
// encoded surrogates (ED A0..BF) and nothing above U+10FFFF (F4 90.., F5..FF).
bool IsValidUtf8(const std::string& s) {
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t extra = 0;
        unsigned char low = 0x80, high = 0xBF; // the range of the second byte
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            low = c == 0xE0 ? 0xA0 : 0x80;
            high = c == 0xED ? 0x9F : 0xBF;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (extra > s.size() - i - 1)
            return false;
        const unsigned char second = static_cast<unsigned char>(s[i + 1]);
        if (second < low || second > high)
            return false;
        for (size_t k = 2; k <= extra; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += extra + 1;
    }
    return true;
}

std::string FieldValueText(const CamRecord& rec, const FieldInfo& field) {
    if (field.kind == FieldKind::Text)
        return "\"" + EscapeForDisplay(GetText(rec, field)) + "\"";
    return std::to_string(GetNumber(rec, field));
}

// "read as 0 (0 file names)" when the program reads the field otherwise than stored, else empty.
std::string ReadAsText(const LoadedFile& file, const FieldInfo& field) {
    if (field.kind == FieldKind::Text)
        return "";
    const long readAs = GetNumber(file.read, field);
    if (readAs == GetNumber(file.rec, field))
        return "";
    const std::string meaning = DescribeValue(file.read, field);
    return "read as " + std::to_string(readAs) + (meaning.empty() ? "" : " (" + meaning + ")");
}

// A byte that cannot be shown as it is, as "\xNN".
void AppendByteEscape(std::string& out, unsigned char c) {
    static const char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
}

} // namespace

std::string EscapeForDisplay(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c <= 0x7E) {
            out += static_cast<char>(c);
        } else {
            AppendByteEscape(out, c);
        }
    }
    return out;
}

std::string DisplayPath(const std::string& path) {
    const bool utf8 = IsValidUtf8(path);
    std::string out;
    for (unsigned char c : path) {
        if ((c >= 0x20 && c <= 0x7E) || (c >= 0x80 && utf8))
            out += static_cast<char>(c);
        else
            AppendByteEscape(out, c);
    }
    return out;
}

std::string JsonString(const std::string& bytes, bool keepUtf8) {
    static const char kHex[] = "0123456789abcdef";
    const bool rawHigh = keepUtf8 && IsValidUtf8(bytes);
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if ((c >= 0x20 && c <= 0x7E) || (c >= 0x80 && rawHigh)) {
            out += static_cast<char>(c);
        } else {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    return out + "\"";
}

void PrintRecordText(FILE* out, const std::string& path, const LoadedFile& file) {
    const CamRecord& rec = file.rec;
    fprintf(out, "%s: %s, %d bytes", CamFileName(rec.type), DisplayPath(path).c_str(), file.size);
    if (rec.type == CamFileType::Cfg)
        fprintf(out, ", IF_SEND_BY_APP_SET_FLG=%d", file.appSetFlag ? 1 : 0);
    fputc('\n', out);
    for (const FieldInfo& field : FieldsOf(rec.type)) {
        const std::string value = FieldValueText(rec, field);
        std::string meaning = DescribeValue(rec, field);
        const std::string readAs = ReadAsText(file, field);
        if (!readAs.empty())
            meaning += (meaning.empty() ? "" : "; ") + readAs;
        if (meaning.empty())
            fprintf(out, "  %-26s %s\n", field.name.c_str(), value.c_str());
        else
            fprintf(out, "  %-26s %-5s  %s\n", field.name.c_str(), value.c_str(), meaning.c_str());
    }
}

void PrintRecordJson(FILE* out, const std::string& path, const LoadedFile& file) {
    const CamRecord& rec = file.rec;
    fprintf(out, "{\n  \"file\": %s,\n  \"type\": %s,\n  \"size\": %d,\n",
            JsonString(path, true).c_str(), JsonString(CamFileName(rec.type)).c_str(), file.size);
    if (rec.type == CamFileType::Cfg)
        fprintf(out, "  \"appSetFlag\": %s,\n", file.appSetFlag ? "true" : "false");
    fputs("  \"fields\": {", out);
    const char* separator = "\n";
    for (const FieldInfo& field : FieldsOf(rec.type)) {
        std::string value = field.kind == FieldKind::Text ? JsonString(GetText(rec, field))
                                                          : std::to_string(GetNumber(rec, field));
        fprintf(out, "%s    %s: {\"value\": %s", separator, JsonString(field.name).c_str(),
                value.c_str());
        const std::string meaning = DescribeValue(rec, field);
        if (!meaning.empty())
            fprintf(out, ", \"meaning\": %s", JsonString(meaning, true).c_str());
        if (!ReadAsText(file, field).empty()) {
            fprintf(out, ", \"readAs\": %ld", GetNumber(file.read, field));
            const std::string readMeaning = DescribeValue(file.read, field);
            if (!readMeaning.empty())
                fprintf(out, ", \"readAsMeaning\": %s", JsonString(readMeaning, true).c_str());
        }
        fputc('}', out);
        separator = ",\n";
    }
    fputs("\n  }\n}\n", out);
}
