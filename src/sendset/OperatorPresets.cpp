// The preset lookups: copy one operator's network parameters into the send-settings record. The
// tables themselves are in OperatorPresetData.cpp.
#include "sendset/OperatorPresets.h"

#include "common/Trace.h"

#include <cstdio>
#include <cstring>

namespace {

// The row of (country, slot). The page passes the indices of its lists; a list without a selection
// gives -1, and a record from a file may name any country, so the lookup never leaves the tables:
// an operator index outside 0..9 reads slot 0 of the country, a country index outside 0..42 reads
// country 0.
int PresetRow(long lCountrySel, long lrOperatorIndex) {
    long country = (lCountrySel >= 0 && lCountrySel < PRESET_COUNTRY_COUNT) ? lCountrySel : 0;
    long slot = (lrOperatorIndex >= 0 && lrOperatorIndex < PRESET_SLOT_COUNT) ? lrOperatorIndex : 0;
    return static_cast<int>(country * PRESET_SLOT_COUNT + slot);
}

// Replaces the whole field, so a longer earlier value leaves no bytes behind.
template <size_t N> void CopyPresetText(char (&field)[N], const char* text) {
    memset(field, 0, N);
    size_t len = strlen(text);
    memcpy(field, text, len < N - 1 ? len : N - 1);
}

} // namespace

void LoadMmsPresets(SendSet& rec, long lCountrySel, long lrOperatorIndex) {
    Trace("lCountrySel = %d, lrOperatorIndex = %d\n", static_cast<int>(lCountrySel),
          static_cast<int>(lrOperatorIndex));
    const MmsPresetRow& row = MmsPresetTable[PresetRow(lCountrySel, lrOperatorIndex)];
    MmsSet& mms = rec.sMmsSet;
    CopyPresetText(mms.szUrl, row.url);
    CopyPresetText(mms.szApn, row.apn);
    CopyPresetText(mms.szGateway, row.gateway);
    CopyPresetText(mms.szPort, row.port);
    CopyPresetText(mms.szAccount, row.account);
    CopyPresetText(mms.szPassword, row.password);
}

void Load3GPresets(SendSet& rec, long lCountrySel, long lrOperatorIndex) {
    const Net3GPresetRow& row = Net3GPresetTable[PresetRow(lCountrySel, lrOperatorIndex)];
    SmtpSet& smtp = rec.sSmtpSet;
    CopyPresetText(smtp.sz3GSmtpApN, row.apn);
    CopyPresetText(smtp.sz3GSmtpAccount, row.account);
    CopyPresetText(smtp.sz3GSmtpPassword, row.password);
}

void LoadMmsPresets(long lCountrySel, long lrOperatorIndex) {
    LoadMmsPresets(g_sSendSet, lCountrySel, lrOperatorIndex);
}

void Load3GPresets(long lCountrySel, long lrOperatorIndex) {
    Load3GPresets(g_sSendSet, lCountrySel, lrOperatorIndex);
}
