// What a window shows, kept without a window: each control's text, list items and selection,
// whether it is enabled and shown, its password mask and text limit. A model changes it; a
// front end paints it (the dialogs only what changed since the last paint).
#pragma once

#include <map>
#include <string>
#include <vector>

enum class ControlKind { Label, Edit, List, Check };

// When a list's choice reaches its model: as soon as the selection moves (mouse or arrow keys),
// or only when the choice ends (the drop-down closes on an item, or Enter), the model following
// the shown selection until then; one list answers every notice it raises.
enum class ListAnswer { OnSelection, OnChoiceEnd, OnEveryNotice };
// What a list tells its window: the selection moved, the choice ended, or anything else.
enum class ListNotice { SelectionMoved, ChoiceEnded, Other };
// What a notice asks of the model: nothing, to follow the shown selection, or the choice.
enum class ListStep { None, Follow, Choose };

inline ListStep ListStepOf(ListAnswer answer, ListNotice notice) {
    switch (answer) {
    case ListAnswer::OnSelection:
        return notice == ListNotice::SelectionMoved ? ListStep::Choose : ListStep::None;
    case ListAnswer::OnChoiceEnd:
        return notice == ListNotice::SelectionMoved ? ListStep::Follow
               : notice == ListNotice::ChoiceEnded  ? ListStep::Choose
                                                    : ListStep::None;
    case ListAnswer::OnEveryNotice:
        return ListStep::Choose;
    }
    return ListStep::None;
}

struct ControlView {
    ControlKind kind = ControlKind::Label;
    std::string text;               // a label's UTF-8 text; an edit's text as the record's bytes
    std::vector<std::string> items; // a list's items, UTF-8
    int sel = -1;                   // a list's selection, -1 for none; a check box's 0 or 1
    bool enabled = true;
    bool shown = true;
    bool masked = false;           // an edit that shows '*' for each character
    int limit = 0;                 // the characters an edit takes typed; 0: the system's default
    const char* allowed = nullptr; // the only characters an edit takes, from its field's row
    ListAnswer answer = ListAnswer::OnSelection; // a list's

    bool operator==(const ControlView& o) const {
        return kind == o.kind && text == o.text && items == o.items && sel == o.sel &&
               enabled == o.enabled && shown == o.shown && masked == o.masked && limit == o.limit &&
               allowed == o.allowed && answer == o.answer;
    }
    bool operator!=(const ControlView& o) const { return !(*this == o); }
};

class DialogView {
public:
    std::string caption;

    // Controls start as the dialog template has them: enabled, shown, empty.
    void Add(int id, ControlKind kind) { controls_[id].kind = kind; }
    const std::map<int, ControlView>& Controls() const { return controls_; }
    const ControlView& At(int id) const { return controls_.at(id); }
    ControlView& At(int id) { return controls_.at(id); }

    const std::string& Text(int id) const { return At(id).text; }
    void SetText(int id, const std::string& text) { At(id).text = text; }
    bool Enabled(int id) const { return At(id).enabled; }
    void Enable(int id, bool on) { At(id).enabled = on; }
    bool Shown(int id) const { return At(id).shown; }
    void Show(int id, bool on) { At(id).shown = on; }
    void Mask(int id, bool on) { At(id).masked = on; }
    void Limit(int id, int chars) { At(id).limit = chars; }

    // Lists behave as a drop-down list does: a selection outside the items clears it.
    void ListReset(int id) {
        At(id).items.clear();
        At(id).sel = -1;
    }
    void ListAdd(int id, const std::string& item) { At(id).items.push_back(item); }
    void ListSetSel(int id, int index) {
        ControlView& c = At(id);
        c.sel = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
    }
    int ListSel(int id) const { return At(id).sel; }
    bool IsList(int id) const {
        const auto c = controls_.find(id);
        return c != controls_.end() && c->second.kind == ControlKind::List;
    }
    void Answer(int id, ListAnswer answer) { At(id).answer = answer; }
    int ListCount(int id) const { return static_cast<int>(At(id).items.size()); }
    // The only characters the control takes typed; nullptr: any, or no edit of the view.
    const char* Allowed(int id) const {
        const auto c = controls_.find(id);
        return c != controls_.end() ? c->second.allowed : nullptr;
    }

private:
    std::map<int, ControlView> controls_;
};
