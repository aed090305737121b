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

namespace {

// Pairs of camfile.exe changing different fields of the menu.dat at path at once, through first
// and second (two spellings of it, or the same): the count of wrong exit codes and lost changes.
std::pair<int, int> ChangePairs(const std::string& path, const std::string& first,
                                const std::string& second, int pairs) {
    if (const char* wanted = getenv("CAMSETUP_WRITER_PAIRS"))
        pairs = atoi(wanted);
    const char* kChanges[2][2] = {{"CapMode=Video", "Language=German"},
                                  {"CapMode=Camera", "Language=English"}};
    int wrongExit = 0, lost = 0;
    for (int pair = 0; pair < pairs; ++pair) {
        const int k = pair % 2;
        HANDLE runs[2] = {StartCamfile({"set", "--keep-time", first, kChanges[k][0]}),
                          StartCamfile({"set", "--keep-time", second, kChanges[k][1]})};
        for (HANDLE run : runs)
            wrongExit += WaitCamfile(run) != 0;
        MenuData after;
        const std::vector<uint8_t> bytes = ReadFileBytes(path);
        if (bytes.size() != static_cast<size_t>(MENU_DATA_SIZE))
            return {wrongExit, lost + 2 * (pairs - pair)};
        DecodeMenuImage(bytes.data(), after);
        lost += (after.CapMode != (k == 0 ? 1 : 0)) + (after.Language != (k == 0 ? 3 : 2));
    }
    printf("%d concurrent pairs of camfile.exe through %s and %s: %d wrong exit codes, %d lost "
           "changes\n",
           pairs, first.c_str(), second.c_str(), wrongExit, lost);
    return {wrongExit, lost};
}

// The Unix path of a Windows one, under Wine; empty elsewhere.
std::string UnixPath(const std::string& path) {
    typedef char*(CDECL * ToUnix)(const wchar_t*);
    const ToUnix toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* unix = toUnix != nullptr ? toUnix(Wide(path).c_str()) : nullptr;
    const std::string out = unix != nullptr ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

// A Unix symbolic link at link naming target (an existing file or folder), made by ln, which Wine
// runs; false elsewhere.
bool MakeUnixLink(const std::string& target, const std::string& link) {
    const std::string from = UnixPath(target);
    std::string to = UnixPath(link);
    if (from.empty() || to.empty())
        return false;
    std::wstring command = Wide("/bin/ln -s \"" + from + "\" \"" + to + "\"");
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // Wine does not follow a Unix process to its end: the link is awaited instead.
    return WaitUntil(
        [&] { return GetFileAttributesW(Wide(link).c_str()) != INVALID_FILE_ATTRIBUTES; });
}

// Sets a file's write time back by an hour, as a file left there long ago.
void MakeOlder(const std::string& path) {
    HANDLE h = CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    FILETIME t;
    GetSystemTimeAsFileTime(&t);
    ULARGE_INTEGER v = {{t.dwLowDateTime, t.dwHighDateTime}};
    v.QuadPart -= 36000000000ull;
    t = {v.LowPart, v.HighPart};
    SetFileTime(h, nullptr, nullptr, &t);
    CloseHandle(h);
}

} // namespace

TEST(CardWrite, ConcurrentCamfileRunsEachLandTheirChange) {
    // Pairs of camfile.exe changing different fields of one file at once: each exits 0 and both
    // changes are in the file, whatever sharing the other run's handles allow.
    App app;
    const std::string path = app.FilePath("menu.dat");
    ASSERT_EQ(RunCamfile({"set", "--new", path}).status, 0);
    const std::pair<int, int> count = ChangePairs(path, path, path, 40);
    EXPECT_EQ(count.first, 0);
    EXPECT_EQ(count.second, 0);

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

TEST(CardWrite, TwoSpellingsOfOneFileTakeTurns) {
    // The lock belongs to the file: another drive letter for the same folder, its 8.3 short
    // name, the "\\?\" forms and a linked folder name the same file.
    App app;
    const std::string card = app.Folder() + "\\camera card folder";
    ASSERT_TRUE(CreateDirectoryW(Wide(card).c_str(), nullptr));
    const std::string path = card + "\\menu.dat";
    ASSERT_EQ(RunCamfile({"set", "--new", path}).status, 0);
    std::vector<std::string> spellings = {"\\\\?\\" + card + "\\.\\menu.dat",
                                          "\\\\?\\" + card + "\\\\menu.dat"};
    wchar_t shortName[MAX_PATH];
    if (GetShortPathNameW(Wide(card).c_str(), shortName, MAX_PATH) > 0 && Wide(card) != shortName) {
        char narrow[MAX_PATH];
        WideCharToMultiByte(CP_ACP, 0, shortName, -1, narrow, MAX_PATH, nullptr, nullptr);
        spellings.push_back(std::string(narrow) + "\\menu.dat");
    }
    const std::string unix = UnixPath(card);
    if (!unix.empty()) {
        // Z: is the Unix root under Wine; the folder is on C:.
        std::string onZ = "Z:" + unix + "\\menu.dat";
        std::replace(onZ.begin(), onZ.end(), '/', '\\');
        spellings.push_back(onZ);
        if (MakeUnixLink(card, app.FilePath("linked")))
            spellings.push_back(app.FilePath("linked") + "\\menu.dat");
    }
    for (const std::string& spelling : spellings) {
        const std::pair<int, int> count = ChangePairs(path, path, spelling, 10);
        EXPECT_EQ(count.first, 0) << spelling;
        EXPECT_EQ(count.second, 0) << spelling;
    }
    EXPECT_EQ(FilesIn(card), std::vector<std::string>{"menu.dat"});
}

TEST(CardWrite, NothingOutsideTheCardsOwnFilesIsTouched) {
    App app;
    const std::string elsewhere = app.Folder() + "\\elsewhere";
    ASSERT_TRUE(CreateDirectoryW(Wide(elsewhere).c_str(), nullptr));
    const std::vector<uint8_t> photo = {1, 2, 3};
    WriteFileBytes(elsewhere + "\\photo.jpg", photo);
    MakeOlder(elsewhere + "\\photo.jpg");
    // A link named like an old leftover of a write, naming a file elsewhere: neither camfile.exe
    // nor Generate follows it to delete that file.
    const std::string link = app.FilePath("menu.dat.~1-0-0000000b.tmp");
    if (!MakeUnixLink(elsewhere + "\\photo.jpg", link))
        GTEST_SKIP() << "no Unix link can be made here (not under Wine)";
    EXPECT_EQ(RunCamfile({"set", "--new", app.FilePath("menu.dat")}).status, 0);
    HWND form = OpenCameraSetup(app);
    ASSERT_NE(form, nullptr);
    Click(app, form, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    EXPECT_EQ(FileBytes(Wide(elsewhere + "\\photo.jpg")), photo);
    EXPECT_EQ(FilesIn(app.Folder()),
              (std::vector<std::string>{"menu.dat", "menu.dat.~1-0-0000000b.tmp"}));
    // Devices are refused, and so is a --type the name contradicts.
    const char* kDevices[] = {"NUL", "CON", "COM1", "nul.dat"};
    for (size_t i = 0; i < 4; ++i) {
        const char* device = kDevices[i];
        // An output file of its own: Wine may close the last run's handles after its end.
        const std::string out = elsewhere + "\\out" + std::to_string(i) + ".txt";
        const CamfileRun r = RunCamfile({"set", "--new", "--type", "cfg", device}, out);
        EXPECT_EQ(r.status, 2) << device << ": " << r.out;
    }
    EXPECT_EQ(RunCamfile({"set", "--new", "--type", "cfg", app.FilePath("menu.dat")}).status, 2);
    EXPECT_EQ(ReadFileBytes(app.FilePath("menu.dat")).size(), static_cast<size_t>(MENU_DATA_SIZE));
}
