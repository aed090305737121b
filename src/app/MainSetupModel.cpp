#include "app/MainSetupModel.h"

#include "common/SavePath.h"
#include "common/Trace.h"
#include "res/resource.h"

#include <iterator>

int g_iCameraModel = 0;

const char* const kCameraModels[CAMERA_MODEL_COUNT] = {"QOR-7120-3G", "QOR-7120-3G(BASIC)",
                                                       "QOR-7450-3G", "QOR-7450-3G(BASIC)"};

const TextPair kMainSetupCaption = {{"设置", "Setup"}};

const ControlText kMainSetupTexts[] = {
    {IDC_MAIN_VERSION_GROUP, {{"软件版本", "Version"}}},
    {IDC_MAIN_LANGUAGE_GROUP, {{"界面语言", "Interface Language"}}},
    {IDC_MAIN_CAMERA_SETUP, {{"相机设置", "Camera Setup"}}},
    {IDC_MAIN_3G_SETUP, {{"3G设置", "3G Setup"}}},
    {IDC_MAIN_MODEL_GROUP, {{"相机型号", "Camera Model"}}},
};
const size_t kMainSetupTextCount = std::size(kMainSetupTexts);

void MainSetupModel::MakeView() {
    v_ = DialogView();
    v_.caption = kMainSetupCaption.Get();
    for (const ControlText& label : kMainSetupTexts) {
        v_.Add(label.id, ControlKind::Label);
        v_.SetText(label.id, label.text.Get());
    }
    v_.Add(IDC_MAIN_VERSION, ControlKind::Label);
    v_.SetText(IDC_MAIN_VERSION, kVersionText);
    v_.Add(IDC_MAIN_MODEL_LIST, ControlKind::List);
    for (const char* model : kCameraModels)
        v_.ListAdd(IDC_MAIN_MODEL_LIST, model);
    v_.ListSetSel(IDC_MAIN_MODEL_LIST, g_iCameraModel);
    v_.Add(IDC_MAIN_LANGUAGE_LIST, ControlKind::List);
    for (const char* language : kLanguageItems)
        v_.ListAdd(IDC_MAIN_LANGUAGE_LIST, language);
    v_.ListSetSel(IDC_MAIN_LANGUAGE_LIST, g_iLanguage);
}

void MainSetupModel::Open(uint16_t systemLangId, const char* currentFolder) {
    if (firstOpening_) {
        firstOpening_ = false;
        g_iLanguage = LanguageFromLangId(systemLangId);
        if (currentFolder != nullptr && SetSavePath(currentFolder))
            Trace("CurDir:%s\n", g_szSavePath);
    }
    MakeView();
}

void MainSetupModel::ChooseModel(int row) {
    g_iCameraModel = row;
    v_.ListSetSel(IDC_MAIN_MODEL_LIST, row);
}

void MainSetupModel::ChooseLanguage(int item) {
    g_iLanguage = LanguageOfListItem(item);
    MakeView();
}
