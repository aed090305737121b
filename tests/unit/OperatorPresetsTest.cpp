#include "sendset/OperatorPresets.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

struct Operator {
    const char* name;
    const char* port; // MMS port
};

struct Country {
    const char* chinese;
    const char* english;
    int count;                  // operators offered
    std::vector<Operator> ops;  // every named slot, offered ones first
    const char* mmsCredentials; // operators with an MMS account, "*" after a name: no password
    const char* netCredentials; // the same for the 3G data connection
};

// clang-format off
const Country kCountries[PRESET_COUNTRY_COUNT] = {
    {"中国", "China", 1, {{"China Unicom", "80"}, {"China Mobile", "80"}}, "", ""},
    {"美国", "United States", 1, {{"T-Mobile", "8080"}, {"AT&T", "80"}}, "", ""},
    {"德国", "Deutschland", 4, {{"Vodafone", "80"}, {"T-Mobile", "8008"}, {"E-Plus", "8080"}, {"O2", "8080"}},
     "T-Mobile|E-Plus", "T-Mobile|E-Plus"},
    {"英国", "United Kingdom", 8, {{"Vodafone", "9201"}, {"O2 Payandgo", "8080"}, {"Orange", "8080"}, {"3", "8799"},
                                  {"Virgin", "8080"}, {"Vodafone Prepay", "8799"}, {"ASDA Mobile", "9201"}, {"EE", "8080"}},
     "Vodafone|O2 Payandgo|Orange|Virgin*|Vodafone Prepay|ASDA Mobile|EE",
     "Vodafone|O2 Payandgo|Orange|3|Virgin*|Vodafone Prepay|ASDA Mobile"},
    {"加拿大", "Canada", 3, {{"Fido", "8080"}, {"Rogers", "80"}, {"Telus", "80"}}, "Fido|Rogers", "Fido|Rogers"},
    {"瑞典", "Sweden", 3, {{"Telenor", "8799"}, {"Telia", "8080"}, {"Tele2 ", "8080"}}, "Telia", "Tele2 "},
    {"斯洛文尼亚", "Slovenia", 5, {{"Mobitel", "8080"}, {"Izi Mobil", "8080"}, {"Si Mobil", "9201"}, {"Bob", "9201"},
                                 {"Telemach", "8080"}},
     "Mobitel|Izi Mobil|Si Mobil|Bob|Telemach", "Mobitel|Izi Mobil|Si Mobil|Bob"},
    {"葡萄牙", "Portugal", 2, {{"Optimus", "8799"}, {"Vodafone", "8799"}}, "Vodafone", ""},
    {"土耳其", "Turkey", 2, {{"Avea", "8080"}, {"Turkcell", "8080"}}, "Avea|Turkcell", ""},
    {"瑞士", "Schweiz", 3, {{"Orange", "8080"}, {"Sunrise", "8080"}, {"Swisscom", "8080"}}, "Sunrise", "Sunrise"},
    {"西班牙", "Spain", 4, {{"Orange", "8080"}, {"Vodafone", "80"}, {"Telstra", "8080"}, {"Movistar", "8080"}},
     "Orange|Vodafone|Movistar", "Orange|Vodafone|Telstra|Movistar"},
    {"斯洛伐克", "Slovakia", 3, {{"T-Mobile", "8080"}, {"Orange", "8799"}, {"O2", "8080"}}, "T-Mobile|Orange", ""},
    {"俄罗斯", "Russia", 2, {{"A Mobile", "9201"}, {"Beeline", "9201"}}, "A Mobile*|Beeline", "A Mobile|Beeline"},
    {"罗马尼亚", "Romania", 2, {{"Telekom", "8080"}, {"Vodafone", "8080"}}, "Telekom|Vodafone", ""},
    {"波兰", "Poland", 1, {{"ERA", "8080"}}, "ERA", "ERA"},
    {"荷兰", "Netherlands", 2, {{"T-Mobile", "8080"}, {"Vodafone", "8799"}}, "T-Mobile|Vodafone", "Vodafone"},
    {"意大利", "Italy", 2, {{"TIM", "80"}, {"Vodafone", "8080"}}, "", ""},
    {"爱尔兰", "Ireland", 2, {{"Meteor", "8799"}, {"Vodafone", "80"}}, "Meteor|Vodafone", "Meteor|Vodafone"},
    {"匈牙利", "Hungary", 2, {{"T-Mobile", "8080"}, {"Vodafone", "8080"}}, "Vodafone", "Vodafone"},
    {"希腊", "Greece", 2, {{"T-Cosmote", "8080"}, {"Vodafone", "8080"}}, "Vodafone", ""},
    {"法国", "France", 2, {{"Bouygues", "8080"}, {"Orange", "8080"}}, "Orange", "Orange"},
    {"澳大利亚", "Australia", 5, {{"Optus", "8070"}, {"Telstra", "80"}, {"Vodafone", "8080"}, {"Three", "8799"},
                                {"AldiMobile", "80"}},
     "", "Telstra|Three"},
    {"奥地利", "Oesterreich", 2, {{"A1", "8001"}, {"T-Mobile", "80"}}, "", "A1*|T-Mobile*"},
    {"巴西", "Brazil", 2, {{"Brazil Telecom", "8080"}, {"Claro", "8080"}}, "Brazil Telecom|Claro", "Brazil Telecom|Claro"},
    {"保加利亚", "Bulgaria", 3, {{"Globul", "8004"}, {"Mtel", "8080"}, {"Vivacom", "8080"}}, "Globul*|Mtel|Vivacom",
     "Globul*|Vivacom"},
    {"克罗地亚", "Croatia", 5, {{"VIPNet", "8080"}, {"T-mobile", "8080"}, {"Tele2", "8080"}, {"Tomato", "8080"},
                              {"Bonbon", "8080"}},
     "", ""},
    {"捷克共和国", "Ceska republika", 4, {{"Eurotel", "8080"}, {"O2", "8080"}, {"T-Mobile", "80"}, {"Vodafone", "80"}},
     "T-Mobile|Vodafone", "T-Mobile"},
    {"丹麦", "Denmark", 2, {{"TDC", "8080"}, {"Telia", "8080"}}, "", "TDC|Telia"},
    {"芬兰", "Finland", 3, {{"DNA", "8080"}, {"Sonera", "80"}, {"Elisa", "80"}}, "DNA", "Elisa"},
    {"新西兰", "New Zealand", 1, {{"Vodafone", "8080"}}, "", ""},
    {"挪威", "Norway", 4, {{"Teila N", "8080"}, {"Telenor", "8080"}, {"Tele2", "8080"}, {"NetworkNorway", "80"}},
     "NetworkNorway*", ""},
    {"南非", "South Africa", 3, {{"Cell C", "8080"}, {"Vodacom", "8080"}, {"MTN", "8080"}}, "MTN", ""},
    {"埃及", "Egypt", 2, {{"MobilNil", "8080"}, {"Vodafone", "8080"}}, "", "Vodafone"},
    {"乌克兰", "Ukraine", 5, {{"KiyvStar", "8080"}, {"MTS", "8080"}, {"LIFE", "8080"}, {"Beeline UA", "8080"},
                            {"UMC Ukraine", "8080"}},
     "KiyvStar", "KiyvStar"},
    {"立陶宛", "Lithuania", 2, {{"Omnitel", "8080"}, {"Omnitel Ezio", "8080"}, {"Tele2 Pildyk", ""}, {"Bite", ""}},
     "Omnitel|Omnitel Ezio", "Omnitel|Omnitel Ezio"},
    {"印度", "India", 4, {{"Idea", "8080"}, {"BPL", "8080"}, {"Airtel", "8080"}, {"VodaFone", "8080"}}, "", "BPL*"},
    {"拉脱维亚", "Latvia", 1, {{"LMT", "8080"}}, "", ""},
    {"纳米比亚", "Namibia", 1, {{"MTC", "80"}}, "MTC", "MTC"},
    {"爱沙尼亚", "Estonia", 3, {{"EMT", "8080"}, {"ELISA", "8000"}, {"TELE2", "9201"}}, "", "EMT*|ELISA*|TELE2*"},
    {"比利时", "Belgium", 3, {{"Proximus", "80"}, {"Mobistar", "8080"}, {"Base", "8080"}}, "", "Mobistar"},
    {"塞浦路斯", "Cyprus", 1, {{"Cyta", "8080"}}, "Cyta*", "Cyta"},
    {"智利", "Chile", 2, {{"Telefonica", "8080"}, {"Entel", "8080"}}, "Telefonica|Entel", "Telefonica|Entel"},
    {"波黑", "Bosnia and Herzegovina", 1, {{"Mtel", "80"}}, "", ""},
};
// clang-format on

int Row(int country, int slot) {
    return country * PRESET_SLOT_COUNT + slot;
}

// Splits "a|b*|c" into names, and the names marked "*" (account without password).
void ParseCredentials(const char* names, std::set<std::string>* all,
                      std::set<std::string>* accountOnly) {
    std::string list = names;
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find('|', start);
        if (end == std::string::npos)
            end = list.size();
        std::string name = list.substr(start, end - start);
        if (!name.empty() && name.back() == '*') {
            name.pop_back();
            accountOnly->insert(name);
        }
        all->insert(name);
        start = end + 1;
    }
}

void ExpectCredentials(const char* what, const Country& c, const char* names,
                       const std::vector<std::pair<const char*, const char*>>& cells) {
    std::set<std::string> withAccount, accountOnly;
    ParseCredentials(names, &withAccount, &accountOnly);
    for (const std::string& name : withAccount) {
        bool found = false;
        for (const Operator& op : c.ops)
            found = found || name == op.name;
        EXPECT_TRUE(found) << what << " " << c.english << ": no operator \"" << name << "\"";
    }
    for (size_t slot = 0; slot < c.ops.size(); ++slot) {
        std::string name = c.ops[slot].name;
        bool account = withAccount.count(name) != 0;
        bool password = account && accountOnly.count(name) == 0;
        EXPECT_EQ(cells[slot].first[0] != '\0', account)
            << what << " account of " << c.english << " / " << name;
        EXPECT_EQ(cells[slot].second[0] != '\0', password)
            << what << " password of " << c.english << " / " << name;
    }
}

std::string Field(const char* field, size_t capacity) {
    return std::string(field, strnlen(field, capacity));
}

SendSet FilledRecord(uint8_t fill) {
    SendSet rec;
    memset(&rec, fill, sizeof rec);
    return rec;
}

} // namespace

TEST(OperatorPresets, CountriesAndOperatorListsAreTheProductLists) {
    for (int i = 0; i < PRESET_COUNTRY_COUNT; ++i) {
        const Country& c = kCountries[i];
        SCOPED_TRACE(c.english);
        EXPECT_STREQ(CountryNameTable[i].text[0], c.chinese);
        EXPECT_STREQ(CountryNameTable[i].text[1], c.english);
        for (int lang = 0; lang < 2; ++lang) {
            const OperatorNameEntry& entry = OperatorNameTable[lang][i];
            EXPECT_EQ(entry.count & 0xFF, c.count);
            for (int slot = 0; slot < PRESET_SLOT_COUNT; ++slot) {
                ASSERT_NE(entry.names[slot], nullptr);
                std::string expected =
                    slot < static_cast<int>(c.ops.size()) ? c.ops[slot].name : "";
                if (i == 0 && lang == 0 && slot < 2)
                    expected = slot == 0 ? "中国联通" : "中国移动";
                EXPECT_EQ(entry.names[slot], expected) << "language " << lang << " slot " << slot;
            }
        }
    }
}

TEST(OperatorPresets, NamedSlotsHaveFullRowsAndTheOthersAreEmpty) {
    for (int i = 0; i < PRESET_COUNTRY_COUNT; ++i) {
        const Country& c = kCountries[i];
        for (int slot = 0; slot < PRESET_SLOT_COUNT; ++slot) {
            SCOPED_TRACE(std::string(c.english) + " slot " + std::to_string(slot));
            const MmsPresetRow& mms = MmsPresetTable[Row(i, slot)];
            const Net3GPresetRow& net = Net3GPresetTable[Row(i, slot)];
            const char* texts[] = {mms.url,      mms.apn, mms.gateway, mms.port,    mms.account,
                                   mms.password, net.apn, net.account, net.password};
            for (const char* t : texts)
                ASSERT_NE(t, nullptr);
            bool named = slot < static_cast<int>(c.ops.size());
            if (!named || c.ops[slot].port[0] == '\0') {
                // Unnamed slots, and named ones stored without parameters.
                for (const char* t : texts)
                    EXPECT_STREQ(t, "");
                continue;
            }
            EXPECT_STRNE(mms.url, "");
            EXPECT_STRNE(mms.apn, "");
            EXPECT_STRNE(mms.gateway, "");
            EXPECT_STREQ(mms.port, c.ops[slot].port);
            EXPECT_STRNE(net.apn, "");
        }
    }
}

TEST(OperatorPresets, AccountsAndPasswordsOnlyWhereTheOperatorHasThem) {
    for (int i = 0; i < PRESET_COUNTRY_COUNT; ++i) {
        const Country& c = kCountries[i];
        std::vector<std::pair<const char*, const char*>> mms, net;
        for (size_t slot = 0; slot < c.ops.size(); ++slot) {
            const MmsPresetRow& m = MmsPresetTable[Row(i, static_cast<int>(slot))];
            const Net3GPresetRow& n = Net3GPresetTable[Row(i, static_cast<int>(slot))];
            mms.emplace_back(m.account, m.password);
            net.emplace_back(n.account, n.password);
        }
        ExpectCredentials("MMS", c, c.mmsCredentials, mms);
        ExpectCredentials("3G", c, c.netCredentials, net);
    }
}

TEST(OperatorPresets, EveryTextFitsItsRecordField) {
    SendSet rec;
    for (int row = 0; row < PRESET_COUNTRY_COUNT * PRESET_SLOT_COUNT; ++row) {
        SCOPED_TRACE(row);
        const MmsPresetRow& m = MmsPresetTable[row];
        const Net3GPresetRow& n = Net3GPresetTable[row];
        EXPECT_LT(strlen(m.url), sizeof rec.sMmsSet.szUrl);
        EXPECT_LT(strlen(m.apn), sizeof rec.sMmsSet.szApn);
        EXPECT_LT(strlen(m.gateway), sizeof rec.sMmsSet.szGateway);
        EXPECT_LT(strlen(m.port), sizeof rec.sMmsSet.szPort);
        EXPECT_LT(strlen(m.account), sizeof rec.sMmsSet.szAccount);
        EXPECT_LT(strlen(m.password), sizeof rec.sMmsSet.szPassword);
        EXPECT_LT(strlen(n.apn), sizeof rec.sSmtpSet.sz3GSmtpApN);
        EXPECT_LT(strlen(n.account), sizeof rec.sSmtpSet.sz3GSmtpAccount);
        EXPECT_LT(strlen(n.password), sizeof rec.sSmtpSet.sz3GSmtpPassword);
    }
}

TEST(OperatorPresets, MmsLookupReplacesExactlyTheMmsFields) {
    // United Kingdom / Vodafone has an account and password; Deutschland / Vodafone has none.
    SendSet rec = FilledRecord(0xEE);
    testing::internal::CaptureStdout();
    LoadMmsPresets(rec, 3, 0);
    LoadMmsPresets(rec, 2, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "lCountrySel = 3, lrOperatorIndex = 0\nlCountrySel = 2, lrOperatorIndex = 0\n");

    const MmsPresetRow& de = MmsPresetTable[Row(2, 0)];
    EXPECT_EQ(Field(rec.sMmsSet.szUrl, sizeof rec.sMmsSet.szUrl), de.url);
    EXPECT_EQ(Field(rec.sMmsSet.szApn, sizeof rec.sMmsSet.szApn), de.apn);
    EXPECT_EQ(Field(rec.sMmsSet.szGateway, sizeof rec.sMmsSet.szGateway), de.gateway);
    EXPECT_EQ(Field(rec.sMmsSet.szPort, sizeof rec.sMmsSet.szPort), "80");
    // The whole field is rewritten: the longer United Kingdom texts and the fill leave nothing.
    for (uint8_t b : std::string(reinterpret_cast<const char*>(&rec.sMmsSet), sizeof rec.sMmsSet))
        EXPECT_TRUE(b == 0 || (b >= 0x20 && b < 0x7F)) << "fill byte left in sMmsSet";
    EXPECT_EQ(std::string(rec.sMmsSet.szAccount, sizeof rec.sMmsSet.szAccount),
              std::string(sizeof rec.sMmsSet.szAccount, '\0'));
    EXPECT_EQ(std::string(rec.sMmsSet.szPassword, sizeof rec.sMmsSet.szPassword),
              std::string(sizeof rec.sMmsSet.szPassword, '\0'));

    // No byte outside sMmsSet changed.
    SendSet untouched = FilledRecord(0xEE);
    memcpy(&untouched.sMmsSet, &rec.sMmsSet, sizeof rec.sMmsSet);
    EXPECT_EQ(memcmp(&untouched, &rec, sizeof rec), 0);
}

TEST(OperatorPresets, NetworkLookupReplacesExactlyTheThreeNetworkFields) {
    // United Kingdom / Vodafone, then Portugal / Optimus, which has no account and password.
    SendSet rec = FilledRecord(0x5A);
    testing::internal::CaptureStdout();
    Load3GPresets(rec, 3, 0);
    Load3GPresets(rec, 7, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    EXPECT_EQ(Field(rec.sSmtpSet.sz3GSmtpApN, sizeof rec.sSmtpSet.sz3GSmtpApN),
              Net3GPresetTable[Row(7, 0)].apn);
    EXPECT_EQ(std::string(rec.sSmtpSet.sz3GSmtpAccount, sizeof rec.sSmtpSet.sz3GSmtpAccount),
              std::string(sizeof rec.sSmtpSet.sz3GSmtpAccount, '\0'));
    EXPECT_EQ(std::string(rec.sSmtpSet.sz3GSmtpPassword, sizeof rec.sSmtpSet.sz3GSmtpPassword),
              std::string(sizeof rec.sSmtpSet.sz3GSmtpPassword, '\0'));
    size_t apnLen = strlen(Net3GPresetTable[Row(7, 0)].apn);
    EXPECT_EQ(
        std::string(rec.sSmtpSet.sz3GSmtpApN + apnLen, sizeof rec.sSmtpSet.sz3GSmtpApN - apnLen),
        std::string(sizeof rec.sSmtpSet.sz3GSmtpApN - apnLen, '\0'));

    SendSet untouched = FilledRecord(0x5A);
    memcpy(untouched.sSmtpSet.sz3GSmtpApN, rec.sSmtpSet.sz3GSmtpApN,
           sizeof rec.sSmtpSet.sz3GSmtpApN);
    memcpy(untouched.sSmtpSet.sz3GSmtpAccount, rec.sSmtpSet.sz3GSmtpAccount,
           sizeof rec.sSmtpSet.sz3GSmtpAccount);
    memcpy(untouched.sSmtpSet.sz3GSmtpPassword, rec.sSmtpSet.sz3GSmtpPassword,
           sizeof rec.sSmtpSet.sz3GSmtpPassword);
    EXPECT_EQ(memcmp(&untouched, &rec, sizeof rec), 0);
}

TEST(OperatorPresets, IndicesOutsideTheTablesReadTheFirstSlot) {
    // Lithuania, no operator selected (-1) or an index past the ten slots: Omnitel.
    for (long slot : {-1L, 10L, 255L}) {
        SendSet rec = FilledRecord(0);
        testing::internal::CaptureStdout();
        LoadMmsPresets(rec, 34, slot);
        EXPECT_EQ(testing::internal::GetCapturedStdout(),
                  "lCountrySel = 34, lrOperatorIndex = " + std::to_string(slot) + "\n");
        Load3GPresets(rec, 34, slot);
        EXPECT_STREQ(rec.sMmsSet.szUrl, MmsPresetTable[Row(34, 0)].url) << slot;
        EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpApN, Net3GPresetTable[Row(34, 0)].apn) << slot;
    }
    // A country past the table (43 is manual input) stays inside it: China.
    for (long country : {-1L, 43L, 200L}) {
        SendSet rec = FilledRecord(0);
        testing::internal::CaptureStdout();
        LoadMmsPresets(rec, country, 0);
        testing::internal::GetCapturedStdout();
        Load3GPresets(rec, country, 0);
        EXPECT_STREQ(rec.sMmsSet.szUrl, MmsPresetTable[0].url) << country;
        EXPECT_STREQ(rec.sSmtpSet.sz3GSmtpApN, Net3GPresetTable[0].apn) << country;
    }
}

TEST(OperatorPresets, GlobalLookupsFillTheEditedRecord) {
    memset(&g_sSendSet, 0, sizeof g_sSendSet);
    testing::internal::CaptureStdout();
    LoadMmsPresets(3, 0);
    testing::internal::GetCapturedStdout();
    Load3GPresets(3, 0);
    EXPECT_STREQ(g_sSendSet.sMmsSet.szPort, "9201");
    EXPECT_STRNE(g_sSendSet.sMmsSet.szPassword, "");
    EXPECT_STRNE(g_sSendSet.sSmtpSet.sz3GSmtpPassword, "");
    memset(&g_sSendSet, 0, sizeof g_sSendSet);
}
