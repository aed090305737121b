// Paints a model's view into a dialog's controls, changing only what differs from the last
// paint, so nothing flickers.
#pragma once

#include "wizard/DialogView.h"

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class ViewPainter {
public:
    // Forgets the last paint: the next one paints every control (a new window).
    void Reset(HWND dlg);
    // Paints the view. Writing an edit's text raises its change notification; the owner ignores
    // notifications while Painting() is true. Returns the edits whose text came back otherwise
    // through the system's code page (a byte it cannot spell), with the text they now hold, so
    // that the owner hands it to the model as the window's own notification would have.
    std::vector<std::pair<int, std::string>> Paint(const DialogView& view);
    bool Painting() const { return painting_; }
    // The edit's text, typed by the user, is in the control already: the next paint leaves it.
    void Typed(int id, const std::string& bytes);
    // Lists whose drop-down widens to their longest item whenever they are filled.
    void FitDroppedWidth(int id) { fitId_ = id; }

private:
    HWND dlg_ = nullptr;
    DialogView painted_;
    bool first_ = true;
    bool painting_ = false;
    int fitId_ = 0;
};

// An edit's text as the record's bytes: at most maxBytes (0: all), never a split character.
std::string ReadEditBytes(HWND dlg, int id, size_t maxBytes);
