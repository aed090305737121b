// "Generate" on the 3G Send Settings page: takes the page's entries into the record, runs the
// checks and writes CFG.BIN, reporting success only once the file has been read back.
#include "app/Trace.h"
#include "lang/LanguageWin.h"
#include "res/resource.h"
#include "sendset/SendSet.h"
#include "ui/WinUtil.h"
#include "wizard/GenerateChecks.h"
#include "wizard/SendPageWin.h"
#include "wizard/Wizard.h"

#include <cstdio>

namespace {

GenerateClock LocalClock() {
    SYSTEMTIME st = {};
    GetLocalTime(&st);
    Trace("Sytem time: %d-%d-%d, %d:%d:%d\n", st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute,
          st.wSecond);
    return GenerateClock{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

// The entries that go straight into the record, before any check.
void TakeEntries(HWND page, SendSet& rec) {
    GetRemoteEdits(page, rec);
    rec.uwMaxSendImgNum = static_cast<uint16_t>(GetEditNumber(page, IDC_SEND_MAX_NUM));
    Trace("EDIT_MAX_SEND_IMG_NUM val=%d\n", rec.uwMaxSendImgNum);
    // Page 1 lies hidden beneath this page; its list holds the send method the user chose.
    const int sendBy = GetParamPageSendOption();
    if (sendBy >= 0)
        rec.bySendBy = static_cast<uint8_t>(sendBy);
    GetRecipientEdits(page, rec);
}

GenerateControls ReadControls(HWND page, const GenerateClock& now, const SendSet& rec) {
    GenerateControls c = {};
    c.sNow = now;
    c.iRemoteIntervalItem = ComboGetSel(page, IDC_SEND_REMOTE_INTERVAL);
    c.bNoRemoteCmd22 = IsDlgButtonChecked(page, IDC_SEND_NO_REMOTE_CMD22) == BST_CHECKED;
    c.sLongitude = GetCoordinateInputs(page, CoordinateAxis::Longitude, rec.sLongitude);
    c.sLatitude = GetCoordinateInputs(page, CoordinateAxis::Latitude, rec.sLatitude);
    c.iSendModeItem = ComboGetSel(page, IDC_SEND_MODE);
    c.iSendImgSizeItem = ComboGetSel(page, IDC_SEND_IMAGE_SIZE);
    return c;
}

} // namespace

void GenerateSendSet(HWND page) {
    const GenerateClock now = LocalClock();
    g_sSendSetClock = ClockOfSendTime(MakeSendTime(now));
    TakeEntries(page, g_sSendSet);

    const int msg = CheckSendSet(g_sSendSet, ReadControls(page, now, g_sSendSet));
    if (msg != 0) {
        ShowWarningBox(page, GenerateMessage(msg));
        return;
    }

    // Success needs both: the new file in place, and its read-back carrying this time stamp.
    const bool written = WriteSendSetFile();
    const int verified = ReadSendSetFile(1);
    if (written && verified == 1)
        ShowNoticeBox(page, kTextGenerateSuccess);
    else
        TraceLine("Generate fail!");
}
