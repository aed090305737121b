#include "CamEdit.h"

#include "menu/CameraSetupRules.h"
#include "menu/ClockRules.h"
#include "sendset/OperatorPresets.h"

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

// "Serial=AB12": the four serial characters at once.
bool ApplySerialText(CamRecord& rec, const std::string& value, std::string* error) {
    std::string text = value;
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
        rec.menu.Serial[i] = static_cast<uint8_t>(index);
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

void ClearOperatorFields(SendSet& rec) {
    memset(&rec.sMmsSet, 0, sizeof rec.sMmsSet);
    memset(rec.sSmtpSet.sz3GSmtpApN, 0, sizeof rec.sSmtpSet.sz3GSmtpApN);
    memset(rec.sSmtpSet.sz3GSmtpAccount, 0, sizeof rec.sSmtpSet.sz3GSmtpAccount);
    memset(rec.sSmtpSet.sz3GSmtpPassword, 0, sizeof rec.sSmtpSet.sz3GSmtpPassword);
}

// Country and operator first, as on the 3G Parameter Settings page: a new country starts at its
// first operator, and the chosen operator's MMS and 3G network presets fill the record. Leaving
// the presets for manual input empties the operator parameters.
bool ApplyOperatorChoice(CamRecord& rec, const std::vector<Resolved>& list, std::string* error) {
    const Resolved* country = nullptr;
    const Resolved* op = nullptr;
    for (const Resolved& r : list) {
        if (r.field->rule == FieldRule::Country)
            country = &r;
        if (r.field->rule == FieldRule::Operator)
            op = &r;
    }
    if (country == nullptr && op == nullptr)
        return true;
    SendSet& cfg = rec.cfg;
    if (country != nullptr) {
        const bool wasPreset = cfg.byOperatorCountry < PRESET_COUNTRY_COUNT;
        if (!ApplyOne(rec, *country, error))
            return false;
        if (cfg.byOperatorCountry < PRESET_COUNTRY_COUNT)
            cfg.byOperator = 0;
        else if (wasPreset)
            ClearOperatorFields(cfg);
    }
    if (op != nullptr && !ApplyOne(rec, *op, error))
        return false;
    if (cfg.byOperatorCountry < PRESET_COUNTRY_COUNT) {
        LoadMmsPresets(cfg, cfg.byOperatorCountry, cfg.byOperator);
        Load3GPresets(cfg, cfg.byOperatorCountry, cfg.byOperator);
    }
    return true;
}

bool CheckCoordinate(const Coordinate& c, int maxDeg, const char* name, std::string* error) {
    if (c.byDeg == maxDeg && (c.byMin != 0 || c.bySec != 0)) {
        *error = std::string(name) + ": at most " + std::to_string(maxDeg) +
                 " degrees 0 minutes 0 seconds";
        return false;
    }
    return true;
}

bool FinishSendSet(CamRecord& rec, const std::vector<Resolved>& list, std::string* error) {
    SendSet& cfg = rec.cfg;
    bool userNameGiven = false, dirGiven = false, typeGiven = false;
    bool longitudeGiven = false, latitudeGiven = false;
    for (const Resolved& r : list) {
        userNameGiven |= IsNamed(r, "sSmtpSet.szUserName");
        dirGiven |= IsNamed(r, "sFtpSet.szFtpDir");
        typeGiven |= IsNamed(r, "sFtpSet.iFtpDirType");
        longitudeGiven |= r.field->name.compare(0, 11, "sLongitude.") == 0;
        latitudeGiven |= r.field->name.compare(0, 10, "sLatitude.") == 0;
    }
    for (const Resolved& r : list) {
        // The sender's user name mirrors the address, as the page's disabled edit does.
        if (IsNamed(r, "sSmtpSet.szAddr") && !userNameGiven && !r.value.empty())
            memcpy(cfg.sSmtpSet.szUserName, cfg.sSmtpSet.szAddr, sizeof cfg.sSmtpSet.szUserName);
    }
    const bool rootDir = strcmp(cfg.sFtpSet.szFtpDir, "/") == 0;
    if (cfg.sFtpSet.iFtpDirType == 0 && (typeGiven || dirGiven)) {
        if (dirGiven && !rootDir) {
            *error = "sFtpSet.szFtpDir: a directory other than \"/\" needs "
                     "sFtpSet.iFtpDirType=Specify";
            return false;
        }
        strcpy(cfg.sFtpSet.szFtpDir, "/");
    }
    if (longitudeGiven && !CheckCoordinate(cfg.sLongitude, 180, "sLongitude", error))
        return false;
    if (latitudeGiven && !CheckCoordinate(cfg.sLatitude, 90, "sLatitude", error))
        return false;
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

// The clock fields are taken only in Input mode; choosing Input starts from the local time, as
// the Camera Setup form fills its clock when the mode is chosen.
bool ApplyMenuClock(CamRecord& rec, const std::vector<Resolved>& clock, uint8_t modeBefore,
                    const EditOptions& options, std::string* error) {
    MenuData& menu = rec.menu;
    const bool switchedToInput =
        menu.ClockMode == CLOCK_MODE_INPUT && modeBefore != CLOCK_MODE_INPUT;
    if (!clock.empty() && menu.ClockMode != CLOCK_MODE_INPUT) {
        *error = clock.front().field->name + ": the clock is set by hand only with ClockMode=Input";
        if (menu.ClockMode == CLOCK_MODE_AUTO)
            *error += " (Auto takes this computer's time)";
        return false;
    }
    if (switchedToInput && !options.keepTime)
        SetMenuClock(menu, options.now);
    for (const Resolved& r : clock) {
        if (!ApplyOne(rec, r, error))
            return false;
    }
    if (!clock.empty() || (switchedToInput && !options.keepTime)) {
        const int last = DaysInMonth(menu.Year, menu.Month);
        if (menu.Day < 1 || menu.Day > last) {
            *error = "Day: " + std::to_string(menu.Day) + " is out of range 1.." +
                     std::to_string(last) + " for " + std::to_string(menu.Year) + "-" +
                     std::to_string(menu.Month);
            return false;
        }
    }
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
    std::vector<Resolved> clock;
    std::vector<std::string> serials;
    for (const Assignment& a : list) {
        if (rec.type == CamFileType::Menu && a.field.size() == 6 &&
            NormalizeListText(a.field) == "serial") {
            serials.push_back(a.value);
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
        (field->rule == FieldRule::MenuClock ? clock : resolved).push_back({field, a.value});
    }

    if (rec.type == CamFileType::Cfg) {
        if (!ApplyOperatorChoice(work, resolved, error))
            return false;
        for (const Resolved& r : resolved) {
            if (r.field->rule != FieldRule::Country && r.field->rule != FieldRule::Operator &&
                !ApplyOne(work, r, error))
                return false;
        }
        if (!FinishSendSet(work, resolved, error))
            return false;
    } else {
        const uint8_t modeBefore = work.menu.ClockMode;
        for (const Resolved& r : resolved) {
            if (!ApplyOne(work, r, error))
                return false;
        }
        for (const std::string& s : serials) {
            if (!ApplySerialText(work, s, error))
                return false;
        }
        if (!ApplyMenuClock(work, clock, modeBefore, options, error))
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
