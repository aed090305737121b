#include "TempDir.h"

#include "app/MainSetupModel.h"
#include "common/SavePath.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

// Each row: the events after the first opening and what the window then shows and the process
// holds, as before.
TEST(MainSetupModel, EachEventInEachStateShowsWhatTheWindowDid) {
    enum Kind { Reopen, Model, Language };
    const struct {
        const char* what;
        uint16_t systemLangId;
        std::vector<std::pair<Kind, int>> events;
        int language;
        int model;
        bool basic;
    } rows[] = {
        {"an English system", 0x0409, {}, UI_LANG_ENGLISH, 0, false},
        {"a Chinese (PRC) system", 0x0804, {}, UI_LANG_CHINESE, 0, false},
        {"Taiwan's Chinese is not", 0x0404, {}, UI_LANG_ENGLISH, 0, false},
        {"a basic model", 0x0409, {{Model, 1}}, UI_LANG_ENGLISH, 1, true},
        {"the other basic model", 0x0409, {{Model, 3}}, UI_LANG_ENGLISH, 3, true},
        {"a full model", 0x0409, {{Model, 3}, {Model, 2}}, UI_LANG_ENGLISH, 2, false},
        {"Chinese chosen", 0x0409, {{Language, 0}}, UI_LANG_CHINESE, 0, false},
        {"English chosen", 0x0804, {{Language, 1}}, UI_LANG_ENGLISH, 0, false},
        {"a reopening keeps the choices",
         0x0409,
         {{Model, 1}, {Language, 0}, {Reopen, 0}},
         UI_LANG_CHINESE,
         1,
         true},
    };
    TempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        g_iCameraModel = 0;
        MainSetupModel form;
        form.Open(row.systemLangId, dir.path().c_str());
        for (const auto& e : row.events) {
            if (e.first == Reopen)
                form.Open(0x0804 ^ row.systemLangId, "/elsewhere"); // not read again
            else if (e.first == Model)
                form.ChooseModel(e.second);
            else
                form.ChooseLanguage(e.second);
        }
        const DialogView& v = form.View();
        EXPECT_EQ(g_iLanguage, row.language);
        EXPECT_EQ(v.ListSel(IDC_MAIN_LANGUAGE_LIST), row.language);
        EXPECT_EQ(v.ListSel(IDC_MAIN_MODEL_LIST), row.model);
        EXPECT_EQ(g_iCameraModel, row.model);
        EXPECT_EQ(IsBasicCameraModel(g_iCameraModel), row.basic);
        EXPECT_EQ(std::string(g_szSavePath), dir.path());
        EXPECT_EQ(v.ListCount(IDC_MAIN_MODEL_LIST), CAMERA_MODEL_COUNT);
        EXPECT_EQ(v.At(IDC_MAIN_LANGUAGE_LIST).items,
                  (std::vector<std::string>{"中文", "English"}));
        EXPECT_EQ(v.caption, row.language == 0 ? "设置" : "Setup");
        EXPECT_EQ(v.Text(IDC_MAIN_3G_SETUP), row.language == 0 ? "3G设置" : "3G Setup");
        EXPECT_EQ(v.Text(IDC_MAIN_VERSION), kVersionText);
    }
    MainSetupModel form;
    // A folder too long for the save folder leaves it as it was.
    form.Open(0x0409, std::string(300, 'x').c_str());
    EXPECT_EQ(std::string(g_szSavePath), dir.path());
    g_iLanguage = UI_LANG_ENGLISH;
}
