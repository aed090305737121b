// The user's way to the 3G Send Settings page, and a look into the CFG.BIN it writes.
#pragma once

#include "GuiHarness.h"

#include "res/resource.h"
#include "sendset/SendSet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

namespace gui {

// The wizard's moves, each returning the page that opens (null when none came). The captions are
// those of the system's language.

// Main Setup ("3G Setup", after choosing the model if one is given) to page 1.
inline HWND OpenParamPage(App& app, const char* model = nullptr) {
    HWND main = app.Wait(WindowTitle("Setup"));
    if (main == nullptr)
        return nullptr;
    if (model != nullptr)
        Choose(app, main, IDC_MAIN_MODEL_LIST, model);
    Click(app, main, IDC_MAIN_3G_SETUP);
    return app.Wait(WindowTitle("3G Parameter Settings"));
}

inline HWND NextPage(App& app, HWND page1) {
    Click(app, page1, IDC_PARAM_NEXT_PAGE);
    return app.Wait(WindowTitle("3G Send Settings"));
}

inline HWND PreviousPage(App& app, HWND page2) {
    Click(app, page2, IDC_SEND_PREVIOUS_PAGE);
    return app.Wait(WindowTitle("3G Parameter Settings"));
}

// Page 1, where the send option is chosen, then "Next Page".
inline HWND OpenSendPage(App& app, const char* sendOption = nullptr, const char* model = nullptr) {
    HWND page1 = OpenParamPage(app, model);
    if (page1 == nullptr)
        return nullptr;
    if (sendOption != nullptr)
        Choose(app, page1, IDC_PARAM_SEND_OPTION, sendOption);
    return NextPage(app, page1);
}

// From page 2 back to page 1 and forward again; returns the new page 2.
inline HWND PreviousThenNext(App& app, HWND page2) {
    HWND page1 = PreviousPage(app, page2);
    return page1 != nullptr ? NextPage(app, page1) : nullptr;
}

// Puts a CFG.BIN built from the defaults plus edit into the save folder before the start.
inline std::function<void(const std::string&)> WithCfg(const std::function<void(SendSet&)>& edit) {
    return [edit](const std::string& folder) {
        SendSet rec;
        LoadSendSetDefaults(rec);
        edit(rec);
        ASSERT_TRUE(WriteSendSetTo(folder.c_str(), rec));
    };
}

// The record in a CFG.BIN as the camera reads it (bit 7 of byte 0 is the program's mark).
inline bool DecodeCfgFile(const std::string& path, SendSet& rec, bool* marked = nullptr) {
    std::vector<uint8_t> bytes = ReadFileBytes(path);
    if (bytes.size() != sizeof(SendSet))
        return false;
    DecodeCfgBuffer(bytes.data(), static_cast<int>(bytes.size()));
    if (marked != nullptr)
        *marked = (bytes[0] & IF_SEND_BY_APP_SET_FLG) != 0;
    bytes[0] &= static_cast<uint8_t>(~IF_SEND_BY_APP_SET_FLG);
    memcpy(&rec, bytes.data(), sizeof rec);
    return true;
}

inline std::string FieldText(const char* field, size_t capacity) {
    return std::string(field, strnlen(field, capacity));
}

} // namespace gui
