#include "app/AppModel.h"

#include "menu/MenuData.h"
#include "res/resource.h"
#include "sendset/SendSet.h"
#include "wizard/GenerateChecks.h"

#include <utility>

namespace {

GenerateClock GenerateClockOf(const ClockTime& t) {
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

bool Basic() {
    return IsBasicCameraModel(g_iCameraModel);
}

} // namespace

AppModel::AppModel(AppInputs inputs)
    : in_(std::move(inputs)), records_{{&g_sSendSet, &g_sSendSetSaved, &g_bNoRemoteCmd22},
                                       &g_sMenuData,
                                       &SaveClock},
      page1_(Page1()), page2_(Page2()), camera_(g_sMenuData, SaveClock, &TheCard()) {}

AppModel::AppModel(AppInputs inputs, const AppRecords& records)
    : in_(std::move(inputs)), records_(records),
      ownPage1_(std::make_unique<ParamPageModel>(records.wizard)),
      ownPage2_(std::make_unique<SendPageModel>(records.wizard, *ownPage1_)), page1_(*ownPage1_),
      page2_(*ownPage2_), camera_(*records.menu, *records.saveClock, &TheCard()) {}

AppEffects AppModel::Start(uint16_t systemLangId, const char* folder) {
    window_ = AppWindow::MainSetup;
    main_.Open(systemLangId, folder);
    return {};
}

AppEffects AppModel::StartOnCard(const char* folder) {
    page1_.StartRun();
    page2_.StartRun();
    camera_.StartRun();
    *records_.wizard.noRemoteCmd22 = 0;
    *records_.saveClock = SaveClockData{};
    sendSetEntries_ = menuEntries_ = false;
    window_ = AppWindow::MainSetup;
    main_.Open(0x0409, folder); // a later opening keeps the language and the save folder
    return {};
}

const DialogView& AppModel::View() const {
    switch (window_) {
    case AppWindow::ParamPage:
        return page1_.View();
    case AppWindow::SendPage:
        return page2_.View();
    case AppWindow::CameraSetup:
        return camera_.View();
    case AppWindow::MainSetup:
        break;
    }
    return main_.View();
}

void AppModel::Open(AppWindow window) {
    window_ = window;
    switch (window) {
    case AppWindow::MainSetup:
        main_.Open(0x0409, nullptr); // a later opening keeps the language and the save folder
        break;
    case AppWindow::ParamPage:
        page1_.Open(
            [this] {
                return ReadSendSetFrom(TheCard(), *records_.wizard.rec, 0, SendSetClock{}) == 1;
            },
            Basic());
        break;
    case AppWindow::SendPage:
        page2_.Open(Basic()); // page 1 lives on beneath it, hidden
        break;
    case AppWindow::CameraSetup:
        camera_.Open(in_.now());
        break;
    }
}

void AppModel::Box(AppEffects& fx, CameraSetupBox box) {
    if (box == CameraSetupBox::GenerateSuccess || box == CameraSetupBox::DefaultSuccess) {
        fx.wrote = kMenuFileName;
        menuEntries_ = false;
    }
    if (box != CameraSetupBox::None)
        fx.boxes.push_back({CameraSetupBoxWarns(box), &CameraSetupBoxText(box)});
}

void AppModel::Press(int id, AppEffects& fx) {
    switch (window_) {
    case AppWindow::MainSetup:
        if (id == IDC_MAIN_CAMERA_SETUP)
            Open(AppWindow::CameraSetup);
        else if (id == IDC_MAIN_3G_SETUP)
            Open(AppWindow::ParamPage);
        break;
    case AppWindow::ParamPage:
        if (id == IDC_PARAM_NEXT_PAGE) {
            page1_.NextPage();
            Open(AppWindow::SendPage);
        }
        break;
    case AppWindow::SendPage:
        if (id == IDC_SEND_PREVIOUS_PAGE) {
            // Page 2 and the page beneath it end; a fresh page 1 opens on the hand-over copy.
            page2_.PreviousPage();
            page1_.WindowGone();
            Open(AppWindow::ParamPage);
        } else if (id == IDC_SEND_GENERATE) {
            const GenerateOutcome done =
                page2_.Generate(GenerateClockOf(in_.now()), TheCard(), in_.generateRefuses);
            if (done.kind == GenerateOutcome::Refused) {
                fx.boxes.push_back({true, &GenerateMessage(done.message)});
            } else if (done.kind == GenerateOutcome::Written) {
                fx.wrote = kSendSetFileName;
                fx.boxes.push_back({false, &kTextGenerateSuccess});
                sendSetEntries_ = false;
            }
        }
        break;
    case AppWindow::CameraSetup:
        if (id == IDC_CAMERA_GENERATE)
            Box(fx, camera_.Generate());
        else if (id == IDC_CAMERA_DEFAULT)
            Box(fx, camera_.Default());
        break;
    }
}

// The close box: the window's entries as it keeps them, then a new Main Setup.
void AppModel::Close() {
    switch (window_) {
    case AppWindow::MainSetup:
        return; // the program ends: the front end's to do
    case AppWindow::ParamPage:
        page1_.Close();
        page1_.WindowGone();
        break;
    case AppWindow::SendPage:
        page1_.WindowGone();
        break;
    case AppWindow::CameraSetup:
        camera_.Close();
        break;
    }
    Open(AppWindow::MainSetup);
}

AppEffects AppModel::Handle(const AppEvent& e) {
    AppEffects fx;
    const bool camera = window_ == AppWindow::CameraSetup;
    const bool form = window_ != AppWindow::MainSetup;
    if (form && (e.kind == AppEventKind::Choose || e.kind == AppEventKind::Type))
        (camera ? menuEntries_ : sendSetEntries_) = true;
    switch (e.kind) {
    case AppEventKind::Choose:
        if (window_ == AppWindow::MainSetup && e.id == IDC_MAIN_MODEL_LIST)
            main_.ChooseModel(e.item);
        else if (window_ == AppWindow::MainSetup && e.id == IDC_MAIN_LANGUAGE_LIST)
            main_.ChooseLanguage(e.item);
        else if (window_ == AppWindow::ParamPage)
            fx.ignored = !page1_.Choose(e.id, e.item);
        else if (window_ == AppWindow::SendPage)
            fx.ignored = !page2_.Choose(e.id, e.item);
        else if (const int list = MenuListOfControl(e.id); camera && list >= 0)
            camera_.Choose(static_cast<MenuList>(list), e.item, in_.now());
        break;
    case AppEventKind::Type:
        if (window_ == AppWindow::ParamPage)
            page1_.TypeText(e.id, e.text);
        else if (window_ == AppWindow::SendPage)
            page2_.TypeText(e.id, e.text, e.item != 0);
        else if (const int edit = ClockEditOfControl(e.id); camera && edit >= 0)
            camera_.TypeClockText(static_cast<ClockEdit>(edit), e.text);
        break;
    case AppEventKind::Leave:
        if (window_ == AppWindow::SendPage && e.id == IDC_SEND_REMOTE_EMAIL)
            page2_.LeaveRemoteEmail();
        else if (const int edit = ClockEditOfControl(e.id); camera && edit >= 0)
            camera_.LeaveClockEdit(static_cast<ClockEdit>(edit));
        break;
    case AppEventKind::Check:
        if (window_ == AppWindow::SendPage && e.id == IDC_SEND_NO_REMOTE_CMD22) {
            page2_.SetNoRemoteCmd22(e.item != 0);
            sendSetEntries_ = true;
        }
        break;
    case AppEventKind::Press:
        Press(e.id, fx);
        break;
    case AppEventKind::Close:
        fx.ended = window_ == AppWindow::MainSetup;
        Close();
        break;
    case AppEventKind::Tick:
        if (camera)
            camera_.Tick(in_.now());
        break;
    case AppEventKind::FolderChosen:
        if (window_ == AppWindow::SendPage && !page2_.ChooseSaveFolder(e.text.c_str()))
            fx.boxes.push_back({true, &kTextFolderUnusable});
        else if (camera)
            Box(fx, camera_.ChooseSaveFolder(e.text.c_str()));
        break;
    case AppEventKind::Shows:
        if (window_ == AppWindow::ParamPage)
            page1_.ListShows(e.id, e.item);
        else if (window_ == AppWindow::SendPage)
            page2_.ListShows(e.id, e.item);
        break;
    }
    if (window_ == AppWindow::SendPage) {
        for (int n = page2_.TakeRangeWarnings(); n > 0; --n)
            fx.boxes.push_back({true, &kTextRangeWarning});
        fx.selectWhole = page2_.TakeWholeSelection();
    }
    return fx;
}
