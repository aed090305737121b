#include "CamEdit.h"

#include "app/AppModel.h"
#include "app/MainSetupModel.h"
#include "lang/OptionLists.h"
#include "menu/CameraSetupModel.h"
#include "menu/CameraSetupRules.h"
#include "menu/ClockRules.h"
#include "menu/MenuFields.h"
#include "sendset/Card.h"
#include "sendset/OperatorPresets.h"
#include "res/resource.h"
#include "wizard/ParamPageModel.h"
#include "wizard/SendPageModel.h"
#include "wizard/SendPageRules.h"
#include "wizard/WizardEdits.h"

#include <cctype>
#include <cstring>
#include <ctime>

namespace {

struct Resolved {
    const FieldInfo* field;
    std::string value;
};

bool IsNamed(const Resolved& r, const char* name) {
    return r.field->name == name;
}

// An item of a list as camfile's messages name it, in English.
std::string Item(OptionList list, int item) {
    return OptionText(list, item, UI_LANG_ENGLISH);
}

constexpr int kSerialChars =
    static_cast<int>(MenuList::Serial4) - static_cast<int>(MenuList::Serial1) + 1;
static_assert(kSerialChars == 4, "the serial's messages say four characters");

// The items of the serial characters' lists as runs of consecutive characters: "0-9 or A-Z".
std::string SerialCharRanges() {
    const OptionList chars = OptionList::SerialChar;
    std::string runs;
    for (int k = 0; k < OptionCount(chars);) {
        int last = k;
        while (last + 1 < OptionCount(chars) &&
               Item(chars, last + 1)[0] == Item(chars, last)[0] + 1)
            ++last;
        runs += (runs.empty() ? "" : " or ") + Item(chars, k) + "-" + Item(chars, last);
        k = last + 1;
    }
    return runs;
}

// "Serial=AB12": the four serial characters at once, as the positions of their lists' items.
bool ParseSerialText(const std::string& text, int (&positions)[kSerialChars], std::string* error) {
    if (text.size() != kSerialChars) {
        *error =
            "Serial: give exactly four characters " + SerialCharRanges() + ", such as \"AB12\"";
        return false;
    }
    for (int i = 0; i < kSerialChars; ++i) {
        const std::string c(1, static_cast<char>(toupper(static_cast<unsigned char>(text[i]))));
        int index = 0;
        while (index < OptionCount(OptionList::SerialChar) &&
               Item(OptionList::SerialChar, index) != c)
            ++index;
        if (index == OptionCount(OptionList::SerialChar)) {
            *error =
                "Serial: '" + std::string(1, text[i]) + "' is not one of " + SerialCharRanges();
            return false;
        }
        positions[i] = index;
    }
    return true;
}

bool ApplyOne(CamRecord& rec, const Resolved& r, std::string* error) {
    const FieldInfo& field = *r.field;
    if (field.kind == FieldKind::Text) {
        if (!CheckText(field, r.value, error))
            return false;
        SetText(rec, field, r.value);
        if (field.rule == FieldRule::Recipient)
            rec.cfg.uwRecpLen[field.index] = static_cast<uint16_t>(r.value.size());
        return true;
    }
    long value = 0;
    if (!ParseNumber(rec, field, r.value, &value, error))
        return false;
    SetNumber(rec, field, value);
    if (field.rule == FieldRule::RemoteInterval)
        rec.cfg.byRemoteSwitch = RemoteSwitchFor(static_cast<int>(value));
    return true;
}

bool ParseValue(const CamRecord& rec, const Resolved& r, long* value, std::string* error) {
    return ParseNumber(rec, *r.field, r.value, value, error);
}

// The lists of the 3G Parameter Settings page: the send option, the country (or "Others" for
// manual input), the operator and the FTP directory type.
bool IsPageChoice(const Resolved& r) {
    return r.field->rule == FieldRule::Country || r.field->rule == FieldRule::Operator ||
           IsNamed(r, "bySendBy") || IsNamed(r, "sFtpSet.iFtpDirType");
}

// A field that one of page 1's edits shows, in one layout of its FTP group or the other.
bool IsPageEdit(const Resolved& r) {
    for (size_t i = 0; i < kParamPageEditFieldCount; ++i)
        if (r.field->name == kParamPageEditFields[i].field)
            return true;
    for (size_t i = 0; i < kCloudEditFieldCount; ++i)
        if (r.field->name == kCloudEditFields[i].field)
            return true;
    return false;
}

std::string ValueInWords(const CamRecord& rec, const char* name) {
    const FieldInfo* f = FindField(CamFileType::Cfg, name);
    const std::string words = DescribeValue(rec, *f);
    return std::string(name) + "=" + (words.empty() ? std::to_string(GetNumber(rec, *f)) : words);
}

// Manual input as a command line gives it: "country=Others".
std::string ManualCountry() {
    return std::string("country=") + kTextOthers.text[1];
}

// "a directory other than "/" needs sFtpSet.iFtpDirType=Specify"
std::string RootDirNeedsSpecify() {
    return std::string("a directory other than \"") + kFtpRootDir +
           "\" needs sFtpSet.iFtpDirType=" + Item(OptionList::FtpDirType, 1);
}

// Why the page does not let the user type into the field's edit, and what to give instead.
std::string WhyNotTyped(const CamRecord& rec, const ParamPageModel& page, const Resolved& r,
                        int id) {
    const std::string& name = r.field->name;
    const SendSet& cfg = rec.cfg;
    const bool operatorGroup =
        name.compare(0, 8, "sMmsSet.") == 0 || name.compare(0, 13, "sSmtpSet.sz3G") == 0;
    if (id == 0)
        return name + " has no edit on the page with " + ValueInWords(rec, "bySendBy") +
               "; give the send option that shows it";
    if (IsNamed(r, "sSmtpSet.szUserName"))
        return name + " follows sSmtpSet.szAddr, as the page's account edit does; give that";
    if (IsNamed(r, "sFtpSet.szFtpDir") && cfg.sFtpSet.iFtpDirType == 0 && page.View().Shown(id))
        return name + ": " + RootDirNeedsSpecify();
    if (operatorGroup && cfg.byOperatorCountry != OPERATOR_COUNTRY_MANUAL &&
        cfg.byOperatorCountry < PRESET_COUNTRY_COUNT) {
        const int country = cfg.byOperatorCountry;
        const OperatorNameEntry& ops = OperatorNameTable[1][country];
        const char* op = cfg.byOperator < PRESET_SLOT_COUNT && ops.names[cfg.byOperator] != nullptr
                             ? ops.names[cfg.byOperator]
                             : "";
        return name + " comes from the presets of " + CountryNameTable[country].text[1] + " / " +
               op + "; give " + ManualCountry() + " to type it";
    }
    return name + ": the page's edit is disabled with " + ValueInWords(rec, "bySendBy") + ", " +
           ValueInWords(rec, "byRemoteInterval") +
           (cfg.bySendBy == SEND_BY_CLOSE_3G ? "" : "; give a send option that uses it");
}

// A field the page does not let the user change in the state reached; it is stored as given when
// the wizard would carry it through untouched, which the round trip at the end tells.
struct Carried {
    Resolved r;
    std::string why;
};

// The program as camfile's user runs it: over camfile's record, on a card that holds the file
// about to be written and takes what Generate writes instead of writing it. Main Setup's model
// list is chosen as the options say; 3G Setup opens page 1, which reads the card.
class Wizard {
public:
    Wizard(SendSet& rec, const EditOptions& options)
        : noRemoteCmd22_(options.noRemoteCmd22 ? 1 : 0),
          app_(AppInputs{[now = options.now] { return ClockTimeOf(now); }, &card_, false},
               AppRecords{{&rec, &saved_, &noRemoteCmd22_}, &menu_, &saveClock_}),
          rec_(rec) {
        std::vector<uint8_t>& file = card_.files[kSendSetFileName];
        file.resize(SEND_SET_SIZE);
        BuildSendSetImage(rec, file.data());
        // The language stays camfile's, whatever the system's.
        app_.Start(g_iLanguage == UI_LANG_CHINESE ? 0x0804 : 0x0409, nullptr);
        Choose(IDC_MAIN_MODEL_LIST, ModelRow(options.basicModel));
        Press(IDC_MAIN_3G_SETUP);
    }

    const ParamPageModel& Page1() const { return app_.ParamPage(); }
    const SendPageModel& Page2() const { return app_.SendPage(); }

    // False when the list is disabled or hidden, so nothing happened.
    bool Choose(int id, int item) { return !app_.Handle({AppEventKind::Choose, id, item}).ignored; }
    void Type(int id, const std::string& text) { app_.Handle({AppEventKind::Type, id, 0, text}); }
    void Leave(int id) { app_.Handle({AppEventKind::Leave, id}); }
    void Press(int id) { app_.Handle({AppEventKind::Press, id}); }

    // "Generate", as the card takes it: the record becomes the one the file holds, not the page's
    // read-back of it (which repairs as the reader does); the time stamp stays as it was, for
    // set stamps it itself unless told to keep it.
    void Generate() {
        const SendTime stamp = rec_.sTime;
        Press(IDC_SEND_GENERATE);
        DecodeStoredSendSet(card_.files[kSendSetFileName].data(), rec_, nullptr);
        rec_.sTime = stamp;
    }

private:
    static ClockTime ClockTimeOf(const GenerateClock& t) {
        return {t.iYear, t.iMonth, t.iDay, t.iHour, t.iMinute, t.iSecond};
    }
    // The first row of Main Setup's model list that is a basic model, or is not.
    static int ModelRow(bool basic) {
        int row = 0;
        while (row < CAMERA_MODEL_COUNT - 1 && IsBasicCameraModel(row) != basic)
            ++row;
        return row;
    }

    MemoryCard card_;
    SendSet saved_{};
    int noRemoteCmd22_;
    MenuData menu_{};
    SaveClockData saveClock_{};
    AppModel app_;
    SendSet& rec_;
};

bool TypeIntoPage(CamRecord& rec, Wizard& w, const Resolved& r, std::vector<Carried>* carried,
                  std::string* error) {
    const FieldInfo& field = *r.field;
    std::string text = r.value;
    if (field.kind == FieldKind::Text) {
        if (!CheckText(field, r.value, error))
            return false;
    } else {
        long value = 0;
        if (!ParseNumber(rec, field, r.value, &value, error))
            return false;
        text = std::to_string(value);
    }
    const ParamPageModel& page = w.Page1();
    const int id = page.EditOfField(field.name.c_str());
    if (id == 0 || !page.View().Enabled(id) || !page.View().Shown(id)) {
        carried->push_back({r, WhyNotTyped(rec, page, r, id)});
        return true;
    }
    w.Type(id, text);
    return true;
}

bool ChooseOnPage(CamRecord& rec, Wizard& w, const Resolved& r, std::vector<Carried>* carried,
                  std::string* error) {
    long value = 0;
    if (!ParseValue(rec, r, &value, error))
        return false;
    const int v = static_cast<int>(value);
    if (r.field->rule == FieldRule::Operator &&
        rec.cfg.byOperatorCountry == OPERATOR_COUNTRY_MANUAL) {
        *error = r.field->name + ": manual input (" + ManualCountry() +
                 ") has no operator list; choose a country first";
        return false;
    }
    // Manual input is the parameter mode list's second item.
    const bool manual = r.field->rule == FieldRule::Country && v == OPERATOR_COUNTRY_MANUAL;
    if (!(manual ? w.Choose(IDC_PARAM_MODE, 1) : w.Choose(r.field->control, v)))
        carried->push_back({r, r.field->name + ": the page's list is disabled with " +
                                   ValueInWords(rec, "bySendBy") +
                                   "; give a send option that enables it"});
    return true;
}

// A choice of a list the page keeps disabled, made by the rule the list would apply.
bool ApplyCarriedChoice(CamRecord& rec, const Resolved& r, std::string* error) {
    long value = 0;
    if (!ParseValue(rec, r, &value, error))
        return false;
    const int v = static_cast<int>(value);
    SendSet& cfg = rec.cfg;
    if (IsNamed(r, "sFtpSet.iFtpDirType")) {
        ChooseFtpDirType(cfg, v);
    } else if (IsNamed(r, "bySendBy")) {
        ChooseSendOption(cfg, v);
    } else {
        const bool changed =
            r.field->rule == FieldRule::Country ? ChooseCountry(cfg, v) : ChooseOperator(cfg, v);
        if (changed && cfg.byOperatorCountry != OPERATOR_COUNTRY_MANUAL)
            LoadPresetsOfRow(cfg, cfg.byOperatorCountry, OperatorListItem(cfg));
    }
    return true;
}

// Page 2's lists, as the record's field list places them.
bool IsPage2Choice(const Resolved& r) {
    return r.field->page == FieldPage::Page2 && r.field->choice;
}

bool IsPage2Edit(const Resolved& r) {
    return SendPageModel::EditOfField(r.field->name.c_str()) != 0;
}

std::string Page2Disabled(const CamRecord& rec, const Resolved& r) {
    return r.field->name + ": page 2 keeps it disabled with " + ValueInWords(rec, "bySendBy") +
           ", " + ValueInWords(rec, "byRemoteInterval") + "; give the choices that enable it";
}

bool ChooseOnPage2(CamRecord& rec, Wizard& w, const Resolved& r, std::vector<Carried>* carried,
                   std::string* error) {
    long value = 0;
    if (!ParseValue(rec, r, &value, error))
        return false;
    const int v = static_cast<int>(value);
    // The list's item is the stored value, but for the remote interval's.
    const int item = r.field->rule == FieldRule::RemoteInterval
                         ? RemoteIntervalItem(static_cast<uint8_t>(v))
                         : v;
    if (!w.Choose(r.field->control, item))
        carried->push_back({r, Page2Disabled(rec, r)});
    return true;
}

bool TypeIntoPage2(CamRecord& rec, Wizard& w, const Resolved& r, std::vector<Carried>* carried,
                   std::string* error) {
    const FieldInfo& field = *r.field;
    std::string text = r.value;
    long value = 0;
    if (field.kind == FieldKind::Text) {
        if (!CheckText(field, r.value, error))
            return false;
    } else {
        if (!ParseNumber(rec, field, r.value, &value, error))
            return false;
        text = std::to_string(value);
    }
    const SendPageModel& page = w.Page2();
    const int id = SendPageModel::EditOfField(field.name.c_str());
    if (!page.View().Enabled(id) || !page.View().Shown(id)) {
        carried->push_back({r, Page2Disabled(rec, r)});
        return true;
    }
    if (page.IsCoordinateEdit(id) && value > page.RangeMaximum(id)) {
        const std::string axis = field.name.substr(0, field.name.find('.'));
        const bool longitude = axis == "sLongitude";
        *error = axis + ": at most " +
                 std::to_string(CoordinateDegreeMaximum(
                     longitude ? CoordinateAxis::Longitude : CoordinateAxis::Latitude, 0, 0)) +
                 " degrees 0 minutes 0 seconds";
        return false;
    }
    w.Type(id, text);
    if (id == IDC_SEND_REMOTE_EMAIL)
        w.Leave(id); // the user moves on to the next edit
    return true;
}

// A CFG.BIN goes through the wizard as its user would take it: page 1 opened on the file, its
// choices in the order given and the edits it lets the user type, "Next Page"; on page 2 the
// remote interval, and where that opens edits of page 1 still to be typed, "Previous Page", those
// edits and "Next Page" again; then page 2's other choices and edits, and Generate.
// A field whose list or edit is disabled in the state reached is carried: stored as given, if the
// round trip at the end finds that the wizard keeps it.
bool ApplyWizardSteps(CamRecord& rec, const std::vector<Resolved>& list, const EditOptions& options,
                      std::vector<Carried>* carried, std::string* error) {
    Wizard w(rec.cfg, options);
    for (const Resolved& r : list) {
        if (IsPageChoice(r) && !ChooseOnPage(rec, w, r, carried, error))
            return false;
    }
    std::vector<Carried> later;
    for (const Resolved& r : list) {
        if (IsPageEdit(r) && !TypeIntoPage(rec, w, r, &later, error))
            return false;
    }
    w.Press(IDC_PARAM_NEXT_PAGE);
    bool remoteGiven = false;
    for (const Resolved& r : list) {
        if (r.field->rule == FieldRule::RemoteInterval) {
            if (!ChooseOnPage2(rec, w, r, carried, error))
                return false;
            remoteGiven = true;
        }
    }
    std::vector<Carried> untyped;
    if (remoteGiven && !later.empty()) {
        w.Press(IDC_SEND_PREVIOUS_PAGE);
        for (const Carried& c : later) {
            if (!TypeIntoPage(rec, w, c.r, &untyped, error))
                return false;
        }
        w.Press(IDC_PARAM_NEXT_PAGE);
    } else {
        untyped = later;
    }
    carried->insert(carried->end(), untyped.begin(), untyped.end());
    for (const Resolved& r : list) {
        if (IsPage2Choice(r) && r.field->rule != FieldRule::RemoteInterval &&
            !ChooseOnPage2(rec, w, r, carried, error))
            return false;
    }
    for (const Resolved& r : list) {
        if (IsPage2Edit(r) && !TypeIntoPage2(rec, w, r, carried, error))
            return false;
    }
    // Fields of no page, and lists left disabled, before Generate's stores, which may replace
    // them; a page 2 edit left disabled after them, as Generate takes what the edit shows.
    for (const Resolved& r : list) {
        if (!IsPageChoice(r) && !IsPageEdit(r) && !IsPage2Choice(r) && !IsPage2Edit(r) &&
            !ApplyOne(rec, r, error))
            return false;
    }
    for (const Carried& c : *carried) {
        if (IsPageChoice(c.r) ? !ApplyCarriedChoice(rec, c.r, error)
                              : !IsPage2Edit(c.r) && !ApplyOne(rec, c.r, error))
            return false;
    }
    w.Generate();
    for (const Carried& c : *carried) {
        if (IsPage2Edit(c.r) && !ApplyOne(rec, c.r, error))
            return false;
    }
    return true;
}

// The page's coordinate limits: minutes and seconds stay 0 at a full 180 (or 90) degrees.
bool CheckCoordinate(const Coordinate& c, CoordinateAxis axis, const char* name,
                     std::string* error) {
    const uint16_t maxDeg = CoordinateDegreeMaximum(axis, 0, 0);
    if (c.byDeg > CoordinateDegreeMaximum(axis, c.byMin, c.bySec) ||
        c.byMin > CoordinateMinuteMaximum(axis, c.byDeg) ||
        c.bySec > CoordinateMinuteMaximum(axis, c.byDeg)) {
        *error = std::string(name) + ": at most " + std::to_string(maxDeg) +
                 " degrees 0 minutes 0 seconds";
        return false;
    }
    return true;
}

bool FinishSendSet(CamRecord& rec, const std::vector<Resolved>& list, std::string* error) {
    SendSet& cfg = rec.cfg;
    bool dirGiven = false, longitudeGiven = false, latitudeGiven = false;
    for (const Resolved& r : list) {
        dirGiven |= IsNamed(r, "sFtpSet.szFtpDir");
        longitudeGiven |= r.field->name.compare(0, 11, "sLongitude.") == 0;
        latitudeGiven |= r.field->name.compare(0, 10, "sLatitude.") == 0;
    }
    // "Root" has put "/" in the directory; a directory typed beside it would be replaced.
    if (dirGiven && cfg.sFtpSet.iFtpDirType == 0 &&
        strcmp(cfg.sFtpSet.szFtpDir, kFtpRootDir) != 0) {
        *error = "sFtpSet.szFtpDir: " + RootDirNeedsSpecify();
        return false;
    }
    if (longitudeGiven &&
        !CheckCoordinate(cfg.sLongitude, CoordinateAxis::Longitude, "sLongitude", error))
        return false;
    if (latitudeGiven &&
        !CheckCoordinate(cfg.sLatitude, CoordinateAxis::Latitude, "sLatitude", error))
        return false;
    return true;
}

// A value given that the wizard would not store (Generate's file entries, no daily hour when
// sending immediately, thumbnails for MMS) is refused rather than silently replaced.
bool CheckValuesKept(const CamRecord& rec, const std::vector<Resolved>& list, std::string* error) {
    for (size_t i = 0; i < list.size(); ++i) {
        const Resolved& r = list[i];
        const FieldInfo& field = *r.field;
        bool givenAgain = false; // a later assignment of the field is the one that counts
        for (size_t k = i + 1; k < list.size(); ++k)
            givenAgain |= list[k].field == r.field;
        if (givenAgain)
            continue;
        if (field.kind == FieldKind::Text) {
            if (field.rule == FieldRule::Plain && GetText(rec, field) != r.value) {
                *error = field.name + ": the wizard stores \"" + GetText(rec, field) +
                         "\" here with the other choices given";
                return false;
            }
            continue;
        }
        long given = 0;
        std::string ignored;
        if (field.rule != FieldRule::Plain || !ParseNumber(rec, field, r.value, &given, &ignored))
            continue;
        const long stored = GetNumber(rec, field);
        if (stored != given) {
            const std::string meaning = DescribeValue(rec, field);
            *error = field.name + ": the wizard stores " + std::to_string(stored) +
                     (meaning.empty() ? "" : " (" + meaning + ")") +
                     " here with the other choices given";
            return false;
        }
    }
    return true;
}

// The wizard opened on the file and generated with nothing touched must write it again (the
// time stamp aside); a field it would change is named, with why the page changes it. The wizard
// opens on the file's image as the card gives it, read with the repairs of its reader, not on the
// record in memory.
bool CheckWizardKeeps(const CamRecord& rec, const std::vector<Carried>& carried,
                      const EditOptions& options, std::string* error) {
    uint8_t image[SEND_SET_SIZE];
    BuildSendSetImage(rec.cfg, image);
    SendSet read{};
    if (!DecodeSendSetImage(image, read)) {
        *error = "the record would not be read back as a CFG.BIN";
        return false;
    }
    CamRecord again = rec;
    Wizard w(again.cfg, options); // page 1 reads the file's image
    w.Press(IDC_PARAM_NEXT_PAGE);
    w.Generate();
    again.cfg.sTime = rec.cfg.sTime;
    if (memcmp(&again.cfg, &rec.cfg, sizeof rec.cfg) == 0)
        return true;
    const bool firstRow = OpeningLoadsFirstRowPresets(read);
    for (const FieldInfo& f : FieldsOf(CamFileType::Cfg)) {
        const uint8_t* a = reinterpret_cast<const uint8_t*>(&again.cfg) + f.offset;
        const uint8_t* b = reinterpret_cast<const uint8_t*>(&rec.cfg) + f.offset;
        const size_t n = f.width;
        if (memcmp(a, b, n) == 0)
            continue;
        for (const Carried& c : carried) {
            if (c.r.field == &f) {
                *error = c.why;
                return false;
            }
        }
        const std::string now = f.kind == FieldKind::Text ? "\"" + GetText(again, f) + "\""
                                                          : std::to_string(GetNumber(again, f));
        if (firstRow) {
            const std::string closed = Item(OptionList::SendOption, SEND_BY_CLOSE_3G);
            *error = f.name + ": with bySendBy=" + closed + " in manual input (" + ManualCountry() +
                     "), the wizard opens page 1 showing \"" + Item(OptionList::ParamMode, 0) +
                     "\" and the first row of its lists, " +
                     "and Next Page stores that row's preset " + now + " here (" +
                     CountryNameTable[0].text[1] + " / " + OperatorNameTable[1][0].names[0] +
                     "); give a country and operator, or a send option other than " + closed;
            return false;
        }
        *error = f.name + ": the wizard, opened on this file and generated unchanged, would " +
                 "store " + now + " here; give the choices that make it";
        return false;
    }
    *error = "the wizard, opened on this file and generated unchanged, would write another file";
    return false;
}

void SetMenuClock(MenuData& menu, const GenerateClock& now) {
    menu.Year = static_cast<uint16_t>(now.iYear);
    menu.Month = static_cast<uint8_t>(now.iMonth);
    menu.Day = static_cast<uint8_t>(now.iDay);
    menu.Hour = static_cast<uint8_t>(now.iHour);
    menu.Minute = static_cast<uint8_t>(now.iMinute);
    menu.Second = static_cast<uint8_t>(now.iSecond);
}

// An assignment of menu.dat: a field, or the four serial characters at once (field null).
struct MenuStep {
    const FieldInfo* field;
    std::string value;
    long typed = 0; // a clock field's value once read
};

ClockEdit ClockEditOf(const FieldInfo& field) {
    for (const MenuField& f : kMenuFields) {
        if (f.clockEdit >= 0 && f.offset == field.offset)
            return static_cast<ClockEdit>(f.clockEdit);
    }
    return static_cast<ClockEdit>(CLOCK_EDIT_COUNT - 1);
}

// A choice in one of the form's lists. A list its switch disables is chosen the way a user
// reaches it: the switch on, the choice, the switch back; a switch leaves the other lists alone.
void ChooseInForm(CameraSetupModel& form, MenuList list, int position, const ClockTime& now) {
    const int rule = MenuEnableRuleOf(list);
    if (form.ListEnabled(list) || rule < 0) {
        form.Choose(list, position, now);
        return;
    }
    const MenuList switchList = kMenuEnableRules[rule].switchList;
    const int before = form.View().ListSel(kMenuListControls[static_cast<int>(switchList)]);
    form.Choose(switchList, kMenuEnableRules[rule].onPosition, now);
    form.Choose(list, position, now);
    form.Choose(switchList, before, now);
}

// The choices that give a field its value: one list, or both of Interval's.
bool ChooseField(CameraSetupModel& form, const CamRecord& rec, const MenuStep& step,
                 const ClockTime& now, std::string* error) {
    if (step.field == nullptr) {
        int positions[kSerialChars];
        if (!ParseSerialText(step.value, positions, error))
            return false;
        for (int i = 0; i < kSerialChars; ++i)
            ChooseInForm(form, static_cast<MenuList>(static_cast<int>(MenuList::Serial1) + i),
                         positions[i], now);
        return true;
    }
    long value = 0;
    if (!ParseNumber(rec, *step.field, step.value, &value, error))
        return false;
    CamRecord given = rec;
    SetNumber(given, *step.field, value);
    for (const MenuListField& lf : kMenuListFields) {
        if (lf.offset != step.field->offset)
            continue;
        const int position = MenuListPosition(given.menu, lf.list);
        if (position < 0) {
            *error =
                step.field->name + ": " + std::to_string(value) + " is not an item of its list";
            return false;
        }
        ChooseInForm(form, lf.list, position, now);
    }
    return true;
}

// A clock field, typed into its edit, which then loses the focus. The edits take text only in
// clock mode Input.
bool TypeClockField(CameraSetupModel& form, const CamRecord& rec, MenuStep& step,
                    std::string* error) {
    if (!form.View().Enabled(kClockEditControls[CLOCK_YEAR])) {
        *error = step.field->name + ": the clock is set by hand only with ClockMode=" +
                 Item(OptionList::ClockMode, CLOCK_MODE_INPUT);
        if (form.Record().ClockMode == CLOCK_MODE_AUTO)
            *error += " (" + Item(OptionList::ClockMode, CLOCK_MODE_AUTO) +
                      " takes this computer's time)";
        return false;
    }
    if (!ParseNumber(rec, *step.field, step.value, &step.typed, error))
        return false;
    const ClockEdit edit = ClockEditOf(*step.field);
    form.TypeClockText(edit, std::to_string(step.typed));
    form.LeaveClockEdit(edit);
    return true;
}

// A clock value that a later edit corrected (a day beyond the end of the month given after it)
// is refused: the form would not write it.
bool CheckClockKept(const CameraSetupModel& form, const std::vector<MenuStep>& clock,
                    std::string* error) {
    const DialogView& v = form.View();
    const std::string& year = v.Text(kClockEditControls[CLOCK_YEAR]);
    const std::string& month = v.Text(kClockEditControls[CLOCK_MONTH]);
    for (size_t i = 0; i < clock.size(); ++i) {
        bool givenAgain = false;
        for (size_t k = i + 1; k < clock.size(); ++k)
            givenAgain |= clock[k].field == clock[i].field;
        const ClockEdit edit = ClockEditOf(*clock[i].field);
        const std::string given = std::to_string(clock[i].typed);
        if (givenAgain || v.Text(kClockEditControls[edit]) == given)
            continue;
        *error = clock[i].field->name + ": " + given + " is out of range " +
                 std::to_string(kClockEditLimits[edit].minimum) + ".." +
                 std::to_string(ClockEditMaximum(edit, year.c_str(), month.c_str()));
        if (edit == CLOCK_DAY)
            *error += " for " + year + "-" + month;
        return false;
    }
    return true;
}

ClockTime ClockTimeOf(const MenuData& m) {
    return {m.Year, m.Month, m.Day, m.Hour, m.Minute, m.Second};
}

// menu.dat goes through Camera Setup opened on the record, as a user would take it: the lists'
// choices in the order given (the clock mode among them), then the clock fields typed in the
// order given, then "Generate". The form's clock edits show the record's clock where it was
// typed (Input) or is kept; otherwise this computer's time.
bool ApplyCameraSetupSteps(CamRecord& rec, const std::vector<MenuStep>& steps,
                           const EditOptions& options, std::string* error) {
    SaveClockData saveClock{};
    CameraSetupModel form(rec.menu, saveClock, false);
    const ClockTime recorded = ClockTimeOf(rec.menu);
    const GenerateClock& n = options.now;
    const ClockTime now = options.keepTime ? recorded : ClockTime{n.iYear, n.iMonth,  n.iDay,
                                                                  n.iHour, n.iMinute, n.iSecond};
    form.Open(rec.menu.ClockMode == CLOCK_MODE_INPUT ? recorded : now);
    std::vector<MenuStep> clock;
    for (const MenuStep& step : steps) {
        if (step.field != nullptr && step.field->rule == FieldRule::MenuClock)
            clock.push_back(step);
        else if (!ChooseField(form, rec, step, now, error))
            return false;
    }
    for (MenuStep& step : clock) {
        if (!TypeClockField(form, rec, step, error))
            return false;
    }
    if (!CheckClockKept(form, clock, error))
        return false;
    form.Generate();
    return true;
}

} // namespace

bool ParseAssignment(const std::string& arg, Assignment* out, std::string* error) {
    size_t eq = arg.find('=');
    if (eq == std::string::npos || eq == 0) {
        *error = "\"" + arg + "\" is not FIELD=VALUE";
        return false;
    }
    out->field = arg.substr(0, eq);
    out->value = arg.substr(eq + 1);
    return true;
}

bool ApplyAssignments(CamRecord& rec, const std::vector<Assignment>& list,
                      const EditOptions& options, std::string* error) {
    CamRecord work = rec;
    const char* fileName = rec.type == CamFileType::Cfg ? "CFG.BIN" : "menu.dat";
    std::vector<Resolved> resolved;
    std::vector<MenuStep> menuSteps;
    for (const Assignment& a : list) {
        if (rec.type == CamFileType::Menu && a.field.size() == 6 &&
            NormalizeListText(a.field) == "serial") {
            menuSteps.push_back({nullptr, a.value});
            continue;
        }
        const FieldInfo* field = FindField(rec.type, a.field);
        if (field == nullptr) {
            *error =
                a.field + ": no such field in " + fileName + " (\"camfile fields\" lists them)";
            return false;
        }
        if (field->fixedReason != nullptr) {
            *error = field->name + ": cannot be set, " + field->fixedReason;
            return false;
        }
        resolved.push_back({field, a.value});
        menuSteps.push_back({field, a.value});
    }

    if (rec.type == CamFileType::Cfg) {
        std::vector<Carried> carried;
        if (!ApplyWizardSteps(work, resolved, options, &carried, error))
            return false;
        if (!FinishSendSet(work, resolved, error))
            return false;
        if (!CheckValuesKept(work, resolved, error))
            return false;
        if (!CheckWizardKeeps(work, carried, options, error))
            return false;
    } else if (!ApplyCameraSetupSteps(work, menuSteps, options, error)) {
        return false;
    }
    rec = work;
    return true;
}

void StampRecord(CamRecord& rec, const EditOptions& options) {
    if (options.keepTime)
        return;
    if (rec.type == CamFileType::Cfg)
        rec.cfg.sTime = MakeSendTime(options.now);
    else if (rec.menu.ClockMode == CLOCK_MODE_AUTO)
        SetMenuClock(rec.menu, options.now);
}

GenerateClock LocalNow() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}
