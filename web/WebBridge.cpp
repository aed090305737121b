// The web page's way into the core: the program's model (AppModel) over the process-wide records.
// The page forwards each user event here, which hands it to the model as an AppEvent, and paints
// the reply: the open window's view as JSON (every control's text, items, selection, enabled and
// shown state, mask and limit), the message boxes to show and the file a command wrote. Every
// rule and the windows' order are the model's; this file only translates.
//
// The card is file images in memory (the page has no file system): the page hands over the user's
// CFG.BIN and menu.dat when the user chooses the card, which starts the forms afresh on it, and
// takes a written file from there to the user's folder or a download.
#include "WebView.h"

#include "app/AppModel.h"
#include "app/MainSetupModel.h"
#include "common/Trace.h"
#include "lang/CardFiles.h"
#include "lang/Texts.h"
#include "menu/CameraSetupModel.h"
#include "menu/MenuData.h"
#include "res/resource.h"
#include "sendset/Card.h"
#include "sendset/SendSet.h"
#include "sendset/SendSetFields.h"
#include "wizard/GenerateChecks.h"
#include "wizard/ParamPageModel.h"
#include "wizard/SendPageModel.h"
#include "wizard/WizardEdits.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

const char kCardFolder[] = "/card"; // the save folder's name in the core

std::string s_reply;
MemoryCard s_card;
std::vector<uint8_t> s_bytes; // a file's bytes, as the page hands them over

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

AppModel& App() {
    static AppModel app(AppInputs{ClockNow, &s_card});
    return app;
}

// The system's language id as the browser gives it: Chinese (PRC) for zh-CN only.
uint16_t LangIdOf(const char* browserLanguage) {
    const std::string l = browserLanguage != nullptr ? browserLanguage : "";
    return l == "zh-CN" || l == "zh-cn" ? 0x0804 : 0x0409;
}

// The keyboard a phone shows for an edit, from the record field behind it: numbers, a phone
// number, an e-mail address or a password (which the browser neither fills nor keeps).
const char* InputOfField(const char* name, bool masked) {
    const SendSetFieldLimit* f = name != nullptr ? FindSendSetFieldLimit(name) : nullptr;
    if (masked)
        return "password";
    if (f == nullptr)
        return "";
    switch (f->input) {
    case FieldInput::Phone:
        return "tel";
    case FieldInput::Email:
        return "email";
    case FieldInput::Digits:
        return "numeric";
    case FieldInput::Text:
        break;
    }
    return f->text ? "" : "numeric";
}

const char* FieldOf(const WizardEditField* fields, size_t count, int id) {
    for (size_t k = 0; k < count; ++k) {
        if (fields[k].id == id)
            return fields[k].field;
    }
    return nullptr;
}

const char* Page1InputOf(int id) {
    const char* field = App().ParamPage().FtpLayout() == FTP_EDIT_CLOUD
                            ? FieldOf(kCloudEditFields, kCloudEditFieldCount, id)
                            : nullptr;
    if (field == nullptr)
        field = FieldOf(kParamPageEditFields, kParamPageEditFieldCount, id);
    const auto& c = App().ParamPage().View().Controls();
    return InputOfField(field, c.count(id) != 0 && c.at(id).masked);
}

const char* Page2InputOf(int id) {
    return InputOfField(FieldOf(kSendPageEditFields, kSendPageEditFieldCount, id), false);
}

const char* Reply(const AppEffects& fx) {
    WebEvents events;
    for (const AppBox& box : fx.boxes) {
        if (box.warning)
            events.Warn(*box.text);
        else
            events.Notice(*box.text);
    }
    if (fx.wrote != nullptr)
        events.Wrote(fx.wrote);
    events.SelectWhole(fx.selectWhole);
    const AppModel& app = App();
    switch (app.Window()) {
    case AppWindow::MainSetup:
        s_reply = DialogJson("main", app.View(), events);
        break;
    case AppWindow::ParamPage:
        s_reply = DialogJson("page1", app.View(), events, Page1InputOf);
        break;
    case AppWindow::SendPage:
        s_reply = DialogJson("page2", app.View(), events, Page2InputOf);
        break;
    case AppWindow::CameraSetup: // the clock edits take digits only
        s_reply = DialogJson("camera", app.View(), events,
                             [](int id) { return ClockEditOfControl(id) >= 0 ? "numeric" : ""; });
        break;
    }
    return s_reply.c_str();
}

const char* Reply(AppEventKind kind, int id = 0, int item = 0, const std::string& text = "") {
    return Reply(App().Handle(AppEvent{kind, id, item, text}));
}

std::string CardFileJson(const char* file, const CardFileNote& note) {
    return std::string("{\"file\":") + JsonString(file) +
           ",\"usable\":" + (note.usable ? "true" : "false") +
           ",\"text\":" + JsonString(note.text) + "}";
}

// A file of the card as the page found it, kept by the position of its note on the page, so that
// the note can be said again in another language once the file has left the card or been replaced.
struct FoundCardFile {
    std::string name;
    bool present = false;
    size_t size = 0;
    std::vector<uint8_t> head; // its first bytes, as many as the larger camera file has
};

std::vector<FoundCardFile> s_found;

CardFileNote DescribeFound(const FoundCardFile& f) {
    return DescribeCardFile(f.name.c_str(), f.present, f.head.data(), f.size);
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
    return Reply(App().Start(LangIdOf(browserLanguage), kCardFolder));
}

// The trace on (into the console, passwords hidden) or off; the page says which before it starts.
void CamTrace(int on) {
    static FILE* console = fopencookie(nullptr, "w", {nullptr, TraceWrite, nullptr, nullptr});
    if (console != nullptr)
        setvbuf(console, nullptr, _IONBF, 0);
    SetTraceSink(on != 0 ? console : nullptr);
}

// The user chose a card (its folder, or files opened from it), now handed over: the program starts
// again there, as when started in the card's folder.
const char* CamStartOnCard() {
    return Reply(App().StartOnCard(kCardFolder));
}

// Whether the forms hold entries not yet written to a file.
int CamHasEntries() {
    return App().HasEntries() ? 1 : 0;
}

// A buffer of size bytes for the page to fill with a file's bytes (CamCardFile, CamOpenedFile).
uint8_t* CamBytes(int size) {
    s_bytes.assign(static_cast<size_t>(std::max(size, 0)), 0);
    return s_bytes.data();
}

// The card's file name (CFG.BIN or menu.dat) as the page found it: when present, its bytes in the
// buffer; the note on it, the page's note number note. A file the forms cannot read is not handed
// over: the forms start from their defaults.
const char* CamCardFile(const char* name, int present, int note) {
    FoundCardFile found;
    found.name = name;
    found.present = present != 0;
    found.size = found.present ? s_bytes.size() : 0;
    found.head.assign(s_bytes.begin(),
                      s_bytes.begin() + std::min(found.size, size_t{SEND_SET_SIZE}));
    const CardFileNote said = DescribeFound(found);
    if (said.usable)
        s_card.files[name] = s_bytes;
    else
        s_card.files.erase(name);
    s_reply = CardFileJson(name, said);
    if (note >= 0) {
        if (s_found.size() <= static_cast<size_t>(note))
            s_found.resize(static_cast<size_t>(note) + 1);
        s_found[static_cast<size_t>(note)] = std::move(found);
    }
    return s_reply.c_str();
}

// Note number note again, in the current language.
const char* CamCardNote(int note) {
    if (note < 0 || static_cast<size_t>(note) >= s_found.size())
        s_reply = CardFileJson("", CardFileNote{false, ""});
    else
        s_reply = CardFileJson(s_found[static_cast<size_t>(note)].name.c_str(),
                               DescribeFound(s_found[static_cast<size_t>(note)]));
    return s_reply.c_str();
}

// A file the user opened, its bytes in the buffer, the page's note number note: taken by its
// content for the card's CFG.BIN or menu.dat, whatever its name ({"file": ""} when it is neither).
const char* CamOpenedFile(int note) {
    const char* file = CameraFileOfImage(s_bytes.data(), s_bytes.size());
    if (file == nullptr) {
        s_reply = CardFileJson("", CardFileNote{false, ""});
        return s_reply.c_str();
    }
    return CamCardFile(file, 1, note);
}

// The image of the card's file name as a command wrote it (its size: CamCardImageSize).
const uint8_t* CamCardImage(const char* name) {
    const auto f = s_card.files.find(name);
    return f != s_card.files.end() ? f->second.data() : nullptr;
}

int CamCardImageSize(const char* name) {
    const auto f = s_card.files.find(name);
    return f != s_card.files.end() ? static_cast<int>(f->second.size()) : 0;
}

// An item of a list chosen.
const char* CamChoose(int id, int item) {
    return Reply(AppEventKind::Choose, id, item);
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
    return Reply(AppEventKind::Type, id, 0, typed);
}

// An edit lost the keyboard focus.
const char* CamLeave(int id) {
    return Reply(AppEventKind::Leave, id);
}

// A check box clicked into the state given.
const char* CamCheck(int id, int checked) {
    return Reply(AppEventKind::Check, id, checked != 0 ? 1 : 0);
}

// A button pressed.
const char* CamPress(int id) {
    return Reply(AppEventKind::Press, id);
}

// The page chose a folder with the browser ("Browse"); it stands for the save folder.
const char* CamFolderChosen() {
    return Reply(AppEventKind::FolderChosen, 0, 0, kCardFolder);
}

// The close box: back to a new Main Setup (Main Setup's own would end the program; the page
// stays).
const char* CamClose() {
    return Reply(AppEventKind::Close);
}

// The clock's one-second tick, while Camera Setup shows.
const char* CamTick() {
    return Reply(AppEventKind::Tick);
}

// The page's own texts in the current language.
const char* CamTexts() {
    s_reply = WebTextsJson();
    return s_reply.c_str();
}

} // extern "C"
