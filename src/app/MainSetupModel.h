// Main Setup without a window: the camera model list, the interface language list, the version
// and the texts in the current language, and what each user event does. The dialog paints this
// state and turns its notifications into these events.
#pragma once

#include "lang/Texts.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int CAMERA_MODEL_COUNT = 4;

// The rows of the camera model list.
extern const char* const kCameraModels[CAMERA_MODEL_COUNT];

extern int g_iCameraModel; // row of the model list; rows 1 and 3 are the basic models

// True for the two "(BASIC)" models, whose wizard fixes the picture size to thumbnail.
inline bool IsBasicCameraModel(int model) {
    return model == 1 || model == 3;
}

// What the window shows.
struct MainSetupView {
    int language; // the texts' language, g_iLanguage when they were made
    std::vector<std::string> modelItems;
    int modelSelection;
    std::vector<std::string> languageItems;
    int languageSelection;
};

// What a button or the close box asks for.
enum class MainSetupAction { None, OpenCameraSetup, Open3GSetup, Close };

class MainSetupModel {
public:
    // Opening the window. The first opening in a run takes the interface language from the
    // system's language id and the save folder from the current folder (null when the system
    // gave none; one too long for the save folder leaves it as it was).
    void Open(uint16_t systemLangId, const char* currentFolder);
    // A row of the model list chosen.
    void ChooseModel(int row);
    // An item of the language list chosen: the texts change to its language.
    void ChooseLanguage(int item);
    MainSetupAction PressCameraSetup() const { return MainSetupAction::OpenCameraSetup; }
    MainSetupAction Press3GSetup() const { return MainSetupAction::Open3GSetup; }
    MainSetupAction Close() const { return MainSetupAction::Close; }

    const MainSetupView& View() const { return view_; }

private:
    void MakeView();

    bool firstOpening_ = true;
    MainSetupView view_{};
};

// The window's caption and labels, {control id, text}, kMainSetupTextCount of them.
extern const TextPair kMainSetupCaption;
extern const ControlText kMainSetupTexts[];
extern const size_t kMainSetupTextCount;
