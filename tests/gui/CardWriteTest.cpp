// Writing the card's files where it is hard: a save folder as long as the program accepts, files
// the user made read-only, and camfile.exe, the companion built beside the program, on the same
// cards and with numbers beyond 32 bits.
#include "CameraSetupSteps.h"
#include "GuiHarness.h"
#include "SendPageSteps.h"

#include "common/SavePath.h"
#include "res/resource.h"
#include "ui/ControlsWin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace gui;

namespace {

std::wstring Wide(const std::string& s) {
    int n = MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, nullptr, 0);
    std::wstring w(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.c_str(), -1, &w[0], n);
    w.resize(w.size() - 1);
    return w;
}

// The form of an absolute path that the wide file functions take beyond MAX_PATH.
std::wstring Long(const std::string& path) {
    return L"\\\\?\\" + Wide(path);
}

// Creates below base a folder whose path is exactly length characters long, a level of at most
// 100 characters at a time.
std::string MakeFolderOfLength(const std::string& base, size_t length) {
    std::string path = base;
    while (path.size() < length) {
        size_t room = length - path.size() - 1; // after the separator
        size_t n = room <= 100 ? room : (room - 100 < 2 ? 50 : 100);
        path += "\\" + std::string(n, 'd');
        CreateDirectoryW(Long(path).c_str(), nullptr);
    }
    return path;
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((Long(folder) + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            char name[MAX_PATH];
            WideCharToMultiByte(CP_ACP, 0, found.cFileName, -1, name, MAX_PATH, nullptr, nullptr);
            names.push_back(name);
        }
    } while (FindNextFileW(h, &found));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint8_t> FileBytes(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    uint8_t buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), buf, buf + got);
    CloseHandle(h);
    return bytes;
}

std::vector<uint8_t> LongFileBytes(const std::string& path) {
    return FileBytes(Long(path));
}

void RemoveLongTree(const std::string& folder) {
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((Long(folder) + L"\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            char narrow[MAX_PATH];
            WideCharToMultiByte(CP_ACP, 0, found.cFileName, -1, narrow, MAX_PATH, nullptr, nullptr);
            const std::string child = folder + "\\" + narrow;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                RemoveLongTree(child);
            else
                DeleteFileW(Long(child).c_str());
        } while (FindNextFileW(h, &found));
        FindClose(h);
    }
    RemoveDirectoryW(Long(folder).c_str());
}

// The Unix path of a Windows one under Wine; empty elsewhere.
std::string UnixPath(const std::string& path) {
    typedef char*(CDECL * ToUnix)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* unix = toUnix != nullptr ? toUnix(Wide(path).c_str()) : nullptr;
    const std::string out = unix != nullptr ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

// A Unix link at link naming target, by ln, which Wine runs but does not wait for; false elsewhere.
bool MakeUnixLink(const std::string& target, const std::string& link) {
    std::wstring command =
        Wide("/bin/ln -s \"" + UnixPath(target) + "\" \"" + UnixPath(link) + "\"");
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (UnixPath(link).empty() || !CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0,
                                                  nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return WaitUntil(
        [&] { return GetFileAttributesW(Wide(link).c_str()) != INVALID_FILE_ATTRIBUTES; });
}

void SetReadOnly(const std::string& path, bool readOnly) {
    ASSERT_TRUE(SetFileAttributesW(Long(path).c_str(),
                                   readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL));
}

} // namespace

TEST(CardWrite, SaveFolderOfTheLongestLengthIsWrittenByBothFormsAndCamfile) {
    App app;
    const std::string card = MakeFolderOfLength(app.Folder(), SAVE_PATH_MAX_CHARS);
    ASSERT_EQ(card.size(), static_cast<size_t>(SAVE_PATH_MAX_CHARS));
    HWND page = OpenSendPage(app, "Close 3G");
    ASSERT_NE(page, nullptr);
    // The page is idle: the save folder becomes the long one, as "Browse" would make it.
    ASSERT_TRUE(SetSavePath(card.c_str()));
    Click(app, page, IDC_SEND_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    EXPECT_EQ(FilesIn(card), std::vector<std::string>{"CFG.BIN"});
    EXPECT_EQ(LongFileBytes(card + "\\CFG.BIN").size(), static_cast<size_t>(SEND_SET_SIZE));

    app.Close(page);
    HWND form = OpenCameraSetup(app);
    ASSERT_NE(form, nullptr);
    Click(app, form, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    EXPECT_EQ(FilesIn(card), (std::vector<std::string>{"CFG.BIN", "menu.dat"}));
    EXPECT_EQ(LongFileBytes(card + "\\menu.dat").size(), static_cast<size_t>(MENU_DATA_SIZE));

    const std::vector<uint8_t> menu = LongFileBytes(card + "\\menu.dat");
    EXPECT_EQ(RunCamfile({"set", card + "\\menu.dat", "Language=German"}).status, 0);
    EXPECT_EQ(RunCamfile({"set", "--type", "cfg", card, "bySendBy=Email"}).status, 0);
    EXPECT_EQ(RunCamfile({"show", card + "\\CFG.BIN"}).status, 0);
    EXPECT_NE(LongFileBytes(card + "\\menu.dat"), menu);
    EXPECT_EQ(FilesIn(card), (std::vector<std::string>{"CFG.BIN", "menu.dat"}));
    RemoveLongTree(app.Folder() + "\\" + std::string(100, 'd'));
}

TEST(CardWrite, FilesTheUserMadeReadOnlyAreNotReplaced) {
    App app([](const std::string& folder) {
        WithCfg([](SendSet& rec) { rec.bySendBy = SEND_BY_CLOSE_3G; })(folder);
        MenuData menu;
        LoadMenuDefaults(menu);
        ASSERT_TRUE(WriteMenuTo(folder.c_str(), menu));
        SetReadOnly(folder + "\\CFG.BIN", true);
        SetReadOnly(folder + "\\menu.dat", true);
    });
    const std::vector<uint8_t> cfg = ReadFileBytes(app.FilePath("CFG.BIN"));
    const std::vector<uint8_t> menu = ReadFileBytes(app.FilePath("menu.dat"));
    const std::vector<std::string> files = {"CFG.BIN", "menu.dat"};
    HWND page = OpenSendPage(app);
    ASSERT_NE(page, nullptr);
    app.ClearTrace();
    Click(app, page, IDC_SEND_GENERATE);
    EXPECT_FALSE(MessageBoxShown(app));
    const std::string trace = app.Trace();
    EXPECT_NE(trace.find("Open file - \"" + app.FilePath("CFG.BIN") + "\" err!"), std::string::npos)
        << trace;
    EXPECT_NE(trace.find("Generate fail!"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(app.FilePath("CFG.BIN")), cfg);

    app.Close(page);
    HWND form = OpenCameraSetup(app);
    ASSERT_NE(form, nullptr);
    Click(app, form, IDC_CAMERA_GENERATE);
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_EQ(ReadFileBytes(app.FilePath("menu.dat")), menu);

    EXPECT_EQ(RunCamfile({"set", app.FilePath("CFG.BIN"), "sSmtpSet.iPort=25"}).status, 3);
    EXPECT_EQ(RunCamfile({"set", "--new", app.FilePath("menu.dat")}).status, 3);
    EXPECT_EQ(ReadFileBytes(app.FilePath("CFG.BIN")), cfg);
    EXPECT_EQ(ReadFileBytes(app.FilePath("menu.dat")), menu);
    EXPECT_EQ(FilesIn(app.Folder()), files);
    SetReadOnly(app.FilePath("CFG.BIN"), false);
    SetReadOnly(app.FilePath("menu.dat"), false);
}

TEST(CardWrite, CamfileRefusesNumbersOf32BitsAndMore) {
    App app;
    const std::string cfg = app.FilePath("CFG.BIN");
    ASSERT_EQ(RunCamfile({"set", "--new", cfg, "bySendBy=Email", "sSmtpSet.iPort=25"}).status, 0);
    const std::vector<uint8_t> before = ReadFileBytes(cfg);
    // 2^32 + 21 and 2^32 + 2 must not become 21 and 2.
    EXPECT_EQ(RunCamfile({"set", cfg, "sSmtpSet.iPort=4294967317"}).status, 2);
    EXPECT_EQ(RunCamfile({"set", cfg, "bySendBy=4294967298"}).status, 2);
    EXPECT_EQ(RunCamfile({"set", cfg, "bySendBy=0x100000002"}).status, 2);
    EXPECT_EQ(ReadFileBytes(cfg), before);
    EXPECT_EQ(RunCamfile({"set", cfg, "sSmtpSet.iPort=2147483647"}).status, 2); // above 65535
    EXPECT_EQ(RunCamfile({"set", "--new", app.FilePath("menu.dat"), "Interval=4294967296"}).status,
              2);
    EXPECT_EQ(FilesIn(app.Folder()), std::vector<std::string>{"CFG.BIN"});
}

TEST(CardWrite, CamfileTakesItsArgumentsInUnicodeAndStoresNoLookAlikes) {
    App app;
    // A fullwidth folder beside the plain one that the ANSI code page would make of it, and
    // folders whose names no ANSI code page holds.
    const std::string base = app.Folder() + "\\";
    for (const char* name : {"full", "ｆｕｌｌ", "相机卡", "emoji😀", "card", "card\\CFG.BIN"})
        ASSERT_TRUE(CreateDirectoryW(Utf8ToWide((base + name).c_str()).c_str(), nullptr)) << name;
    const std::string fullwidth = base + "ｆｕｌｌ\\CFG.BIN";
    EXPECT_EQ(RunCamfile({"set", "--new", fullwidth, "bySendBy=Email"}).status, 0);
    EXPECT_TRUE(FilesIn(base + "full").empty());
    const std::vector<uint8_t> written = FileBytes(Utf8ToWide(fullwidth.c_str()));
    EXPECT_EQ(written.size(), static_cast<size_t>(SEND_SET_SIZE));
    // A password the file cannot hold is refused, not stored as "??".
    const std::string out = app.Folder() + "\\out.txt";
    const CamfileRun refused = RunCamfile({"set", fullwidth, "sSmtpSet.szPassword=密码"}, out);
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.out.find("sSmtpSet.szPassword"), std::string::npos) << refused.out;
    EXPECT_EQ(FileBytes(Utf8ToWide(fullwidth.c_str())), written);
    for (const char* folder : {"相机卡", "emoji😀"}) {
        EXPECT_EQ(
            RunCamfile({"set", "--new", base + folder + "\\menu.dat", "CapMode=Video"}).status, 0);
        EXPECT_EQ(RunCamfile({"show", base + folder}).status, 0) << folder;
    }
    // A path ending in the file's name names the file, even where a folder has that name; a
    // device or FIFO is never written.
    EXPECT_EQ(RunCamfile({"set", "--new", base + "card\\CFG.BIN", "bySendBy=Email"}).status, 2);
    EXPECT_TRUE(FilesIn(base + "card\\CFG.BIN").empty());
    for (const char* device : {"Z:\\dev\\null", "Z:\\dev\\zero"}) {
        if (GetFileAttributesW(L"Z:\\dev") != INVALID_FILE_ATTRIBUTES) {
            EXPECT_EQ(RunCamfile({"set", "--new", "--type", "cfg", device}).status, 2) << device;
        }
    }
}

TEST(CardWrite, ConcurrentCamfileRunsEachLandTheirChange) {
    // Pairs of camfile.exe changing different fields of one file at once: each exits 0 and both
    // changes are in the file, whatever sharing the other run's handles allow and whichever name
    // the second takes: "\\?\" forms, a short name, Z: (Wine's Unix root), a linked folder.
    App app;
    const std::string path = app.FilePath("menu.dat");
    ASSERT_EQ(RunCamfile({"set", "--new", path}).status, 0);
    std::vector<std::string> spellings = {path, "\\\\?\\" + app.Folder() + "\\.\\menu.dat",
                                          "\\\\?\\" + app.Folder() + "\\\\menu.dat"};
    char shortName[MAX_PATH];
    if (GetShortPathNameA(app.Folder().c_str(), shortName, MAX_PATH) > 0)
        spellings.push_back(std::string(shortName) + "\\menu.dat");
    std::string onZ = "Z:" + UnixPath(path);
    std::replace(onZ.begin(), onZ.end(), '/', '\\');
    if (onZ.size() > 2)
        spellings.push_back(onZ);
    if (MakeUnixLink(app.Folder(), app.Folder() + "-linked"))
        spellings.push_back(app.Folder() + "-linked\\menu.dat");
    const char* pairsWanted = getenv("CAMSETUP_WRITER_PAIRS");
    const int kPairs = pairsWanted != nullptr ? atoi(pairsWanted) : 40;
    const char* kChanges[2][2] = {{"CapMode=Video", "Language=German"},
                                  {"CapMode=Camera", "Language=English"}};
    int wrongExit = 0, lost = 0;
    for (int pair = 0; pair < kPairs; ++pair) {
        const int k = pair % 2;
        HANDLE runs[2] = {StartCamfile({"set", "--keep-time", path, kChanges[k][0]}),
                          StartCamfile({"set", "--keep-time", spellings[pair % spellings.size()],
                                        kChanges[k][1]})};
        for (HANDLE run : runs)
            wrongExit += WaitCamfile(run) != 0;
        MenuData after;
        const std::vector<uint8_t> bytes = ReadFileBytes(path);
        ASSERT_EQ(bytes.size(), static_cast<size_t>(MENU_DATA_SIZE));
        DecodeMenuImage(bytes.data(), after);
        lost += (after.CapMode != (k == 0 ? 1 : 0)) + (after.Language != (k == 0 ? 3 : 2));
    }
    printf("%d concurrent pairs of camfile.exe: %d wrong exit codes, %d lost changes\n", kPairs,
           wrongExit, lost);
    EXPECT_EQ(wrongExit, 0);
    EXPECT_EQ(lost, 0);

    // A virus scanner or indexer that has the file open for a moment, letting no one replace it:
    // the write waits it out.
    HANDLE scanner = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(scanner, INVALID_HANDLE_VALUE);
    HANDLE run = StartCamfile({"set", "--keep-time", path, "CapMode=Camera+Video"});
    EXPECT_EQ(WaitForSingleObject(run, 300), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseHandle(scanner);
    EXPECT_EQ(WaitCamfile(run), 0);
    EXPECT_EQ(FilesIn(app.Folder()), std::vector<std::string>{"menu.dat"});
}

TEST(CardWrite, NothingButTheCardsOwnFilesIsTouched) {
    // A link named like an old write's leftover, naming an old file elsewhere, is left, and so is
    // that file (Generate's write is the same). Devices are refused.
    App app;
    const std::string photo = app.Folder() + "\\photo.jpg";
    WriteFileBytes(photo, {1, 2, 3});
    HANDLE h = CreateFileW(Wide(photo).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    const FILETIME inThe2010s = {0, 0x01d00000};
    SetFileTime(h, nullptr, nullptr, &inThe2010s);
    CloseHandle(h);
    if (!MakeUnixLink(photo, app.FilePath("menu.dat.~1-0-0000000b.tmp")))
        GTEST_SKIP() << "no Unix link can be made here (not under Wine)";
    EXPECT_EQ(RunCamfile({"set", "--new", app.FilePath("menu.dat")}).status, 0);
    EXPECT_EQ(ReadFileBytes(photo), (std::vector<uint8_t>{1, 2, 3}));
    for (const char* device : {"NUL", "CON", "COM1", "nul.dat"})
        EXPECT_EQ(RunCamfile({"set", "--new", "--type", "cfg", device}).status, 2) << device;
}
