// The user stories in tests/stories/*.story, read and played for the C++ players: the native suite
// plays each against AppModel, the GUI suite against the real dialogs (tests/web/run-tests.js
// plays them against the web page), and each player runs camfile as the reference. A story is one
// step a line; "#" starts a comment line, and a line that starts with a space goes on with the step
// above:
//   press NAME               a button: MAIN_3G_SETUP, PARAM_NEXT_PAGE, SEND_GENERATE, ...
//   choose NAME item         a list's item, by its English text or by position ("#2")
//   type NAME text           the edit's text replaced by text (nothing: emptied)
//   leave NAME               the focus leaves the edit
//   check NAME, uncheck NAME a check box set or cleared
//   close                    the close box of the window open
//   box warning|notice text  the message box that comes next, its English text ("\n": a new line)
//   written FILE             CFG.BIN or menu.dat was written into the save folder
//   field NAME value         the file written last stores value there, as "camfile show" prints it
//   camfile FILE [--option] field=value ...
//                            "camfile set --new" (with --check for CFG.BIN) given these writes
//                            the same file, the time stamp aside; in a story that writes no FILE,
//                            it refuses (exit status 1) with the story's last warning
// NAME is a control id without IDC_, its prefix the window it is on (MAIN_ Main Setup, PARAM_ and
// SEND_ the 3G wizard's pages, CAMERA_ Camera Setup). A camfile value with spaces goes in double
// quotes (country="United Kingdom"). No box may come that the story does not name, and at its
// end the save folder holds the files it names as written and no other.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum class StepKind {
    Press,
    Choose,
    Type,
    Leave,
    Check,
    Uncheck,
    Close,
    Box,
    Written,
    Field,
    Camfile
};

struct StoryStep {
    StepKind kind;
    int line;
    std::string name; // the control (without IDC_), "warning" or "notice", the file or the field
    int id = 0;       // the control's id
    std::string text; // the item, the text typed, the box's text or the field's value
    std::vector<std::string> words; // camfile's options and assignments, unquoted
};

struct Story {
    std::string name;
    std::vector<StoryStep> steps;
    std::string error; // what could not be read, with its line; empty when all could
};

// The stories' names (their files' without ".story"), sorted; as test names ('-' as '_').
std::vector<std::string> StoryNames();
std::string StoryTestName(const std::string& story);
Story ReadStory(const std::string& name);

// The English caption of the window a control is on, from its name's prefix.
const char* WindowOfControl(const std::string& name);
// Whether the item names a position ("#2"), and which.
bool ItemPosition(const std::string& item, int* position);

// A message box as a story names it; its text's line ends "\n".
struct StoryBox {
    bool warning;
    std::string text;
};

// What a player does on its front end.
class StoryFrontEnd {
public:
    virtual ~StoryFrontEnd() = default;
    // A press, choose, type, leave, check, uncheck or close step.
    virtual void Act(const StoryStep& step) = 0;
    virtual bool BoxShown() = 0;
    // The box shown next (waiting for it), answered with its OK button; false when none came.
    virtual bool TakeBox(StoryBox* box) = 0;
    // The folder it writes its files into.
    virtual std::string Folder() const = 0;
    // Whether the front end says it wrote the file (the file itself is checked besides).
    virtual bool Wrote(const std::string&) { return true; }
};

// camfile run with arguments: its exit status and output (standard output and error).
struct CamfileResult {
    int status;
    std::string out;
};
using RunCamfileFn = std::function<CamfileResult(const std::vector<std::string>& args)>;

// Plays the story on the front end, checking each box, file and field it names and its camfile
// line (camfile's files go into the empty folder cli); a disagreement is a test failure.
void PlayStory(const Story& story, StoryFrontEnd& frontEnd, const RunCamfileFn& camfile,
               const std::string& cli);
