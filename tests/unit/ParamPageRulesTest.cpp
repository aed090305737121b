#include "sendset/OperatorPresets.h"
#include "wizard/GenerateChecks.h"
#include "wizard/ParamPageRules.h"
#include "wizard/SendPageRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

SendSet Record(int sendBy, bool manual, bool remote) {
    SendSet rec;
    LoadSendSetDefaults(rec);
    rec.bySendBy = static_cast<uint8_t>(sendBy);
    rec.byOperatorCountry = manual ? OPERATOR_COUNTRY_MANUAL : 3;
    rec.byRemoteInterval = remote ? 1 : REMOTE_INTERVAL_OFF;
    rec.byRemoteSwitch = remote ? 1 : 0;
    return rec;
}

// The entries a page would give for the record, every edit showing its field.
ParamPageEntries EntriesOf(const SendSet& rec, int modeItem) {
    ParamPageEntries e;
    for (int i = 0; i < PARAM_EDIT_COUNT; ++i) {
        const ParamEdit edit = static_cast<ParamEdit>(i);
        e.sText[i] = RecordTextOfEdit(rec, edit, FtpLayoutOf(rec.bySendBy));
    }
    e.iModeItem = modeItem;
    e.iCountryItem = rec.byOperatorCountry;
    e.iOperatorItem = rec.byOperator;
    e.iFtpDirTypeItem = 0;
    return e;
}

void Take(SendSet& rec, const ParamPageEntries& e, bool noCmd22 = false) {
    CaptureStdout();
    TakeParamPageEntries(rec, e, noCmd22);
    GetCapturedStdout();
}

} // namespace

TEST(ParamPageRules, EnablingFollowsSendOptionModeRemoteAndCommand22) {
    struct Case {
        int sendBy;
        bool manual, remote, noCmd22;
        unsigned enabled;
    };
    const unsigned MMS = PEG_MMS, NET = PEG_NET, SND = PEG_SENDER, FTP = PEG_FTP;
    const Case cases[] = {
        {0, true, true, false, 0},
        {7, true, true, false, 0}, // values the list lacks count as "Close 3G"
        {1, false, false, false, 0},
        {1, true, false, false, MMS},
        {1, true, true, false, MMS | NET | SND},
        {1, true, true, true, MMS},
        {1, false, true, false, SND},
        {2, false, false, false, SND},
        {2, true, false, false, NET | SND},
        {2, true, true, true, MMS | NET | SND},
        {3, false, false, false, FTP},
        {3, true, false, false, NET | FTP},
        {3, true, true, false, MMS | NET | SND | FTP},
        {4, true, true, true, MMS | NET | FTP},
        {4, false, true, false, SND | FTP},
    };
    for (const Case& c : cases) {
        const SendSet rec = Record(c.sendBy, c.manual, c.remote);
        const ParamPageState s = ParamPageStateOf(rec, c.noCmd22, false);
        EXPECT_EQ(s.uEnabled, c.enabled) << c.sendBy << c.manual << c.remote << c.noCmd22;
        const bool sending = c.sendBy >= 1 && c.sendBy <= 4;
        EXPECT_EQ(s.iSendOptionItem, sending ? c.sendBy : 0);
        EXPECT_EQ(s.bModeListEnabled, sending);
        EXPECT_EQ(s.bFtpGroupShown, sending);
        // 3G presets are loaded where the page shows the 3G edits, in preset mode only.
        EXPECT_EQ(s.bLoad3GPresets, !c.manual && (s.uShowRecord & PEG_NET) != 0);
    }
    // Once shown, the FTP group stays visible under "Close 3G".
    EXPECT_TRUE(ParamPageStateOf(Record(0, false, false), false, true).bFtpGroupShown);
}

TEST(ParamPageRules, OpeningAndSendOptionsDecideWhichEditsHoldTheRecord) {
    EXPECT_EQ(GroupsShownAtOpening(Record(1, false, false)), unsigned{PEG_MMS});
    EXPECT_EQ(GroupsShownAtOpening(Record(1, false, true)),
              unsigned{PEG_MMS | PEG_NET | PEG_SENDER});
    EXPECT_EQ(GroupsShownAtOpening(Record(2, false, false)), unsigned{PEG_NET | PEG_SENDER});
    EXPECT_EQ(GroupsShownAtOpening(Record(3, false, false)), 0u);

    SendSet rec = Record(1, false, false);
    EXPECT_EQ(ChooseSendOption(rec, 1), unsigned{PEG_NET | PEG_SENDER});
    EXPECT_EQ(ChooseSendOption(rec, 2), unsigned{PEG_MMS});
    EXPECT_EQ(ChooseSendOption(rec, 4), unsigned{PEG_FTP});
    EXPECT_EQ(FtpLayoutOf(4), FTP_EDIT_CLOUD);
    EXPECT_EQ(ChooseSendOption(rec, 0), unsigned{PEG_MMS | PEG_NET | PEG_SENDER});
    EXPECT_EQ(rec.bySendBy, 0);
    rec.byRemoteSwitch = 1; // the sender mailbox is kept while remote control uses it
    EXPECT_EQ(ChooseSendOption(rec, 1), unsigned{PEG_NET});

    // Opening repairs: a country above 43 and an operator above 8 become 0.
    rec.byOperatorCountry = 44;
    rec.byOperator = 9;
    PrepareParamPageRecord(rec, true);
    EXPECT_EQ(rec.byOperatorCountry, 0);
    EXPECT_EQ(rec.byOperator, 0);
    EXPECT_EQ(rec.bySendImgSize, 1);
}

TEST(ParamPageRules, ModeChoicesLoadOrEmptyTheOperatorParameters) {
    SendSet rec = Record(2, false, false);
    CaptureStdout();
    LoadPresetsOfRow(rec, 3, 0);
    EXPECT_EQ(ChooseParamMode(rec, 0, 3, 0), ParamModeChange::None); // already presets
    EXPECT_EQ(ChooseParamMode(rec, 1, 3, 0), ParamModeChange::ToManual);
    EXPECT_EQ(rec.byOperatorCountry, OPERATOR_COUNTRY_MANUAL);
    EXPECT_STREQ(rec.sMmsSet.szUrl, "");
    EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpApN, "");
    // Back to presets: the lists still show "Others", so the first country's first slot loads.
    EXPECT_EQ(ChooseParamMode(rec, 0, 0, 0), ParamModeChange::ToPresets);
    GetCapturedStdout();
    EXPECT_EQ(rec.byOperatorCountry, 0);
    EXPECT_STREQ(rec.sMmsSet.szUrl, "http://mmsc.myuni.com.cn");
    EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpApN, "3gnet");

    EXPECT_FALSE(ChooseCountry(rec, 0)); // the same country changes nothing
    rec.byOperator = 5;
    EXPECT_TRUE(ChooseCountry(rec, 3));
    EXPECT_EQ(rec.byOperator, 0);
    rec.byOperator = 9; // beyond the country's list: no selection, read as slot 0
    EXPECT_EQ(OperatorListItem(rec), -1);
    rec.byOperatorCountry = OPERATOR_COUNTRY_MANUAL;
    EXPECT_EQ(OperatorListItem(rec), -1);
}

TEST(ParamPageRules, NextPageTakesManual3GSettingsWhereverTheyAreEnabled) {
    for (int sendBy : {SEND_BY_FTP, SEND_BY_CLOUD, SEND_BY_EMAIL}) {
        SendSet rec = Record(sendBy, true, false);
        ParamPageEntries e = EntriesOf(rec, 1);
        e.sText[PE_NET_APN] = "my.apn";
        e.sText[PE_NET_ACCOUNT] = "acct";
        e.sText[PE_NET_PASSWORD] = "pw";
        Take(rec, e);
        EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpApN, "my.apn") << sendBy;
        EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpAccount, "acct") << sendBy;
        EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpPassword, "pw") << sendBy;
    }
    // MMS without remote control has the 3G edits disabled: the record keeps its values.
    SendSet mms = Record(SEND_BY_MMS, true, false);
    ParamPageEntries e = EntriesOf(mms, 1);
    e.sText[PE_NET_APN] = "typed";
    e.sText[PE_SENDER_SERVER] = "smtp.example.com";
    Take(mms, e);
    EXPECT_STREQ(mms.sSmtpSet.sz3GSmtpApN, "");
    EXPECT_STREQ(mms.sSmtpSet.szServer, "");
}

TEST(ParamPageRules, NextPageCutsAndParsesAsThePageDoes) {
    SendSet rec = Record(SEND_BY_FTP, true, true);
    rec.sFtpSet.iPort = 21;
    rec.sSmtpSet.iPort = 25;
    ParamPageEntries e = EntriesOf(rec, 1);
    e.sText[PE_FTP_PORT] = "";          // no number: the port stays
    e.sText[PE_SENDER_PORT] = "587abc"; // leading digits count
    e.sText[PE_FTP_USER] = std::string(48, 'u');
    e.sText[PE_FTP_DIR] = "/cams";
    e.iFtpDirTypeItem = 1;
    Take(rec, e);
    EXPECT_EQ(rec.sFtpSet.iPort, 21);
    EXPECT_EQ(rec.sSmtpSet.iPort, 587);
    EXPECT_EQ(strlen(rec.sFtpSet.szUserName), 43u);
    EXPECT_EQ(rec.sFtpSet.iFtpDirType, 1);
    EXPECT_STREQ(rec.sFtpSet.szFtpDir, "/cams");

    SendSet cloud = Record(SEND_BY_CLOUD, true, false);
    e = EntriesOf(cloud, 1);
    e.sText[PE_FTP_SERVER] = std::string(60, 'k'); // the key edit takes 60, the field 32
    e.sText[PE_FTP_USER] = "1234567890123456";
    Take(cloud, e);
    EXPECT_EQ(std::string(cloud.sQorCloudSet.szAppKey), std::string(32, 'k'));
    EXPECT_STREQ(cloud.sQorCloudSet.szSimCardNum, "123456789012345");
    EXPECT_STREQ(cloud.sFtpSet.szFtpDir, "/"); // the FTP fields are not the cloud's

    // Preset mode loads the lists' row, whatever the MMS edits hold.
    SendSet preset = Record(SEND_BY_MMS, false, false);
    e = EntriesOf(preset, 0);
    e.sText[PE_MMS_URL] = "typed";
    e.iCountryItem = 0;
    e.iOperatorItem = -1;
    Take(preset, e);
    EXPECT_STREQ(preset.sMmsSet.szUrl, "http://mmsc.myuni.com.cn");
}

TEST(ParamPageModel, ChoicesInOrderGiveWhatThePageGives) {
    CaptureStdout();
    // The default record with MMS chosen: Next Page loads the preselected operator's presets.
    SendSet rec;
    LoadSendSetDefaults(rec);
    {
        ParamPageModel page(rec, false, false);
        page.ChooseSendOption(SEND_BY_MMS);
        page.NextPage();
    }
    EXPECT_STREQ(rec.sMmsSet.szUrl, "http://mmsc.myuni.com.cn");
    EXPECT_STREQ(rec.sMmsSet.szApn, "3gwap");
    EXPECT_STREQ(rec.sMmsSet.szGateway, "10.0.0.172");
    EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpApN, "3gnet");

    // Email in manual input without remote control: the MMS edits were emptied by the choice
    // and Next Page takes them, so the MMS parameters go.
    {
        ParamPageModel page(rec, false, false);
        page.ChooseParamMode(1);
        EXPECT_STREQ(rec.sMmsSet.szUrl, "");
        strcpy(rec.sMmsSet.szUrl, "typed.example.com");
        page.ChooseSendOption(SEND_BY_EMAIL);
        page.NextPage();
    }
    EXPECT_STREQ(rec.sMmsSet.szUrl, "");

    // A country chosen in manual input returns to the presets first; an operator needs a list.
    {
        ParamPageModel page(rec, false, false);
        EXPECT_FALSE(page.ChooseOperator(1));
        page.ChooseCountry(3);
        EXPECT_TRUE(page.ChooseOperator(2));
        page.NextPage();
    }
    SendSet want = rec;
    LoadMmsPresets(want, 3, 2);
    Load3GPresets(want, 3, 2);
    GetCapturedStdout();
    EXPECT_EQ(rec.byOperatorCountry, 3);
    EXPECT_EQ(rec.byOperator, 2);
    EXPECT_EQ(memcmp(&rec.sMmsSet, &want.sMmsSet, sizeof rec.sMmsSet), 0);
}

TEST(GenerateStores, MatchWhatAPassingGenerateStores) {
    const GenerateClock now = {2026, 12, 7, 9, 5, 3};
    for (int sendBy : {SEND_BY_CLOSE_3G, SEND_BY_FTP, SEND_BY_CLOUD}) {
        SendSet rec = Record(sendBy, false, false);
        strcpy(rec.sFtpSet.szServer, "ftp.example.com");
        rec.sFtpSet.iPort = 21;
        strcpy(rec.sFtpSet.szUserName, "cam");
        strcpy(rec.sFtpSet.szPassword, "pw");
        strcpy(rec.sQorCloudSet.szAppKey, "key");
        strcpy(rec.sQorCloudSet.szSimCardNum, "123");
        rec.bySendFileNum = 3;
        rec.byDailySendTime = 7;
        GenerateControls c = ControlsForRecord(rec, now, false);
        c.sLongitude = Coordinate{1, 120, 30, 15};
        SendSet checked = rec, stored = rec;
        CaptureStdout();
        ASSERT_EQ(CheckSendSet(checked, c), 0);
        StoreGenerateFields(stored, c);
        GetCapturedStdout();
        stored.sTime = checked.sTime;
        EXPECT_EQ(memcmp(&stored, &checked, sizeof stored), 0) << sendBy;
        EXPECT_EQ(stored.byDailySendTime, 24);
        EXPECT_EQ(stored.bySendFileNum, 0);
    }
}

TEST(SendPageRules, OpeningPreparesTheRecordAndItsControls) {
    SendSet rec = Record(SEND_BY_MMS, false, true);
    rec.byDailySendTime = 24;
    rec.byRemoteSwitch = 0;
    PrepareSendPageRecord(rec);
    EXPECT_EQ(rec.bySendImgSize, 1);
    EXPECT_EQ(rec.byDailySendTime, 0);
    EXPECT_EQ(rec.byRemoteSwitch, 1); // follows the interval
    SendPageState s = SendPageStateOf(rec, false, false, true);
    EXPECT_TRUE(s.bPhones && s.bEmails && s.bRemoteDetails);
    EXPECT_FALSE(s.bImageSizeEnabled || s.bRemoteEmail || s.bCoordinates);

    SendSet closed = Record(SEND_BY_CLOSE_3G, false, true);
    PrepareSendPageRecord(closed);
    EXPECT_EQ(closed.byRemoteSwitch, 0);
    s = SendPageStateOf(closed, true, false, false);
    EXPECT_FALSE(s.bSending || s.bRemoteDetails || s.bPhones);
    EXPECT_EQ(s.iRemoteIntervalItem, 0);
    EXPECT_TRUE(
        SendPageStateOf(Record(SEND_BY_CLOUD, false, false), true, false, false).bCoordinates);
}
