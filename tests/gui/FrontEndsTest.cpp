// The two front ends side by side: what the dialogs show and write against what camfile.exe, the
// command-line companion built beside this test program, lists and writes.
#include "CameraSetupSteps.h"
#include "GuiHarness.h"
#include "SendPageSteps.h"

#include "lang/OptionLists.h"
#include "menu/MenuData.h"
#include "sendset/SendSetFields.h"
#include "res/resource.h"
#include "ui/ControlsWin.h"
#include "wizard/WizardEdits.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

using namespace gui;

namespace {

// The list texts camfile fields prints under a field: "0 Close 3G, 1 MMS, ..." without values.
std::vector<std::string> FieldItems(const std::string& listing, const std::string& field) {
    std::istringstream in(listing);
    std::string line;
    std::vector<std::string> items;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') // a Windows console program's line end
            line.pop_back();
        if (line.compare(0, field.size() + 3, "  " + field + " ") != 0)
            continue;
        if (!std::getline(in, line) || line.compare(0, 31, std::string(31, ' ')) != 0)
            return items;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string rest = line.substr(31);
        size_t start = 0;
        while (start <= rest.size()) {
            size_t end = rest.find(", ", start);
            const std::string item = rest.substr(start, end - start);
            items.push_back(item.substr(item.find(' ') + 1)); // after the stored value
            if (end == std::string::npos)
                break;
            start = end + 2;
        }
        return items;
    }
    return items;
}

std::vector<std::string> TableItems(OptionList list) {
    std::vector<std::string> items;
    const int language = SystemIsChinese() ? UI_LANG_CHINESE : UI_LANG_ENGLISH;
    for (int k = 0; k < OptionCount(list); ++k)
        items.push_back(OptionText(list, k, language));
    return items;
}

// A list of a window, the table it shows and the field camfile gives its items with (or none).
struct ShownList {
    int id;
    OptionList list;
    const char* field;
};

const ShownList kCameraSetupLists[] = {
    {IDC_CAMERA_MODE, OptionList::CaptureMode, "CapMode"},
    {IDC_CAMERA_IMAGE_SIZE, OptionList::PictureSize, "ImgSize"},
    {IDC_CAMERA_VIDEO_SIZE, OptionList::VideoSize, "VideoSize"},
    {IDC_CAMERA_PICTURE_NUMBER, OptionList::PictureNumber, "PicNum"},
    {IDC_CAMERA_TIME_STAMP, OptionList::OnOff, "TimeStamp"},
    {IDC_CAMERA_SENSE_LEVEL, OptionList::SenseLevel, "SenseLevel"},
    {IDC_CAMERA_SIDE_PIR, OptionList::OffOn, "SidePir"},
    {IDC_CAMERA_VIDEO_LENGTH, OptionList::VideoLength, nullptr},
    {IDC_CAMERA_INTERVAL_COUNT, OptionList::IntervalCount, nullptr},
    {IDC_CAMERA_INTERVAL_UNIT, OptionList::IntervalUnit, nullptr},
    {IDC_CAMERA_DATE_FORMAT, OptionList::DateFormat, "DateFormat"},
    {IDC_CAMERA_BEEP_SOUND, OptionList::OffOn, "BeepSound"},
    {IDC_CAMERA_SD_CYCLE, OptionList::OffOn, "SdCycle"},
    {IDC_CAMERA_LANGUAGE, OptionList::CameraLanguage, "Language"},
    {IDC_CAMERA_CLOCK_MODE, OptionList::ClockMode, "ClockMode"},
    {IDC_CAMERA_TIMER1, OptionList::OffOn, "Timer1On"},
    {IDC_CAMERA_TIMER1_START_HOUR, OptionList::Hour, nullptr},
    {IDC_CAMERA_TIMER1_START_MIN, OptionList::Minute, nullptr},
    {IDC_CAMERA_TIMER1_END_HOUR, OptionList::Hour, nullptr},
    {IDC_CAMERA_TIMER1_END_MIN, OptionList::Minute, nullptr},
    {IDC_CAMERA_TIMER2, OptionList::OffOn, "Timer2On"},
    {IDC_CAMERA_TIMER2_START_HOUR, OptionList::Hour, nullptr},
    {IDC_CAMERA_TIMER2_START_MIN, OptionList::Minute, nullptr},
    {IDC_CAMERA_TIMER2_END_HOUR, OptionList::Hour, nullptr},
    {IDC_CAMERA_TIMER2_END_MIN, OptionList::Minute, nullptr},
    {IDC_CAMERA_SERIAL, OptionList::OffOn, "SerialOn"},
    {IDC_CAMERA_SERIAL_CHAR1, OptionList::SerialChar, nullptr},
    {IDC_CAMERA_SERIAL_CHAR4, OptionList::SerialChar, nullptr},
    {IDC_CAMERA_TIME_LAPSE, OptionList::OnOff, "TimeLapse"},
    {IDC_CAMERA_TIME_LAPSE_HOUR, OptionList::Hour, nullptr},
    {IDC_CAMERA_TIME_LAPSE_MIN, OptionList::Minute, nullptr},
    {IDC_CAMERA_TIME_LAPSE_SEC, OptionList::Minute, nullptr},
};

const ShownList kParamPageLists[] = {
    {IDC_PARAM_SEND_OPTION, OptionList::SendOption, "bySendBy"},
    {IDC_PARAM_MODE, OptionList::ParamMode, nullptr},
    {IDC_PARAM_FTP_DIR_TYPE, OptionList::FtpDirType, "sFtpSet.iFtpDirType"},
    {IDC_PARAM_MMS_APN_KIND, OptionList::ApnKind, nullptr},
};

const ShownList kSendPageLists[] = {
    {IDC_SEND_LONGITUDE_DIR, OptionList::LongitudeDir, "sLongitude.byDir"},
    {IDC_SEND_LATITUDE_DIR, OptionList::LatitudeDir, "sLatitude.byDir"},
    {IDC_SEND_IMAGE_SIZE, OptionList::SendImageSize, "bySendImgSize"},
    {IDC_SEND_MODE, OptionList::SendMode, "bySendMode"},
    {IDC_SEND_DAILY_TIME, OptionList::DailySendTime, "byDailySendTime"},
    {IDC_SEND_REMOTE_INTERVAL, OptionList::RemoteInterval, "byRemoteInterval"},
};

template <size_t N>
void ExpectListsAsCamfileListsThem(HWND dlg, const ShownList (&lists)[N],
                                   const std::string& listing) {
    for (const ShownList& l : lists) {
        const std::vector<std::string> shown = Items(dlg, l.id);
        EXPECT_EQ(shown, TableItems(l.list)) << l.id;
        if (l.field == nullptr)
            continue;
        std::vector<std::string> listed = FieldItems(listing, l.field);
        // camfile may take a value beyond the list (byDailySendTime 24, "Not Set").
        ASSERT_GE(listed.size(), shown.size()) << l.field << "\n" << listing;
        listed.resize(shown.size());
        EXPECT_EQ(shown, listed) << l.field;
    }
}

// Every list of the three forms shows the items of the one table, and camfile fields lists the
// same texts for the field the list stores into, in the system's language.
void CheckEveryList() {
    App app;
    const char* lang = SystemIsChinese() ? "zh" : "en";
    const CamfileRun fields =
        RunCamfile({"fields", "--lang", lang}, app.Folder() + "\\camfile-out.txt");
    ASSERT_EQ(fields.status, 0) << fields.out;

    HWND camera = OpenCameraSetup(app);
    ASSERT_NE(camera, nullptr);
    ExpectListsAsCamfileListsThem(camera, kCameraSetupLists, fields.out);
    app.Close(camera);

    HWND page1 = OpenParamPage(app);
    ASSERT_NE(page1, nullptr);
    ExpectListsAsCamfileListsThem(page1, kParamPageLists, fields.out);
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    ExpectListsAsCamfileListsThem(page2, kSendPageLists, fields.out);
}

} // namespace

TEST(FrontEnds, EveryListShowsWhatCamfileFieldsLists) {
    CheckEveryList();
}

TEST(FrontEnds, EveryListShowsWhatCamfileFieldsListsChinese) {
    CheckEveryList();
}

namespace {

void ExpectEditLimits(HWND dlg, const WizardEditField* edits, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const WizardEditField& e = edits[i];
        const SendSetFieldLimit* limit = FindSendSetFieldLimit(e.field);
        ASSERT_NE(limit, nullptr) << e.field;
        EXPECT_EQ(TextLimit(dlg, e.id), limit->editChars) << e.field;
    }
}

} // namespace

// The wizard's edits take as many characters as the table camfile checks texts with says.
TEST(FrontEnds, WizardEditsTakeTheLimitsOfTheOneTable) {
    App app;
    HWND page1 = OpenParamPage(app);
    ASSERT_NE(page1, nullptr);
    ExpectEditLimits(page1, kParamPageEditFields, kParamPageEditFieldCount);
    Choose(app, page1, IDC_PARAM_SEND_OPTION, "QOR Camera Cloud System");
    ExpectEditLimits(page1, kCloudEditFields, kCloudEditFieldCount);
    HWND page2 = NextPage(app, page1);
    ASSERT_NE(page2, nullptr);
    ExpectEditLimits(page2, kSendPageEditFields, kSendPageEditFieldCount);
}

namespace {

// The user's choices in Camera Setup, and the same choices as camfile assignments.
struct MenuChoice {
    int id;
    const char* item;
    const char* assignment;
};

const MenuChoice kMenuChoices[] = {
    {IDC_CAMERA_MODE, "Camera+Video", "CapMode=Camera+Video"},
    {IDC_CAMERA_VIDEO_SIZE, "VGA", "VideoSize=VGA"},
    {IDC_CAMERA_PICTURE_NUMBER, "03 Photos", "PicNum=03 Photos"},
    {IDC_CAMERA_TIME_STAMP, "Off", "TimeStamp=Off"},
    {IDC_CAMERA_SENSE_LEVEL, "Low", "SenseLevel=Low"},
    {IDC_CAMERA_VIDEO_LENGTH, "30", "VideoLen=30s"},
    {IDC_CAMERA_INTERVAL_COUNT, "45", "Interval=45s"},
    {IDC_CAMERA_INTERVAL_UNIT, "Sec", nullptr},
    {IDC_CAMERA_DATE_FORMAT, "YYMMDD", "DateFormat=YYMMDD"},
    {IDC_CAMERA_LANGUAGE, "German", "Language=German"},
    {IDC_CAMERA_TIMER1, "On", "Timer1On=On"},
    {IDC_CAMERA_TIMER1_START_HOUR, "6", "Timer1StartHour=6"},
    {IDC_CAMERA_TIMER1_END_MIN, "30", "Timer1EndMin=30"},
    {IDC_CAMERA_SERIAL, "On", "SerialOn=On"},
    {IDC_CAMERA_SERIAL_CHAR1, "A", "Serial=AB12"},
    {IDC_CAMERA_SERIAL_CHAR2, "B", nullptr},
    {IDC_CAMERA_SERIAL_CHAR3, "1", nullptr},
    {IDC_CAMERA_SERIAL_CHAR4, "2", nullptr},
    {IDC_CAMERA_TIME_LAPSE, "On", "TimeLapse=On"},
    {IDC_CAMERA_TIME_LAPSE_MIN, "15", "TimeLapseMin=15"},
};

const int kClockEditIds[6] = {IDC_CAMERA_YEAR, IDC_CAMERA_MONTH,  IDC_CAMERA_DAY,
                              IDC_CAMERA_HOUR, IDC_CAMERA_MINUTE, IDC_CAMERA_SECOND};

// Makes menu.dat through Camera Setup and through "camfile set --new" from the same choices in a
// clock mode; with a typed clock in Input mode. Returns both files.
void MakeBothWays(const char* clockMode, const char* const clock[6],
                  std::vector<uint8_t>* dialogFile, std::vector<uint8_t>* camfileFile) {
    App app;
    HWND dlg = OpenCameraSetup(app);
    ASSERT_NE(dlg, nullptr);
    std::vector<std::string> args = {"set", "--new", app.Folder() + "\\cli\\menu.dat"};
    for (const MenuChoice& c : kMenuChoices) {
        Choose(app, dlg, c.id, c.item);
        if (c.assignment != nullptr)
            args.push_back(c.assignment);
    }
    Choose(app, dlg, IDC_CAMERA_CLOCK_MODE, clockMode);
    args.push_back(std::string("ClockMode=") + clockMode);
    if (clock != nullptr) {
        const char* const names[6] = {"Year", "Month", "Day", "Hour", "Minute", "Second"};
        for (int k = 0; k < 6; ++k) {
            Type(app, dlg, kClockEditIds[k], clock[k]);
            LeaveEdit(app, dlg, kClockEditIds[k]);
            args.push_back(std::string(names[k]) + "=" + clock[k]);
        }
    }
    Click(app, dlg, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    *dialogFile = ReadFileBytes(app.FilePath("menu.dat"));

    ASSERT_TRUE(CreateDirectoryW(Utf8ToWide((app.Folder() + "\\cli").c_str()).c_str(), nullptr));
    const CamfileRun run = RunCamfile(args, app.Folder() + "\\camfile-out.txt");
    ASSERT_EQ(run.status, 0) << run.out;
    *camfileFile = ReadFileBytes(app.Folder() + "\\cli\\menu.dat");
}

} // namespace

// In Auto mode both take this computer's time when they write: the files differ in the clock only.
TEST(CameraSetupParity, AutoClockGivesTheSameMenuButTheTimeOfDay) {
    std::vector<uint8_t> dialog, cli;
    MakeBothWays("Auto", nullptr, &dialog, &cli);
    ASSERT_EQ(dialog.size(), static_cast<size_t>(MENU_DATA_SIZE));
    ASSERT_EQ(cli.size(), dialog.size());
    for (size_t i = 0; i < dialog.size(); ++i) {
        if (i >= offsetof(MenuData, Year) && i <= offsetof(MenuData, Second))
            continue;
        EXPECT_EQ(dialog[i], cli[i]) << "byte " << i;
    }
    MenuData rec;
    DecodeCfgBuffer(dialog.data(), MENU_DATA_SIZE);
    memcpy(&rec, dialog.data(), sizeof rec);
    EXPECT_EQ(rec.ClockMode, 0);
    EXPECT_EQ(rec.Interval, 0x80 | 45);
    EXPECT_EQ(rec.Serial[1], 11);
}

TEST(CameraSetupParity, TypedClockGivesTheSameFile) {
    const char* const clock[6] = {"2031", "2", "28", "23", "5", "59"};
    std::vector<uint8_t> dialog, cli;
    MakeBothWays("Input", clock, &dialog, &cli);
    ASSERT_EQ(dialog.size(), static_cast<size_t>(MENU_DATA_SIZE));
    EXPECT_EQ(dialog, cli);
}

TEST(CameraSetupParity, ClockOffGivesTheSameFile) {
    std::vector<uint8_t> dialog, cli;
    MakeBothWays("Off", nullptr, &dialog, &cli);
    ASSERT_EQ(dialog.size(), static_cast<size_t>(MENU_DATA_SIZE));
    EXPECT_EQ(dialog, cli);
}
