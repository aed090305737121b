#include "wizard/SendPageModel.h"

#include "common/SavePath.h"
#include "common/Trace.h"
#include "lang/OptionLists.h"
#include "res/resource.h"
#include "sendset/FileIo.h"
#include "sendset/SendSetFields.h"
#include "ui/EditFilter.h"
#include "wizard/SendPageRules.h"
#include "wizard/WizardEdits.h"

#include <cstring>

namespace {

const TextPair kSendPageCaption = {{"3G发送设置", "3G Send Settings"}};

const ControlText kSendPageTexts[] = {
    {IDC_SEND_DESTINATION_GROUP, {{"发往目的地", "To Destination"}}},
    {IDC_SEND_PHONE1_LABEL, {{"手机号码1", "Phone Number 1"}}},
    {IDC_SEND_PHONE2_LABEL, {{"手机号码2", "Phone Number 2"}}},
    {IDC_SEND_EMAIL1_LABEL, {{"邮件地址1", "Email Address1"}}},
    {IDC_SEND_EMAIL2_LABEL, {{"邮件地址2", "Email Address2"}}},
    {IDC_SEND_COORDINATE_GROUP, {{"坐标", "Coordinate"}}},
    {IDC_SEND_DIRECTION_LABEL, {{"方向", "Direction"}}},
    {IDC_SEND_DEGREE_LABEL, {{"度", "Degree"}}},
    {IDC_SEND_MINUTE_LABEL, {{"分", "Minute"}}},
    {IDC_SEND_SECOND_LABEL, {{"秒", "Second"}}},
    {IDC_SEND_LONGITUDE_LABEL, {{"经度", "Longitude"}}},
    {IDC_SEND_LATITUDE_LABEL, {{"纬度", "Latitude"}}},
    {IDC_SEND_IMAGE_SIZE_LABEL, {{"发送图片大小", "Send Image Size"}}},
    {IDC_SEND_MAX_NUM_LABEL, {{"最大发送数量", "Max Sent Num"}}},
    {IDC_SEND_PER_DAY_LABEL, {{"/天", "/Day"}}},
    {IDC_SEND_MODE_GROUP, {{"发送方式", "Send Mode"}}},
    {IDC_SEND_MODE_LABEL, {{"3G发送方式", "3G Send Mode"}}},
    {IDC_SEND_DAILY_TIME_LABEL, {{"集中发送时间", "Daily Send Time"}}},
    {IDC_SEND_REMOTE_GROUP, {{"遥控", "Remote Control"}}},
    {IDC_SEND_REMOTE_INTERVAL_LABEL, {{"遥控间隔时间", "Remote Interval"}}},
    {IDC_SEND_NO_REMOTE_CMD22, {{"不使用遥控命令 - 22", "Do not use remote command - 22"}}},
    {IDC_SEND_REMOTE_PHONE_LABEL, {{"遥控手机号码", "Remote Phone Number"}}},
    {IDC_SEND_REMOTE_EMAIL_LABEL, {{"遥控接收邮箱", "Remote Receiver Email"}}},
    {IDC_SEND_REMOTE_PHONE_NOTE,
     {{"^ 遥控，接收60命令拍的照片。", "^ Remote control, receiving 60 command photos."}}},
    {IDC_SEND_REMOTE_EMAIL_NOTE,
     {{"^ 接收22命令请求的文件。", "^ Receives the file requested by the 22 command."}}},
    {IDC_SEND_SAVE_PATH_GROUP, {{"保存路径", "Save Path"}}},
    {IDC_SEND_BROWSE, {{"浏览", "Browse"}}},
    {IDC_SEND_PREVIOUS_PAGE, {{"上一页", "Previous Page"}}},
    {IDC_SEND_GENERATE, {{"生成配置", "Generate"}}},
};

// What the page's path edit takes typed; a folder chosen with Browse may be longer.
constexpr int kSavePathEditChars = 32;
// Leaving the remote e-mail edit stores at most this many bytes of it, one less than Generate.
constexpr size_t kRemoteEmailTakenOnLeaving = 47;

// Recipient slots 0 and 1 are phone numbers, 2 and 3 e-mail addresses; kSendPageEditFields lists
// them first, in slot order.
const int kRecipientEdits[4] = {IDC_SEND_PHONE1, IDC_SEND_PHONE2, IDC_SEND_EMAIL1, IDC_SEND_EMAIL2};

constexpr int kLongitude = 0;
constexpr int kLatitude = 1;
struct CoordinateIds {
    int dir, deg, min, sec;
};
const CoordinateIds kCoordinates[2] = {
    {IDC_SEND_LONGITUDE_DIR, IDC_SEND_LONGITUDE_DEG, IDC_SEND_LONGITUDE_MIN,
     IDC_SEND_LONGITUDE_SEC},
    {IDC_SEND_LATITUDE_DIR, IDC_SEND_LATITUDE_DEG, IDC_SEND_LATITUDE_MIN, IDC_SEND_LATITUDE_SEC}};

CoordinateAxis AxisOf(int axis) {
    return axis == kLongitude ? CoordinateAxis::Longitude : CoordinateAxis::Latitude;
}

// The page's lists: the record's fields that page 2 chooses from a list.
bool IsSendList(const SendSetField& f) {
    return f.page == FieldPage::Page2 && f.listed;
}

template <size_t N> std::string FieldText(const char (&field)[N]) {
    return std::string(field, static_cast<size_t>(FieldLength(field, N)));
}

// The edit's text into a record field: at most maxBytes, terminated, the rest zeroed.
size_t StoreField(char* field, size_t capacity, const std::string& text, size_t maxBytes = 0) {
    size_t limit = capacity - 1;
    if (maxBytes != 0 && maxBytes < limit)
        limit = maxBytes;
    const size_t n = text.size() < limit ? text.size() : limit;
    memset(field, 0, capacity);
    memcpy(field, text.data(), n);
    return n;
}

uint8_t ItemByte(int item) {
    return static_cast<uint8_t>(item < 0 ? 0 : item);
}

int CoordinateAxisOf(int id, int* part) {
    for (int axis = 0; axis < 2; ++axis) {
        const CoordinateIds& c = kCoordinates[axis];
        const int parts[3] = {c.deg, c.min, c.sec};
        for (int k = 0; k < 3; ++k) {
            if (parts[k] == id) {
                *part = k;
                return axis;
            }
        }
    }
    return -1;
}

std::wstring Widen(const std::string& digits) {
    return std::wstring(digits.begin(), digits.end());
}

std::string Narrow(const std::wstring& digits) {
    std::string s;
    for (wchar_t c : digits)
        s += static_cast<char>(c);
    return s;
}

} // namespace

SendPageModel::SendPageModel(const WizardRecords& records, const ParamPageModel& page1)
    : r_(records), page1_(page1) {
    AddControls();
}

void SendPageModel::AddControls() {
    v_ = DialogView();
    for (size_t i = 0; i < kSendPageEditFieldCount; ++i) {
        v_.Add(kSendPageEditFields[i].id, ControlKind::Edit);
        v_.At(kSendPageEditFields[i].id).allowed = CharsAllowed(kSendPageEditFields[i].id);
    }
    v_.Add(IDC_SEND_SAVE_PATH, ControlKind::Edit);
    for (const SendSetField& f : kSendSetFields) {
        if (IsSendList(f))
            v_.Add(f.control, ControlKind::List);
    }
    v_.Answer(IDC_SEND_MODE, ListAnswer::OnChoiceEnd);
    v_.Answer(IDC_SEND_DAILY_TIME, ListAnswer::OnChoiceEnd);
    v_.Answer(IDC_SEND_REMOTE_INTERVAL, ListAnswer::OnEveryNotice);
    for (const ControlText& t : kSendPageTexts)
        v_.Add(t.id, ControlKind::Label);
    v_.Add(IDC_SEND_NO_REMOTE_CMD22, ControlKind::Check);
    v_.At(IDC_SEND_NO_REMOTE_CMD22).sel = 0;
    v_.Enable(IDC_SEND_REMOTE_PHONE_NOTE, false); // as the template has them
    v_.Enable(IDC_SEND_REMOTE_EMAIL_NOTE, false);
}

bool SendPageModel::Usable(int id) const {
    return v_.Enabled(id) && v_.Shown(id);
}

int SendPageModel::EditOfField(const char* name) {
    for (size_t i = 0; i < kSendPageEditFieldCount; ++i) {
        if (strcmp(kSendPageEditFields[i].field, name) == 0)
            return kSendPageEditFields[i].id;
    }
    return 0;
}

bool SendPageModel::IsCoordinateEdit(int id) const {
    int part = 0;
    return CoordinateAxisOf(id, &part) >= 0;
}

const char* SendPageModel::CharsAllowed(int id) const {
    if (IsCoordinateEdit(id))
        return nullptr; // held to their ranges instead
    const SendSetField* f = SendSetFieldOfControl(FieldPage::Page2, id);
    return f != nullptr ? f->allowed : nullptr;
}

long SendPageModel::Number(int id) const {
    long value = 0;
    return LeadingNumber(v_.Text(id), &value) ? value : 0;
}

uint16_t SendPageModel::RangeMaximum(int id) const {
    int part = 0;
    const int axis = CoordinateAxisOf(id, &part);
    if (axis < 0)
        return 0;
    const CoordinateIds& c = kCoordinates[axis];
    if (part == 0) {
        const long minutes = Number(c.min);
        const long seconds = Number(c.sec);
        Trace("iMin = %ld, uwMaxVal = %ld\n", minutes, seconds);
        return CoordinateDegreeMaximum(AxisOf(axis), minutes, seconds);
    }
    return CoordinateMinuteMaximum(AxisOf(axis), Number(c.deg));
}

size_t SendPageModel::TakeBytes(int id) const {
    const SendSetField* f = SendSetFieldOfControl(FieldPage::Page2, id);
    return f != nullptr && f->text ? static_cast<size_t>(f->maxValue) : 0;
}

int SendPageModel::TakeWholeSelection() {
    const int id = wholeSelection_;
    wholeSelection_ = 0;
    return id;
}

int SendPageModel::TakeRangeWarnings() {
    const int n = rangeWarnings_;
    rangeWarnings_ = 0;
    return n;
}

void SendPageModel::SetEdit(int id, const std::string& text) {
    v_.SetText(id, text);
    EditChanged(id);
}

void SendPageModel::TypeText(int id, const std::string& bytes, bool checked) {
    if (v_.Controls().count(id) == 0 || v_.At(id).kind != ControlKind::Edit)
        return;
    if (checked)
        v_.SetText(id, bytes);
    else
        SetEdit(id, bytes);
}

// Phone numbers and the maximum lose other characters; a coordinate is held to its range, with
// one warning for a value above it.
void SendPageModel::EditChanged(int id) {
    if (const char* allowed = CharsAllowed(id)) {
        std::wstring text = Widen(v_.Text(id));
        while (RemoveFirstDisallowed(text, allowed) >= 0) {
        }
        v_.SetText(id, Narrow(text));
        return;
    }
    if (!IsCoordinateEdit(id))
        return;
    std::wstring text = Widen(v_.Text(id));
    RangeCheck check = CheckRangeText(text, 0, RangeMaximum(id));
    while (check.removedAt >= 0 && check.verdict != RangeVerdict::Empty) {
        text = check.filtered;
        check = CheckRangeText(text, 0, RangeMaximum(id));
    }
    if (check.verdict == RangeVerdict::AboveMaximum)
        ++rangeWarnings_;
    wholeSelection_ = check.selectWhole ? id : 0;
    if (check.verdict == RangeVerdict::Empty || check.Traced())
        text = check.corrected;
    v_.SetText(id, Narrow(text));
    if (check.Traced())
        TraceLine("Input value error!");
}

void SendPageModel::ShowCoordinate(int axis, const Coordinate& c) {
    const CoordinateIds& ids = kCoordinates[axis];
    v_.ListSetSel(ids.dir, c.byDir);
    SetEdit(ids.deg, std::to_string(c.byDeg));
    SetEdit(ids.min, std::to_string(c.byMin));
    SetEdit(ids.sec, std::to_string(c.bySec));
}

void SendPageModel::SetTexts() {
    v_.caption = kSendPageCaption.Get();
    for (const ControlText& t : kSendPageTexts)
        v_.SetText(t.id, t.text.Get());
    for (const SendSetField& f : kSendSetFields) {
        if (!IsSendList(f))
            continue;
        v_.ListReset(f.control);
        for (int k = 0; k < OptionCount(f.list); ++k)
            v_.ListAdd(f.control, OptionText(f.list, k));
    }
    for (int id :
         {IDC_SEND_IMAGE_SIZE, IDC_SEND_MODE, IDC_SEND_DAILY_TIME, IDC_SEND_REMOTE_INTERVAL})
        v_.ListSetSel(id, 0);
    ShowCoordinate(kLongitude, r_.rec->sLongitude);
    ShowCoordinate(kLatitude, r_.rec->sLatitude);
}

void SendPageModel::EnableRemoteDetails(bool on) {
    v_.Enable(IDC_SEND_REMOTE_PHONE, on);
    v_.Enable(IDC_SEND_NO_REMOTE_CMD22, on);
    v_.Enable(IDC_SEND_REMOTE_EMAIL, RemoteEmailEnabledFor(on, *r_.noRemoteCmd22 != 0));
}

void SendPageModel::Open(bool basicModel) {
    AddControls();
    for (size_t i = 0; i < kSendPageEditFieldCount; ++i)
        v_.Limit(kSendPageEditFields[i].id, EditCharsOf(kSendPageEditFields[i].field));
    v_.Limit(IDC_SEND_SAVE_PATH, kSavePathEditChars);
    v_.At(IDC_SEND_NO_REMOTE_CMD22).sel = *r_.noRemoteCmd22 ? 1 : 0;
    SetEdit(IDC_SEND_SAVE_PATH, FieldText(g_szSavePath));
    SetTexts();
    if (firstOpen_)
        firstOpen_ = false;
    else
        *r_.rec = *r_.saved; // page 1 has just filled it from the record

    SendSet& rec = *r_.rec;
    for (int slot = 0; slot < 4; ++slot) {
        if (rec.uwRecpLen[slot] != 0)
            SetEdit(kRecipientEdits[slot], FieldText(rec.szRecp[slot]));
    }
    SetEdit(IDC_SEND_MAX_NUM, std::to_string(rec.uwMaxSendImgNum));
    Trace(":: uwMaxSendImgNum=%d, Edit txt:%s\n", rec.uwMaxSendImgNum,
          v_.Text(IDC_SEND_MAX_NUM).c_str());
    if (rec.szRemotePhoneNum[0] != '\0')
        SetEdit(IDC_SEND_REMOTE_PHONE, FieldText(rec.szRemotePhoneNum));
    if (rec.szRemoteEmail[0] != '\0')
        SetEdit(IDC_SEND_REMOTE_EMAIL, FieldText(rec.szRemoteEmail));
    Trace(":: byDailySendTime = %d, bySendMode = %d\n", rec.byDailySendTime, rec.bySendMode);

    PrepareSendPageRecord(rec);
    // FTP and cloud share page 1's FTP group, whose layout decides whether the coordinates are
    // asked for.
    const SendPageState s = SendPageStateOf(rec, page1_.FtpLayout() == FTP_EDIT_CLOUD, basicModel,
                                            *r_.noRemoteCmd22 != 0);
    for (int slot = 0; slot < 4; ++slot)
        v_.Enable(kRecipientEdits[slot], slot < 2 ? s.bPhones : s.bEmails);
    for (const CoordinateIds& c : kCoordinates) {
        for (int id : {c.dir, c.deg, c.min, c.sec}) {
            v_.Enable(id, s.bCoordinates);
            v_.Show(id, s.bCoordinates);
        }
    }
    v_.Enable(IDC_SEND_IMAGE_SIZE, s.bImageSizeEnabled);
    v_.ListSetSel(IDC_SEND_IMAGE_SIZE, SendImageSizeItem(rec.bySendImgSize));
    v_.Enable(IDC_SEND_MAX_NUM, s.bSending);
    v_.ListSetSel(IDC_SEND_DAILY_TIME, rec.byDailySendTime);
    v_.ListSetSel(IDC_SEND_MODE, SendModeItem(rec.bySendMode));
    v_.Enable(IDC_SEND_MODE, s.bSending);
    v_.Enable(IDC_SEND_DAILY_TIME, s.bDailyTime);
    v_.ListSetSel(IDC_SEND_REMOTE_INTERVAL, s.iRemoteIntervalItem);
    v_.Enable(IDC_SEND_REMOTE_INTERVAL, s.bSending);
    v_.Enable(IDC_SEND_REMOTE_PHONE, s.bRemoteDetails);
    v_.Enable(IDC_SEND_NO_REMOTE_CMD22, s.bRemoteDetails);
    v_.Enable(IDC_SEND_REMOTE_EMAIL, s.bRemoteEmail);
}

bool SendPageModel::Choose(int id, int item) {
    switch (id) {
    case IDC_SEND_IMAGE_SIZE:
        return ChooseImageSize(item);
    case IDC_SEND_MODE:
        return ChooseSendMode(item);
    case IDC_SEND_DAILY_TIME:
        return ChooseDailyTime(item);
    case IDC_SEND_REMOTE_INTERVAL:
        return ChooseRemoteInterval(item);
    case IDC_SEND_LONGITUDE_DIR:
    case IDC_SEND_LATITUDE_DIR:
        return ChooseDirection(id, item);
    default:
        return false;
    }
}

bool SendPageModel::ChooseImageSize(int item) {
    if (!Usable(IDC_SEND_IMAGE_SIZE))
        return false;
    v_.ListSetSel(IDC_SEND_IMAGE_SIZE, item);
    return true;
}

bool SendPageModel::ChooseSendMode(int item) {
    if (!Usable(IDC_SEND_MODE))
        return false;
    v_.ListSetSel(IDC_SEND_MODE, item);
    v_.Enable(IDC_SEND_DAILY_TIME, DailyTimeEnabledFor(v_.ListSel(IDC_SEND_MODE)));
    return true;
}

bool SendPageModel::ChooseDailyTime(int item) {
    if (!Usable(IDC_SEND_DAILY_TIME))
        return false;
    v_.ListSetSel(IDC_SEND_DAILY_TIME, item);
    r_.rec->byDailySendTime = ItemByte(v_.ListSel(IDC_SEND_DAILY_TIME));
    return true;
}

bool SendPageModel::ChooseRemoteInterval(int item) {
    if (!Usable(IDC_SEND_REMOTE_INTERVAL))
        return false;
    v_.ListSetSel(IDC_SEND_REMOTE_INTERVAL, item);
    EnableRemoteDetails(RemoteDetailsEnabledFor(v_.ListSel(IDC_SEND_REMOTE_INTERVAL)));
    return true;
}

bool SendPageModel::ChooseDirection(int id, int item) {
    if (id != IDC_SEND_LONGITUDE_DIR && id != IDC_SEND_LATITUDE_DIR)
        return false;
    if (!Usable(id))
        return false;
    v_.ListSetSel(id, item);
    return true;
}

bool SendPageModel::SetNoRemoteCmd22(bool checked) {
    if (!Usable(IDC_SEND_NO_REMOTE_CMD22))
        return false;
    v_.At(IDC_SEND_NO_REMOTE_CMD22).sel = checked ? 1 : 0;
    *r_.noRemoteCmd22 = checked ? 1 : 0;
    // The box is enabled only while the remote details are.
    v_.Enable(IDC_SEND_REMOTE_EMAIL, RemoteEmailEnabledFor(true, *r_.noRemoteCmd22 != 0));
    return true;
}

void SendPageModel::LeaveRemoteEmail() {
    char* email = r_.rec->szRemoteEmail;
    StoreField(email, sizeof r_.rec->szRemoteEmail, v_.Text(IDC_SEND_REMOTE_EMAIL),
               kRemoteEmailTakenOnLeaving);
    Trace("# EN_KILLFOCUS, szRemoteEmail:%s\n", email);
}

bool SendPageModel::ChooseSaveFolder(const char* bytes) {
    if (bytes == nullptr || *bytes == '\0' || !SetSavePath(bytes))
        return false;
    SaveFolderChosen(g_szSavePath);
    return true;
}

void SendPageModel::SaveFolderChosen(const char* path) {
    SetEdit(IDC_SEND_SAVE_PATH, std::string(path));
}

void SendPageModel::TakeRecipients(SendSet& rec) const {
    for (int slot = 0; slot < 4; ++slot) {
        const size_t len =
            StoreField(rec.szRecp[slot], sizeof rec.szRecp[slot], v_.Text(kRecipientEdits[slot]),
                       TakeBytes(kRecipientEdits[slot]));
        rec.uwRecpLen[slot] = static_cast<uint16_t>(len);
    }
}

void SendPageModel::TakeRemoteEdits(SendSet& rec) const {
    StoreField(rec.szRemotePhoneNum, sizeof rec.szRemotePhoneNum, v_.Text(IDC_SEND_REMOTE_PHONE));
    StoreField(rec.szRemoteEmail, sizeof rec.szRemoteEmail, v_.Text(IDC_SEND_REMOTE_EMAIL));
}

Coordinate SendPageModel::TakeCoordinate(int axis, const Coordinate& previous) const {
    const CoordinateIds& ids = kCoordinates[axis];
    Coordinate c = previous;
    const int dir = v_.ListSel(ids.dir);
    if (dir >= 0) // a direction byte from a file that the list lacks stays as it was
        c.byDir = static_cast<uint8_t>(dir);
    c.byDeg = static_cast<uint8_t>(Number(ids.deg));
    c.byMin = static_cast<uint8_t>(Number(ids.min));
    c.bySec = static_cast<uint8_t>(Number(ids.sec));
    return c;
}

void SendPageModel::PreviousPage() {
    SendSet& saved = *r_.saved;
    TakeRecipients(saved);
    saved.sLongitude = TakeCoordinate(kLongitude, saved.sLongitude);
    saved.sLatitude = TakeCoordinate(kLatitude, saved.sLatitude);
    saved.bySendImgSize = ItemByte(v_.ListSel(IDC_SEND_IMAGE_SIZE));
    saved.uwMaxSendImgNum = static_cast<uint16_t>(Number(IDC_SEND_MAX_NUM));
    saved.bySendMode = ItemByte(v_.ListSel(IDC_SEND_MODE));
    saved.byDailySendTime = r_.rec->byDailySendTime;
    ApplyRemoteIntervalItem(saved, v_.ListSel(IDC_SEND_REMOTE_INTERVAL));
    if (!RemoteControlPossible(r_.rec->bySendBy))
        saved.byRemoteSwitch = 0;
    TakeRemoteEdits(saved);
}

void SendPageModel::TakeEntries(SendSet& rec) const {
    TakeRemoteEdits(rec);
    rec.uwMaxSendImgNum = static_cast<uint16_t>(Number(IDC_SEND_MAX_NUM));
    Trace("EDIT_MAX_SEND_IMG_NUM val=%d\n", rec.uwMaxSendImgNum);
    // Page 1 lies hidden beneath this page; its list holds the send method the user chose.
    const int sendBy = page1_.SendOptionForGenerate();
    if (sendBy >= 0)
        rec.bySendBy = static_cast<uint8_t>(sendBy);
    TakeRecipients(rec);
}

GenerateControls SendPageModel::Controls(const GenerateClock& now, const SendSet& rec) const {
    GenerateControls c = {};
    c.sNow = now;
    c.iRemoteIntervalItem = v_.ListSel(IDC_SEND_REMOTE_INTERVAL);
    c.bNoRemoteCmd22 = v_.At(IDC_SEND_NO_REMOTE_CMD22).sel == 1;
    c.sLongitude = TakeCoordinate(kLongitude, rec.sLongitude);
    c.sLatitude = TakeCoordinate(kLatitude, rec.sLatitude);
    c.iSendModeItem = v_.ListSel(IDC_SEND_MODE);
    c.iSendImgSizeItem = v_.ListSel(IDC_SEND_IMAGE_SIZE);
    return c;
}

int SendPageModel::CheckEntries(const GenerateClock& now) {
    SendSet& rec = *r_.rec;
    g_sSendSetClock = ClockOfSendTime(MakeSendTime(now));
    TakeEntries(rec);
    return CheckSendSet(rec, Controls(now, rec));
}

void SendPageModel::StoreAsGenerate(const GenerateClock& now) {
    SendSet& rec = *r_.rec;
    TakeEntries(rec);
    StoreGenerateFields(rec, Controls(now, rec));
}

GenerateOutcome SendPageModel::Generate(const GenerateClock& now, Card& card, bool refuse) {
    SendSet& rec = *r_.rec;
    if (refuse) {
        const int msg = CheckEntries(now);
        if (msg != 0)
            return {GenerateOutcome::Refused, msg};
    } else {
        StoreAsGenerate(now);
        rec.sTime = MakeSendTime(now);
        g_sSendSetClock = ClockOfSendTime(rec.sTime);
    }
    // Success needs both: the new file in place, and its read-back carrying this time stamp.
    const bool written = WriteSendSetTo(card, rec);
    const int verified = ReadSendSetFrom(card, rec, 1, g_sSendSetClock);
    if (written && verified == 1)
        return {GenerateOutcome::Written, 0};
    TraceLine("Generate fail!");
    return {GenerateOutcome::Failed, 0};
}

SendPageModel& Page2() {
    static SendPageModel page(WizardRecords{&g_sSendSet, &g_sSendSetSaved, &g_bNoRemoteCmd22},
                              Page1());
    return page;
}
