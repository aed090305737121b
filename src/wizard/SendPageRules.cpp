#include "wizard/SendPageRules.h"

#include "sendset/SendSet.h"
#include "wizard/GenerateChecks.h"

namespace {

uint16_t FullDegrees(CoordinateAxis axis) {
    return axis == CoordinateAxis::Longitude ? 180 : 90;
}

} // namespace

uint16_t CoordinateDegreeMaximum(CoordinateAxis axis, long minutes, long seconds) {
    const uint16_t full = FullDegrees(axis);
    return minutes <= 0 && seconds <= 0 ? full : static_cast<uint16_t>(full - 1);
}

uint16_t CoordinateMinuteMaximum(CoordinateAxis axis, long degrees) {
    return degrees == FullDegrees(axis) ? 0 : 59;
}

void PrepareSendPageRecord(SendSet& rec) {
    if (rec.bySendBy == SEND_BY_MMS)
        rec.bySendImgSize = 1;
    if (rec.byDailySendTime >= DAILY_SEND_TIME_NONE)
        rec.byDailySendTime = 0;
    rec.byRemoteSwitch = RemoteSwitchFor(rec.byRemoteInterval);
    if (!RemoteControlPossible(rec.bySendBy))
        rec.byRemoteSwitch = 0;
}

bool RemoteControlPossible(int sendBy) {
    return sendBy != SEND_BY_CLOSE_3G;
}

SendPageState SendPageStateOf(const SendSet& rec, bool cloudLayout, bool basicModel,
                              bool noRemoteCmd22) {
    const uint8_t sendBy = rec.bySendBy;
    SendPageState s = {};
    s.bPhones = sendBy == SEND_BY_MMS;
    s.bEmails = sendBy == SEND_BY_MMS || sendBy == SEND_BY_EMAIL;
    s.bCoordinates = (sendBy == SEND_BY_FTP || sendBy == SEND_BY_CLOUD) && cloudLayout;
    s.bSending = sendBy != SEND_BY_CLOSE_3G;
    s.bImageSizeEnabled = s.bSending && sendBy != SEND_BY_MMS && !basicModel;
    s.bDailyTime = s.bSending && DailyTimeEnabledFor(rec.bySendMode);
    s.bRemoteDetails = s.bSending && rec.byRemoteSwitch == 1;
    s.bRemoteEmail = RemoteEmailEnabledFor(s.bRemoteDetails, noRemoteCmd22);
    s.iRemoteIntervalItem = s.bSending ? RemoteIntervalItem(rec.byRemoteInterval) : 0;
    return s;
}

bool DailyTimeEnabledFor(int sendModeItem) {
    return sendModeItem == 1;
}

bool RemoteDetailsEnabledFor(int remoteIntervalItem) {
    return remoteIntervalItem != 0;
}

bool RemoteEmailEnabledFor(bool remoteDetails, bool noRemoteCmd22) {
    return remoteDetails && !noRemoteCmd22;
}
