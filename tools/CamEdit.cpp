#include "CamEdit.h"

#include "menu/CameraSetupModel.h"
#include "menu/CameraSetupRules.h"
#include "menu/ClockRules.h"
#include "wizard/ParamPageRules.h"
#include "wizard/SendPageRules.h"

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

// "Serial=AB12": the four serial characters at once, as the positions of their lists' items.
bool ParseSerialText(const std::string& text, int (&positions)[4], std::string* error) {
    if (text.size() != 4) {
        *error = "Serial: give exactly four characters 0-9 or A-Z, such as \"AB12\"";
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        int c = toupper(static_cast<unsigned char>(text[i]));
        int index = -1;
        if (c >= '0' && c <= '9')
            index = c - '0';
        else if (c >= 'A' && c <= 'Z')
            index = c - 'A' + 10;
        if (index < 0) {
            *error = "Serial: '" + std::string(1, text[i]) + "' is not one of 0-9 or A-Z";
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
        rec.cfg.byRemoteSwitch = value == REMOTE_INTERVAL_OFF ? 0 : 1;
    return true;
}

bool ParseValue(const CamRecord& rec, const Resolved& r, long* value, std::string* error) {
    return ParseNumber(rec, *r.field, r.value, value, error);
}

// The choices of the 3G Parameter Settings page, made on a page kept in memory in the order
// given: the send option, the country (or "Others" for manual input), the operator and the FTP
// directory type. They load and empty what the page's choices do.
bool IsPageChoice(const Resolved& r) {
    return r.field->rule == FieldRule::Country || r.field->rule == FieldRule::Operator ||
           IsNamed(r, "bySendBy") || IsNamed(r, "sFtpSet.iFtpDirType");
}

bool ApplyPageChoice(CamRecord& rec, ParamPageModel& page, const Resolved& r, std::string* error) {
    long value = 0;
    if (!ParseValue(rec, r, &value, error))
        return false;
    const int v = static_cast<int>(value);
    if (r.field->rule == FieldRule::Country) {
        if (v == OPERATOR_COUNTRY_MANUAL)
            page.ChooseParamMode(1);
        else
            page.ChooseCountry(v);
    } else if (r.field->rule == FieldRule::Operator) {
        if (!page.ChooseOperator(v)) {
            *error = r.field->name + ": manual input (country=Others) has no operator list; "
                                     "choose a country first";
            return false;
        }
    } else if (IsNamed(r, "bySendBy")) {
        page.ChooseSendOption(v);
    } else {
        page.ChooseFtpDirType(v);
    }
    return true;
}

// A CFG.BIN goes through the wizard as a user would take it: remote control set on page 2 first
// (page 1 depends on it), then page 1 opened on the record with its choices in the order given
// and "Next Page"; then every other field as typed, which keeps the value given.
bool ApplyWizardSteps(CamRecord& rec, const std::vector<Resolved>& list, const EditOptions& options,
                      std::string* error) {
    for (const Resolved& r : list) {
        if (r.field->rule == FieldRule::RemoteInterval && !ApplyOne(rec, r, error))
            return false;
    }
    ParamPageModel page(rec.cfg, options.noRemoteCmd22, options.basicModel);
    for (const Resolved& r : list) {
        if (IsPageChoice(r) && !ApplyPageChoice(rec, page, r, error))
            return false;
    }
    page.NextPage();
    for (const Resolved& r : list) {
        if (!IsPageChoice(r) && r.field->rule != FieldRule::RemoteInterval &&
            !ApplyOne(rec, r, error))
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
    bool userNameGiven = false, dirGiven = false;
    bool longitudeGiven = false, latitudeGiven = false;
    for (const Resolved& r : list) {
        userNameGiven |= IsNamed(r, "sSmtpSet.szUserName");
        dirGiven |= IsNamed(r, "sFtpSet.szFtpDir");
        longitudeGiven |= r.field->name.compare(0, 11, "sLongitude.") == 0;
        latitudeGiven |= r.field->name.compare(0, 10, "sLatitude.") == 0;
    }
    for (const Resolved& r : list) {
        // The sender's user name mirrors the address, as the page's disabled edit does.
        if (IsNamed(r, "sSmtpSet.szAddr") && !userNameGiven && SenderUserNameFollows(r.value))
            memcpy(cfg.sSmtpSet.szUserName, cfg.sSmtpSet.szAddr, sizeof cfg.sSmtpSet.szUserName);
    }
    // "Root" has put "/" in the directory; a directory typed beside it would be replaced.
    if (dirGiven && cfg.sFtpSet.iFtpDirType == 0 && strcmp(cfg.sFtpSet.szFtpDir, "/") != 0) {
        *error = "sFtpSet.szFtpDir: a directory other than \"/\" needs "
                 "sFtpSet.iFtpDirType=Specify";
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
    static const size_t offsets[CLOCK_EDIT_COUNT] = {
        offsetof(MenuData, Year), offsetof(MenuData, Month),  offsetof(MenuData, Day),
        offsetof(MenuData, Hour), offsetof(MenuData, Minute), offsetof(MenuData, Second)};
    int k = 0;
    while (k < CLOCK_EDIT_COUNT - 1 && offsets[k] != field.offset)
        ++k;
    return static_cast<ClockEdit>(k);
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
    const int before = form.View().selection[static_cast<int>(switchList)];
    form.Choose(switchList, kMenuEnableRules[rule].onPosition, now);
    form.Choose(list, position, now);
    form.Choose(switchList, before, now);
}

// The choices that give a field its value: one list, or both of Interval's.
bool ChooseField(CameraSetupModel& form, const CamRecord& rec, const MenuStep& step,
                 const ClockTime& now, std::string* error) {
    if (step.field == nullptr) {
        int positions[4];
        if (!ParseSerialText(step.value, positions, error))
            return false;
        for (int i = 0; i < 4; ++i)
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
    if (!form.View().clockEnabled) {
        *error = step.field->name + ": the clock is set by hand only with ClockMode=Input";
        if (form.Record().ClockMode == CLOCK_MODE_AUTO)
            *error += " (Auto takes this computer's time)";
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
    const std::string(&texts)[CLOCK_EDIT_COUNT] = form.View().clockText;
    for (size_t i = 0; i < clock.size(); ++i) {
        bool givenAgain = false;
        for (size_t k = i + 1; k < clock.size(); ++k)
            givenAgain |= clock[k].field == clock[i].field;
        const ClockEdit edit = ClockEditOf(*clock[i].field);
        const std::string given = std::to_string(clock[i].typed);
        if (givenAgain || texts[edit] == given)
            continue;
        *error = clock[i].field->name + ": " + given + " is out of range " +
                 std::to_string(kClockEditLimits[edit].minimum) + ".." +
                 std::to_string(
                     ClockEditMaximum(edit, texts[CLOCK_YEAR].c_str(), texts[CLOCK_MONTH].c_str()));
        if (edit == CLOCK_DAY)
            *error += " for " + texts[CLOCK_YEAR] + "-" + texts[CLOCK_MONTH];
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
        if (!ApplyWizardSteps(work, resolved, options, error))
            return false;
        if (!FinishSendSet(work, resolved, error))
            return false;
        // Page 2 opens on the record, and Generate stores what it always stores; a basic
        // model's image size list cannot be changed there.
        KeepBasicModelThumbnails(work.cfg, options.basicModel);
        PrepareSendPageRecord(work.cfg);
        StoreGenerateFields(work.cfg,
                            ControlsForRecord(work.cfg, options.now, options.noRemoteCmd22));
        if (!CheckValuesKept(work, resolved, error))
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
