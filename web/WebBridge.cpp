// The web page's way into the core: the models of the four windows over the process-wide
// records, as the program runs them. The page forwards each user event here and paints the view
// that comes back as JSON: every control's text, items, selection, enabled and shown state, mask
// and limit, the message boxes to show and the file a command wrote. Every rule is the models';
// this file only moves between them and the page, and keeps the windows' order of opening.
//
// The card folder is /card in the in-memory file system: the page copies the user's CFG.BIN and
// menu.dat there when the user chooses the card, which starts the forms afresh on it, and takes a
// written file from there to the user's folder or a download.
#include "WebView.h"

#include "app/MainSetupModel.h"
#include "common/Trace.h"
#include "lang/CardFiles.h"
#include "lang/Texts.h"
#include "menu/CameraSetupModel.h"
#include "menu/MenuData.h"
#include "res/resource.h"
#include "sendset/SendSet.h"
#include "sendset/SendSetFields.h"
#include "wizard/GenerateChecks.h"
#include "wizard/ParamPageModel.h"
#include "wizard/SendPageModel.h"
#include "wizard/WizardEdits.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

const char kCardFolder[] = "/card";
const char kOpenedFile[] = "/card/opened"; // a file the user opened, before it is known

enum class Form { Main, Page1, Page2, Camera };

// Entries typed or chosen in the wizard's pages and in Camera Setup since the forms started on
// the card or last wrote their file.
bool s_sendSetEntries = false;
bool s_menuEntries = false;

Form s_form = Form::Main;
WebEvents s_events; // what the last event asks the page to show or do
std::string s_reply;

MainSetupModel& MainForm() {
    static MainSetupModel form;
    return form;
}

CameraSetupModel& CameraForm() {
    static CameraSetupModel form(g_sMenuData, SaveClock, true);
    return form;
}

std::tm LocalNow() {
    const std::time_t t = std::time(nullptr);
    std::tm local = {};
    localtime_r(&t, &local);
    return local;
}

ClockTime ClockNow() {
    const std::tm t = LocalNow();
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

GenerateClock GenerateNow() {
    const std::tm t = LocalNow();
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

bool Basic() {
    return IsBasicCameraModel(g_iCameraModel);
}

// The system's language id as the browser gives it: Chinese (PRC) for zh-CN only.
uint16_t LangIdOf(const char* browserLanguage) {
    const std::string l = browserLanguage != nullptr ? browserLanguage : "";
    return l == "zh-CN" || l == "zh-cn" ? 0x0804 : 0x0409;
}

void OpenMain() {
    s_form = Form::Main;
    MainForm().Open(0x0409, kCardFolder); // the language of a later opening stays as it is
}

void OpenPage1() {
    s_form = Form::Page1;
    Page1().Open([] { return ReadSendSetFile(0) == 1; }, Basic());
}

void OpenPage2() {
    s_form = Form::Page2;
    Page2().Open(Basic());
}

void TakePage2Corrections() {
    for (int n = Page2().TakeRangeWarnings(); n > 0; --n)
        s_events.Warn(kTextRangeWarning);
    if (const int id = Page2().TakeWholeSelection())
        s_events.SelectWhole(id);
}

void ShowCameraBox(CameraSetupBox box) {
    if (box == CameraSetupBox::None)
        return;
    if (CameraSetupBoxWarns(box))
        s_events.Warn(CameraSetupBoxText(box));
    else
        s_events.Notice(CameraSetupBoxText(box));
}

// A camera file written and read back in /card: the page takes it to the card from there, and
// shows the success box only when it is there as written.
void ShowCameraWrite(CameraSetupBox box) {
    if (box == CameraSetupBox::GenerateSuccess || box == CameraSetupBox::DefaultSuccess) {
        s_events.Wrote(kMenuFileName);
        s_menuEntries = false;
    }
    ShowCameraBox(box);
}

// Page 2's and Camera Setup's "Browse": the folder the page chose stands for /card.
void FolderChosen() {
    if (s_form == Form::Page2)
        Page2().SaveFolderChosen(kCardFolder);
    else if (s_form == Form::Camera)
        ShowCameraBox(CameraForm().ChooseSaveFolder(kCardFolder));
}

void PressMain(int id) {
    if (id == IDC_MAIN_CAMERA_SETUP) {
        s_form = Form::Camera;
        CameraForm().Open(ClockNow());
    } else if (id == IDC_MAIN_3G_SETUP) {
        OpenPage1();
    }
}

void PressPage2(int id) {
    if (id == IDC_SEND_PREVIOUS_PAGE) {
        // Page 2 and the page beneath it end; a fresh page 1 opens on the hand-over copy.
        Page2().PreviousPage();
        Page1().WindowGone();
        OpenPage1();
    } else if (id == IDC_SEND_GENERATE) {
        const GenerateOutcome done = Page2().Generate(GenerateNow());
        if (done.kind == GenerateOutcome::Refused) {
            s_events.Warn(GenerateMessage(done.message));
        } else if (done.kind == GenerateOutcome::Written) {
            s_events.Wrote(kSendSetFileName);
            s_events.Notice(kTextGenerateSuccess);
            s_sendSetEntries = false;
        }
    } else if (id == IDC_SEND_BROWSE) {
        FolderChosen();
    }
}

void PressCamera(int id) {
    if (id == IDC_CAMERA_GENERATE)
        ShowCameraWrite(CameraForm().Generate());
    else if (id == IDC_CAMERA_DEFAULT)
        ShowCameraWrite(CameraForm().Default());
    else if (id == IDC_CAMERA_BROWSE)
        FolderChosen();
}

// The keyboard a phone shows for an edit, from the record field behind it: numbers, a phone
// number, an e-mail address or a password (which the browser neither fills nor keeps).
const char* InputOfField(const char* name, bool masked) {
    const SendSetFieldLimit* f = name != nullptr ? FindSendSetFieldLimit(name) : nullptr;
    if (masked)
        return "password";
    if (f == nullptr)
        return "";
    const std::string n = name;
    if (n.find("Phone") != std::string::npos || n == "szRecp[0]" || n == "szRecp[1]" ||
        n.find("SimCard") != std::string::npos)
        return "tel";
    if (n.find("Email") != std::string::npos || n == "szRecp[2]" || n == "szRecp[3]" ||
        n == "sSmtpSet.szAddr")
        return "email";
    if (!f->text ||
        (f->allowed != nullptr && std::strspn(f->allowed, "0123456789") == std::strlen(f->allowed)))
        return "numeric";
    return "";
}

const char* FieldOf(const WizardEditField* fields, size_t count, int id) {
    for (size_t k = 0; k < count; ++k) {
        if (fields[k].id == id)
            return fields[k].field;
    }
    return nullptr;
}

const char* Page1InputOf(int id) {
    const char* field = Page1().FtpLayout() == FTP_EDIT_CLOUD
                            ? FieldOf(kCloudEditFields, kCloudEditFieldCount, id)
                            : nullptr;
    if (field == nullptr)
        field = FieldOf(kParamPageEditFields, kParamPageEditFieldCount, id);
    const auto& c = Page1().View().Controls();
    return InputOfField(field, c.count(id) != 0 && c.at(id).masked);
}

const char* Page2InputOf(int id) {
    return InputOfField(FieldOf(kSendPageEditFields, kSendPageEditFieldCount, id), false);
}

const char* Reply() {
    switch (s_form) {
    case Form::Main:
        s_reply = MainSetupJson(MainForm().View(), s_events);
        break;
    case Form::Page1:
        s_reply = DialogJson("page1", Page1().View(), s_events, Page1InputOf);
        break;
    case Form::Page2:
        TakePage2Corrections();
        s_reply = DialogJson("page2", Page2().View(), s_events, Page2InputOf);
        break;
    case Form::Camera:
        s_reply = CameraSetupJson(CameraForm().View(), s_events);
        break;
    }
    s_events = WebEvents();
    return s_reply.c_str();
}

// A file of the in-memory card; false when there is none.
bool ReadCardFile(const char* path, std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr)
        return false;
    uint8_t buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
    return true;
}

std::string CardFileJson(const char* file, const CardFileNote& note) {
    return std::string("{\"file\":") + JsonString(file) +
           ",\"usable\":" + (note.usable ? "true" : "false") +
           ",\"text\":" + JsonString(note.text) + "}";
}

// The trace in the page, when asked for: the console, without a password or secret.
ssize_t TraceWrite(void*, const char* data, size_t size) {
    static std::string line;
    for (size_t k = 0; k < size; ++k) {
        if (data[k] != '\n') {
            line += data[k];
            continue;
        }
        if (line.find("assword") != std::string::npos || line.find("Secret") != std::string::npos)
            line = line.substr(0, line.find_first_of("=:") + 1) + "(hidden)";
        std::printf("%s\n", line.c_str());
        line.clear();
    }
    return static_cast<ssize_t>(size);
}

} // namespace

extern "C" {

// The program starts: Main Setup's first opening, in the browser's language.
const char* CamStart(const char* browserLanguage) {
    mkdir(kCardFolder, 0777);
    s_form = Form::Main;
    MainForm().Open(LangIdOf(browserLanguage), kCardFolder);
    return Reply();
}

// The trace on (into the console, passwords hidden) or off; the page says which before it starts.
void CamTrace(int on) {
    static FILE* console = fopencookie(nullptr, "w", {nullptr, TraceWrite, nullptr, nullptr});
    if (console != nullptr)
        setvbuf(console, nullptr, _IONBF, 0);
    SetTraceSink(on != 0 ? console : nullptr);
}

// The user chose a card (its folder, or files opened from it), now in /card: the program starts
// again there, as when started in the card's folder. Every form ends; page 1 and Camera Setup
// read the card at their next opening, which is the run's first; Main Setup opens.
const char* CamStartOnCard() {
    Page1().StartRun();
    Page2().StartRun();
    CameraForm().StartRun();
    g_bNoRemoteCmd22 = 0;
    SaveClock = SaveClockData{};
    s_sendSetEntries = s_menuEntries = false;
    OpenMain();
    return Reply();
}

// Whether the forms hold entries not yet written to a file.
int CamHasEntries() {
    return s_sendSetEntries || s_menuEntries ? 1 : 0;
}

// The note on the card's file name (CFG.BIN or menu.dat) as it is in /card. A file the forms
// cannot read is taken out of /card: the forms start from their defaults.
const char* CamCardFile(const char* name) {
    const std::string path = std::string(kCardFolder) + "/" + name;
    std::vector<uint8_t> bytes;
    const bool present = ReadCardFile(path.c_str(), bytes);
    const CardFileNote note = DescribeCardFile(name, present, bytes.data(), bytes.size());
    if (!note.usable)
        std::remove(path.c_str());
    s_reply = CardFileJson(name, note);
    return s_reply.c_str();
}

// The file the user opened, in /card/opened: taken by its content for the card's CFG.BIN or
// menu.dat, whatever its name ({"file": ""} when it is neither).
const char* CamOpenedFile() {
    std::vector<uint8_t> bytes;
    ReadCardFile(kOpenedFile, bytes);
    const char* file = CameraFileOfImage(bytes.data(), bytes.size());
    if (file == nullptr) {
        std::remove(kOpenedFile);
        s_reply = CardFileJson("", CardFileNote{false, ""});
        return s_reply.c_str();
    }
    std::rename(kOpenedFile, (std::string(kCardFolder) + "/" + file).c_str());
    return CamCardFile(file);
}

// An item of a list chosen.
const char* CamChoose(int id, int item) {
    (s_form == Form::Camera ? s_menuEntries : s_sendSetEntries) |= s_form != Form::Main;
    switch (s_form) {
    case Form::Main:
        if (id == IDC_MAIN_MODEL_LIST)
            MainForm().ChooseModel(item);
        else if (id == IDC_MAIN_LANGUAGE_LIST)
            MainForm().ChooseLanguage(item);
        break;
    case Form::Page1:
        Page1().Choose(id, item);
        break;
    case Form::Page2:
        Page2().Choose(id, item);
        break;
    case Form::Camera:
        if (const int list = MenuListOfControl(id); list >= 0)
            CameraForm().Choose(static_cast<MenuList>(list), item, ClockNow());
        break;
    }
    return Reply();
}

// The text an edit holds after the user's typing. The page has no system code page to turn it
// into the record's bytes: it takes printable ASCII, which every code page spells alike (and
// camfile alone takes), and drops other characters as an edit filter drops a refused one.
const char* CamType(int id, const char* text) {
    std::string typed;
    for (const char* p = text != nullptr ? text : ""; *p != '\0'; ++p) {
        if (*p >= 0x20 && *p < 0x7F)
            typed += *p;
    }
    (s_form == Form::Camera ? s_menuEntries : s_sendSetEntries) |= s_form != Form::Main;
    if (s_form == Form::Page1) {
        Page1().TypeText(id, typed);
    } else if (s_form == Form::Page2) {
        Page2().TypeText(id, typed);
    } else if (s_form == Form::Camera) {
        if (const int edit = ClockEditOfControl(id); edit >= 0)
            CameraForm().TypeClockText(static_cast<ClockEdit>(edit), typed);
    }
    return Reply();
}

// An edit lost the keyboard focus.
const char* CamLeave(int id) {
    if (s_form == Form::Page2 && id == IDC_SEND_REMOTE_EMAIL) {
        Page2().LeaveRemoteEmail();
    } else if (s_form == Form::Camera) {
        if (const int edit = ClockEditOfControl(id); edit >= 0)
            CameraForm().LeaveClockEdit(static_cast<ClockEdit>(edit));
    }
    return Reply();
}

// A check box clicked into the state given.
const char* CamCheck(int id, int checked) {
    if (s_form == Form::Page2 && id == IDC_SEND_NO_REMOTE_CMD22) {
        Page2().SetNoRemoteCmd22(checked != 0);
        s_sendSetEntries = true;
    }
    return Reply();
}

// A button pressed.
const char* CamPress(int id) {
    switch (s_form) {
    case Form::Main:
        PressMain(id);
        break;
    case Form::Page1:
        if (id == IDC_PARAM_NEXT_PAGE) {
            Page1().NextPage();
            OpenPage2(); // page 1 lives on beneath it, hidden
        }
        break;
    case Form::Page2:
        PressPage2(id);
        break;
    case Form::Camera:
        PressCamera(id);
        break;
    }
    return Reply();
}

// The page chose a folder with the browser ("Browse"); it stands for the save folder.
const char* CamFolderChosen() {
    FolderChosen();
    return Reply();
}

// The close box: back to a new Main Setup.
const char* CamClose() {
    switch (s_form) {
    case Form::Main:
        return Reply(); // the program would end; the page stays
    case Form::Page1:
        Page1().Close();
        Page1().WindowGone();
        break;
    case Form::Page2:
        Page1().WindowGone();
        break;
    case Form::Camera:
        CameraForm().Close();
        break;
    }
    OpenMain();
    return Reply();
}

// The clock's one-second tick, while Camera Setup shows.
const char* CamTick() {
    if (s_form == Form::Camera)
        CameraForm().Tick(ClockNow());
    return Reply();
}

// The page's own texts in the current language.
const char* CamTexts() {
    s_reply = WebTextsJson();
    return s_reply.c_str();
}

} // extern "C"
