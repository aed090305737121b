#include "app/AppWin.h"

#include "lang/LanguageWin.h"
#include "res/resource.h"
#include "ui/ControlsWin.h"

#include <string>
#include <utility>
#include <vector>

HINSTANCE g_hInstance = nullptr;

namespace {

struct Host {
    HWND open = nullptr; // the dialog of the model's open window; null once it ends
    ViewPainter painter;
    const ClockTime* now = nullptr; // the moment an event reads instead of the clock
    AppEffects opening;             // what the event that opened the next window asked for
    bool ended = false;
};

Host& TheHost() {
    static Host host;
    return host;
}

ClockTime LocalNow() {
    if (const ClockTime* now = TheHost().now)
        return *now;
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// The current folder, or nothing when the system gives none.
std::string CurrentFolder() {
    DWORD len = GetCurrentDirectoryA(0, nullptr);
    if (len == 0)
        return std::string();
    std::vector<char> dir(len + 1, '\0');
    DWORD got = GetCurrentDirectoryA(len + 1, dir.data());
    if (got == 0 || got > len)
        return std::string();
    return dir.data();
}

// An edit whose text the code page could not spell holds what came back, as the window's own
// change notification would have told the model.
void PaintView(AppEffects& fx) {
    for (int round = 0; round < 2; ++round) {
        const auto changed = TheHost().painter.Paint(App().View());
        if (changed.empty())
            return;
        for (const auto& [id, text] : changed) {
            const AppEffects more = App().Handle(AppEvent{AppEventKind::Type, id, 1, text});
            fx.boxes.insert(fx.boxes.end(), more.boxes.begin(), more.boxes.end());
        }
    }
}

// Paints the window, makes its selection and shows the boxes.
void ShowEffects(HWND dlg, AppEffects& fx) {
    PaintView(fx);
    if (fx.selectWhole != 0)
        SendDlgItemMessageW(dlg, fx.selectWhole, EM_SETSEL, 0, -1);
    for (const AppBox& box : fx.boxes) {
        if (box.warning)
            ShowWarningBox(dlg, *box.text);
        else
            ShowNoticeBox(dlg, *box.text);
    }
}

struct WindowTemplate {
    int id;
    DLGPROC proc;
};

WindowTemplate TemplateOf(AppWindow window) {
    switch (window) {
    case AppWindow::ParamPage:
        return {IDD_PARAM_PAGE, ParamPageProc};
    case AppWindow::SendPage:
        return {IDD_SEND_PAGE, SendPageProc};
    case AppWindow::CameraSetup:
        return {IDD_CAMERA_SETUP, CameraSetupProc};
    case AppWindow::MainSetup:
        break;
    }
    return {IDD_MAIN_SETUP, MainSetupProc};
}

} // namespace

AppModel& App() {
    static AppModel app(AppInputs{LocalNow});
    return app;
}

ViewPainter& Painter() {
    return TheHost().painter;
}

void WindowOpened(HWND dlg, int fitListId) {
    Host& host = TheHost();
    host.open = dlg;
    host.painter.Reset(dlg);
    host.painter.FitDroppedWidth(fitListId);
    AppEffects fx = std::move(host.opening);
    host.opening = AppEffects();
    ShowEffects(dlg, fx);
}

namespace {

void DispatchWith(HWND dlg, const AppEvent& event, const ClockTime* now) {
    Host& host = TheHost();
    if (dlg != host.open || host.painter.Painting())
        return;
    const AppWindow was = App().Window();
    host.now = now;
    AppEffects fx = App().Handle(event);
    host.now = nullptr;
    if (!fx.ended && App().Window() == was) {
        ShowEffects(dlg, fx);
        return;
    }
    // The boxes show over the window that opens next, as it opens.
    host.open = nullptr;
    host.ended = fx.ended;
    host.opening = std::move(fx);
    EndDialog(dlg, 0);
}

} // namespace

void Dispatch(HWND dlg, const AppEvent& event) {
    DispatchWith(dlg, event, nullptr);
}

void DispatchList(HWND dlg, int id, int code) {
    const DialogView& view = App().View();
    const ListAnswer answer = view.IsList(id) ? view.At(id).answer : ListAnswer::OnSelection;
    const int item = ComboGetSel(dlg, id);
    switch (ListStepOf(answer, ListNoticeOf(code))) {
    case ListStep::Follow:
        Dispatch(dlg, AppEvent{AppEventKind::Shows, id, item});
        break;
    case ListStep::Choose:
        Dispatch(dlg, AppEvent{AppEventKind::Choose, id, item});
        break;
    case ListStep::None:
        break;
    }
}

void DispatchAt(HWND dlg, const AppEvent& event, const ClockTime& now) {
    DispatchWith(dlg, event, &now);
}

int ShowMainSetup(HINSTANCE instance) {
    g_hInstance = instance;
    const std::string folder = CurrentFolder();
    App().Start(GetSystemDefaultLangID(), folder.empty() ? nullptr : folder.c_str());
    Host& host = TheHost();
    host.ended = false;
    for (;;) {
        const WindowTemplate window = TemplateOf(App().Window());
        const int result = RunModalDialog(instance, window.id, window.proc);
        if (result == -1 || host.ended)
            return result;
    }
}
