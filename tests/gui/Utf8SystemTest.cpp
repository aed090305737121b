// The program on a Windows whose ANSI code page is UTF-8 (65001): this test program's manifest
// makes it so, as "Use Unicode UTF-8 for worldwide language support" does for the whole system.
#include "CameraSetupSteps.h"
#include "GuiHarness.h"

#include "common/SavePath.h"
#include "res/resource.h"
#include "ui/BrowseFolderWin.h"
#include "ui/ControlsWin.h"

#include <gtest/gtest.h>

#include <string>

using namespace gui;

namespace {

const wchar_t kCamera[] = L"\x76F8\x673A"; // 相机
const char kCameraUtf8[] = "\xE7\x9B\xB8\xE6\x9C\xBA";

} // namespace

TEST(Utf8System, AChineseFolderChosenWithBrowseGetsTheCameraFile) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    App app;
    HWND camera = OpenCameraSetup(app);
    ASSERT_NE(camera, nullptr);
    const std::wstring folder = Utf8ToWide(app.Folder().c_str()) + L"\\" + kCamera;
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));

    bool used = false;
    OnUiThread(app, [&] {
        used = UseChosenFolder(camera, folder.c_str(), CP_ACP);
        SetDlgItemField(camera, IDC_CAMERA_SAVE_PATH, g_szSavePath, SAVE_PATH_CAPACITY);
    });
    EXPECT_TRUE(used);
    EXPECT_FALSE(MessageBoxShown(app));
    EXPECT_EQ(std::string(g_szSavePath), app.Folder() + "\\" + kCameraUtf8);
    EXPECT_EQ(Text(camera, IDC_CAMERA_SAVE_PATH), app.Folder() + "\\" + kCameraUtf8);

    Click(app, camera, IDC_CAMERA_GENERATE);
    AnswerNoticeBox(app, "Notice", "Generate Success!");
    const std::wstring written = folder + L"\\menu.dat";
    EXPECT_NE(GetFileAttributesW(written.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(FileExists(app.FilePath("menu.dat"))); // not in the previous folder
}

TEST(Utf8System, FieldTextsTakeUtf8BytesAndNeverASplitCharacter) {
    App app;
    HWND camera = OpenCameraSetup(app);
    ASSERT_NE(camera, nullptr);
    Type(app, camera, IDC_CAMERA_SAVE_PATH, (std::string(kCameraUtf8) + "abc").c_str());
    char field[8] = {};
    size_t limited = 0;
    size_t full = 0;
    std::string shown;
    OnUiThread(app, [&] {
        limited = GetDlgItemField(camera, IDC_CAMERA_SAVE_PATH, field, sizeof field, 5);
    });
    EXPECT_EQ(limited, 3u); // 相 (3 bytes); 机 would need 6
    EXPECT_STREQ(field, "\xE7\x9B\xB8");
    OnUiThread(app,
               [&] { full = GetDlgItemField(camera, IDC_CAMERA_SAVE_PATH, field, sizeof field); });
    EXPECT_EQ(full, 7u); // 相机a and the terminator fill the 8 bytes
    EXPECT_EQ(std::string(field), std::string(kCameraUtf8) + "a");

    OnUiThread(app, [&] { SetDlgItemField(camera, IDC_CAMERA_SAVE_PATH, field, sizeof field); });
    EXPECT_EQ(Text(camera, IDC_CAMERA_SAVE_PATH), std::string(kCameraUtf8) + "a");

    // A character outside the 16-bit range takes two wide units and four bytes: all or nothing.
    Type(app, camera, IDC_CAMERA_SAVE_PATH, "\xF0\x9F\x98\x80");
    OnUiThread(app, [&] {
        limited = GetDlgItemField(camera, IDC_CAMERA_SAVE_PATH, field, sizeof field, 3);
        full = GetDlgItemField(camera, IDC_CAMERA_SAVE_PATH, field, sizeof field, 4);
    });
    EXPECT_EQ(limited, 0u);
    EXPECT_EQ(full, 4u);
    EXPECT_STREQ(field, "\xF0\x9F\x98\x80");
}
