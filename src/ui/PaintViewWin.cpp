#include "ui/PaintViewWin.h"

#include "ui/ControlsWin.h"

#include <vector>

namespace {

// Returns true when an edit's text was written.
bool PaintControl(HWND dlg, int id, const ControlView& now, const ControlView* was, int fitId) {
    bool wroteEdit = false;
    if (now.kind == ControlKind::List) {
        if (was == nullptr || was->items != now.items) {
            ComboReset(dlg, id);
            for (const std::string& item : now.items)
                ComboAddUtf8(dlg, id, item.c_str());
            if (id == fitId)
                ComboFitDroppedWidth(dlg, id);
            ComboSetSel(dlg, id, now.sel);
        } else if (was->sel != now.sel) {
            ComboSetSel(dlg, id, now.sel);
        }
    } else if (now.kind == ControlKind::Check) {
        if (was == nullptr || was->sel != now.sel)
            CheckDlgButton(dlg, id, now.sel == 1 ? BST_CHECKED : BST_UNCHECKED);
        if (was == nullptr ? !now.text.empty() : was->text != now.text)
            SetDlgItemTextUtf8(dlg, id, now.text.c_str());
    } else if (was == nullptr || was->text != now.text) {
        if (now.kind == ControlKind::Edit) {
            SetDlgItemField(dlg, id, now.text.data(), now.text.size());
            wroteEdit = true;
        } else if (was != nullptr || !now.text.empty())
            SetDlgItemTextUtf8(dlg, id, now.text.c_str());
    }
    if (now.kind == ControlKind::Edit) {
        if ((was == nullptr && now.masked) || (was != nullptr && was->masked != now.masked)) {
            SendDlgItemMessageW(dlg, id, EM_SETPASSWORDCHAR, now.masked ? L'*' : 0, 0);
            InvalidateRect(GetDlgItem(dlg, id), nullptr, TRUE);
        }
        if (now.limit != 0 && (was == nullptr || was->limit != now.limit))
            SendDlgItemMessageW(dlg, id, EM_SETLIMITTEXT, static_cast<WPARAM>(now.limit), 0);
    }
    // A label its template greys (a version number) stays grey until the view changes it.
    if (was == nullptr ? !now.enabled || now.kind != ControlKind::Label
                       : was->enabled != now.enabled)
        EnableDlgItem(dlg, id, now.enabled);
    if (was == nullptr || was->shown != now.shown)
        ShowDlgItem(dlg, id, now.shown);
    return wroteEdit;
}

} // namespace

void ViewPainter::Reset(HWND dlg) {
    dlg_ = dlg;
    painted_ = DialogView();
    first_ = true;
}

std::vector<std::pair<int, std::string>> ViewPainter::Paint(const DialogView& view) {
    std::vector<std::pair<int, std::string>> changed;
    painting_ = true;
    if (first_ || painted_.caption != view.caption)
        SetWindowTextUtf8(dlg_, view.caption.c_str());
    const auto& was = painted_.Controls();
    for (const auto& [id, now] : view.Controls()) {
        auto it = was.find(id);
        const ControlView* before = first_ || it == was.end() ? nullptr : &it->second;
        if ((before == nullptr || *before != now) && PaintControl(dlg_, id, now, before, fitId_)) {
            std::string back = ReadEditBytes(dlg_, id, 0);
            if (back != now.text)
                changed.emplace_back(id, std::move(back));
        }
    }
    painted_ = view;
    for (const auto& [id, text] : changed)
        painted_.SetText(id, text);
    first_ = false;
    painting_ = false;
    return changed;
}

void ViewPainter::Typed(int id, const std::string& bytes) {
    if (!first_ && painted_.Controls().count(id) != 0)
        painted_.SetText(id, bytes);
}

std::string ReadEditBytes(HWND dlg, int id, size_t maxBytes) {
    const int chars = GetWindowTextLengthW(GetDlgItem(dlg, id));
    const size_t capacity = static_cast<size_t>(chars > 0 ? chars : 0) * 4 + 1;
    std::vector<char> field(capacity, '\0');
    const size_t n = GetDlgItemField(dlg, id, field.data(), capacity, maxBytes);
    return std::string(field.data(), n);
}
