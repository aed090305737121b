// Drives the program's real dialogs from the test thread, the way a user's input reaches them.
//
// Each test process starts the program once (App), on a UI thread of its own, with a fresh empty
// temporary folder as the current directory (so it becomes the save folder) and the trace
// (standard output) captured. Waits are on conditions with a timeout, never fixed sleeps.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gui {

constexpr int kTimeoutMs =
    30000; // generous: a loaded machine is slow, and waits end on their condition

// Waits until cond() holds; false on timeout.
bool WaitUntil(const std::function<bool()>& cond, int timeoutMs = kTimeoutMs);

class App {
public:
    // prepare runs before the program starts, in the fresh save folder (for example to put a
    // CFG.BIN or menu.dat there).
    explicit App(const std::function<void(const std::string& folder)>& prepare = nullptr);
    ~App(); // closes every window (answering message boxes) and checks that the program ended

    const std::string& Folder() const { return folder_; } // the save folder (current directory)
    std::string FilePath(const char* name) const;         // "<folder>\\<name>"

    // The visible top-level window of the program with this caption (UTF-8), waiting for it.
    HWND Wait(const char* caption, int timeoutMs = kTimeoutMs);
    // The one visible top-level window of the program (dialog or message box), or null.
    HWND Visible() const;
    // Waits until the UI thread has handled everything posted to it so far (it has gone back to
    // a message loop: its own, a new dialog's or a message box's).
    void Settle();

    // Closes the window with the close box (WM_CLOSE, posted) and settles.
    void Close(HWND wnd);
    // Waits for the program to end; its exit code (ShowMainSetup's result), or -999 on timeout.
    int WaitExit(int timeoutMs = kTimeoutMs);

    // Everything the program printed so far.
    std::string Trace() const;
    // Forgets the trace printed so far (Trace() then starts from here).
    void ClearTrace();

    DWORD UiThreadId() const { return uiThreadId_; }

private:
    std::string folder_;
    std::string traceFile_;
    size_t traceStart_ = 0;
    HANDLE thread_ = nullptr;
    DWORD uiThreadId_ = 0;
    int savedStdout_ = -1;
};

// A message box the program shows.
struct MessageBoxInfo {
    HWND wnd = nullptr;
    std::string caption;
    std::string text;
    bool warningIcon = false; // MB_ICONEXCLAMATION
    bool infoIcon = false;    // MB_ICONINFORMATION
};

// Waits for a message box; an empty info (wnd null) on timeout.
MessageBoxInfo WaitMessageBox(App& app, int timeoutMs = kTimeoutMs);
// Presses the box's OK button and settles.
void DismissMessageBox(App& app, const MessageBoxInfo& box);
// Settles and then reports whether a message box is shown.
bool MessageBoxShown(App& app);
// Waits for an information box (such as a success notice) with this caption and text (UTF-8),
// checks it and presses its OK button.
void AnswerNoticeBox(App& app, const char* caption, const char* text);

// --- The user's actions on controls of dialog dlg. Each one settles before it returns. ---

// Selects item index in a combo box and sends the notifications a user's choice sends
// (CBN_SELENDOK, then CBN_SELCHANGE, in the order a drop-down list sends them).
void Choose(App& app, HWND dlg, int id, int index);
// The same, by the item's text (UTF-8); fails the test when there is no such item.
void Choose(App& app, HWND dlg, int id, const char* item);
// Replaces an edit's text (WM_SETTEXT raises EN_CHANGE, as typing or pasting does).
void Type(App& app, HWND dlg, int id, const char* utf8);
// Clicks a button (posted, since it may open a modal window).
void Click(App& app, HWND dlg, int id);
// Checks or clears a check box, as a click does.
void SetCheck(App& app, HWND dlg, int id, bool checked);
// Moves the focus out of an edit (the owner gets EN_KILLFOCUS).
void LeaveEdit(App& app, HWND dlg, int id);
// Runs action on the program's UI thread, where its own code runs (it may open a modal window).
void OnUiThread(App& app, const std::function<void()>& action);
// Moves the keyboard focus to a control, as Tab does.
void Focus(App& app, HWND dlg, int id);
// Sends a command such as IDOK (Enter) or IDCANCEL (Escape).
void Command(App& app, HWND dlg, int id);

// --- What the user sees. ---
std::string Text(HWND dlg, int id); // a control's text, UTF-8
std::string Caption(HWND wnd);      // a window's caption, UTF-8
bool Enabled(HWND dlg, int id);
bool Visible(HWND dlg, int id);             // the control's own visible style
int Selection(HWND dlg, int id);            // combo box selection, -1 for none
std::string SelectedText(HWND dlg, int id); // the selected item's text, "" for none
std::vector<std::string> Items(HWND dlg, int id);
bool Checked(HWND dlg, int id);
wchar_t PasswordChar(HWND dlg, int id); // 0 when the edit shows its text plainly
int TextLimit(HWND dlg, int id);        // EM_GETLIMITTEXT

// --- Files. ---
std::vector<uint8_t> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool FileExists(const std::string& path);

// --- camfile.exe, the companion built beside the tests. ---
struct CamfileRun {
    int status = -1; // its exit status; -1 when it could not be run or did not end
    std::string out; // its standard output and error, when they went to a file
};
// Runs camfile.exe with args (UTF-8). With outPath its standard output and error go to that file
// and come back in out; without, they are thrown away.
CamfileRun RunCamfile(const std::vector<std::string>& args, const std::string& outPath = "");
// Starts camfile.exe with args without waiting, its output thrown away; the process handle (null
// when it could not be started), for WaitCamfile.
HANDLE StartCamfile(const std::vector<std::string>& args);
// Waits for a started camfile.exe and closes its handle; its exit status, -1 as for RunCamfile.
int WaitCamfile(HANDLE process);

// True when the system language is Chinese (PRC); the tests named ...Chinese... run that way.
bool SystemIsChinese();

// The caption of one of the program's windows ("Setup", "Camera Setup", "3G Parameter Settings",
// "3G Send Settings") as the program shows it in the system's language.
const char* WindowTitle(const char* english);

} // namespace gui
