// Writes the fuzz targets' seed corpus with the core's own writers:
//   MakeFuzzCorpus <corpus folder>     (normally tests/fuzz/corpus)
// Every reader target gets valid files, the size edges around both record sizes, a file with a
// wrong layout flag and files whose text fields have no terminator; the image target gets the
// 1240-byte ones.
#include "menu/MenuData.h"
#include "sendset/FileIo.h"
#include "sendset/SendSet.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

std::string s_scratch;

Bytes ReadWhole(const std::string& path) {
    Bytes bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr)
        return bytes;
    int c;
    while ((c = fgetc(f)) != EOF)
        bytes.push_back(static_cast<uint8_t>(c));
    fclose(f);
    return bytes;
}

void Save(const std::string& folder, const std::string& name, const Bytes& bytes) {
    mkdir(folder.c_str(), 0755);
    const std::string path = folder + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (f == nullptr ||
        (!bytes.empty() && fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())) {
        perror(path.c_str());
        exit(1);
    }
    fclose(f);
}

Bytes CfgFile(const SendSet& rec) {
    if (!WriteSendSetTo(s_scratch.c_str(), rec)) {
        fprintf(stderr, "cannot write CFG.BIN in %s\n", s_scratch.c_str());
        exit(1);
    }
    return ReadWhole(MakeFilePath(s_scratch.c_str(), "CFG.BIN"));
}

Bytes MenuFile(const MenuData& rec) {
    if (!WriteMenuTo(s_scratch.c_str(), rec)) {
        fprintf(stderr, "cannot write menu.dat in %s\n", s_scratch.c_str());
        exit(1);
    }
    return ReadWhole(MakeFilePath(s_scratch.c_str(), "menu.dat"));
}

Bytes Resized(Bytes bytes, size_t size) {
    bytes.resize(size, 0x69); // 0x69 is a scrambled zero byte
    return bytes;
}

SendSet FtpRecord() {
    SendSet rec;
    LoadSendSetDefaults(rec);
    rec.bySendBy = SEND_BY_FTP;
    rec.bySendMode = 1;
    rec.byDailySendTime = 13;
    rec.byRemoteInterval = 6;
    rec.byRemoteSwitch = 1;
    rec.byOperatorCountry = 12;
    rec.byOperator = 2;
    rec.bySendFileNum = 2;
    strcpy(rec.szFileFullName[0], "DCIM/100IMAGE/IMAG0001.JPG");
    strcpy(rec.szFileFullName[1], "DCIM/100IMAGE/IMAG0002.JPG");
    rec.sTime = {26, 3, 14, 15, 9, 26, 0};
    strcpy(rec.szRecp[0], "+441234567890");
    rec.uwRecpLen[0] = 13;
    strcpy(rec.szRecp[2], "owner@example.com");
    rec.uwRecpLen[2] = 17;
    strcpy(rec.sSmtpSet.sz3GSmtpApN, "internet");
    strcpy(rec.sFtpSet.szServer, "ftp.example.com");
    strcpy(rec.sFtpSet.szUserName, "camera");
    strcpy(rec.sFtpSet.szPassword, "secret");
    strcpy(rec.sFtpSet.szFtpDir, "/pictures");
    rec.sFtpSet.iFtpDirType = 1;
    rec.sLongitude = {1, 2, 30, 15};
    rec.sLatitude = {0, 51, 28, 40};
    return rec;
}

// Every byte 'A' but the layout flag: no text field is terminated.
SendSet UnterminatedRecord(uint8_t sendBy) {
    SendSet rec;
    memset(&rec, 'A', sizeof rec);
    rec.StructFlag = SEND_SET_STRUCT_FLAG;
    rec.bySendBy = sendBy;
    rec.bySendFileNum = 4;
    return rec;
}

MenuData ClockMenu() {
    MenuData rec;
    LoadMenuDefaults(rec);
    rec.CapMode = 2;
    rec.ClockMode = 1;
    rec.Year = 2026;
    rec.Month = 3;
    rec.Day = 14;
    rec.Hour = 15;
    rec.Minute = 9;
    rec.Second = 26;
    rec.Timer1On = 1;
    rec.Timer1StartHour = 6;
    rec.Timer1EndHour = 18;
    rec.SerialOn = 1;
    rec.Serial[0] = 10;
    rec.Serial[3] = 35;
    rec.Interval = 0x81;
    return rec;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    mkdir(root.c_str(), 0755);
    char tmpl[] = "/tmp/camsetup-corpus-XXXXXX";
    if (mkdtemp(tmpl) == nullptr) {
        perror("mkdtemp");
        return 1;
    }
    s_scratch = tmpl;
    if (freopen("/dev/null", "w", stdout) == nullptr) // the writers' trace
        return 1;

    SendSet defaults;
    LoadSendSetDefaults(defaults);
    SendSet repairs = FtpRecord();
    repairs.bySendFileNum = 9;
    repairs.byRemoteInterval = 200;
    SendSet wrongFlag = FtpRecord();
    wrongFlag.StructFlag = 6;
    MenuData menuDefaults;
    LoadMenuDefaults(menuDefaults);

    const Bytes cfg = CfgFile(FtpRecord());
    const Bytes menu = MenuFile(menuDefaults);
    const std::vector<std::pair<std::string, Bytes>> images = {
        {"cfg-defaults", CfgFile(defaults)},
        {"cfg-ftp", cfg},
        {"cfg-repairs", CfgFile(repairs)},
        {"cfg-structflag-wrong", CfgFile(wrongFlag)},
        {"cfg-ftp-unterminated", CfgFile(UnterminatedRecord(SEND_BY_FTP))},
        {"cfg-cloud-unterminated", CfgFile(UnterminatedRecord(SEND_BY_CLOUD))},
    };
    std::vector<std::pair<std::string, Bytes>> files = images;
    files.push_back({"menu-defaults", menu});
    files.push_back({"menu-clock", MenuFile(ClockMenu())});
    // cfg-ftp is the 1240-byte one.
    for (size_t size : {0, 1, 43, 44, 45, 1239, 1241})
        files.push_back({"cfg-size-" + std::to_string(size), Resized(cfg, size)});
    for (size_t size : {43, 45})
        files.push_back({"menu-size-" + std::to_string(size), Resized(menu, size)});

    for (const char* target : {"FuzzSendSetReader", "FuzzMenuReader"}) {
        for (const auto& f : files)
            Save(root + "/" + target, f.first, f.second);
    }
    for (const auto& f : images)
        Save(root + "/FuzzSendSetImage", f.first, f.second);

    remove(MakeFilePath(s_scratch.c_str(), "CFG.BIN").c_str());
    remove(MakeFilePath(s_scratch.c_str(), "menu.dat").c_str());
    rmdir(s_scratch.c_str());
    return 0;
}
