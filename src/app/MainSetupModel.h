// Main Setup without a window: the camera model list, the interface language list, the version
// and the texts in the current language, and what each user event does. The dialog paints this
// state and turns its notifications into these events.
#pragma once

#include "lang/Texts.h"
#include "wizard/DialogView.h"

#include <cstddef>
#include <cstdint>

constexpr int CAMERA_MODEL_COUNT = 4;

// The rows of the camera model list.
extern const char* const kCameraModels[CAMERA_MODEL_COUNT];

extern int g_iCameraModel; // row of the model list; rows 1 and 3 are the basic models

// True for the two "(BASIC)" models, whose wizard fixes the picture size to thumbnail.
inline bool IsBasicCameraModel(int model) {
    return model == 1 || model == 3;
}

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

    // The caption, the labels, the version and the two lists in the current language.
    const DialogView& View() const { return v_; }

private:
    void MakeView();

    bool firstOpening_ = true;
    DialogView v_;
};

// The window's caption and labels, {control id, text}, kMainSetupTextCount of them.
extern const TextPair kMainSetupCaption;
extern const ControlText kMainSetupTexts[];
extern const size_t kMainSetupTextCount;
