// The user stories in tests/stories/*.story, read for the players in C++: the native suite plays
// each against AppModel, the GUI suite against the real dialogs (tests/web/run-tests.js plays
// them against the web page), and each player runs camfile as the reference. A story is one step
// a line; "#" starts a comment line, and a line that starts with a space goes on with the step
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
    // The files the story says were written, in order.
    std::vector<std::string> Written() const;
};

// The stories' names (their files' without ".story"), sorted; as test names ('-' as '_').
std::vector<std::string> StoryNames();
std::string StoryTestName(const std::string& story);
Story ReadStory(const std::string& name);

// The English caption of the window a control is on, from its name's prefix.
const char* WindowOfControl(const std::string& name);
// Whether the item names a position ("#2"), and which.
bool ItemPosition(const std::string& item, int* position);

// The camfile step against a front end that played the story. run runs camfile with arguments
// and gives its exit status and output (standard output and error); folder is an empty folder
// for its file; frontEnd, the file the front end wrote (empty if none); warning, the text of the
// story's last warning. Reports a disagreement as a test failure.
struct CamfileResult {
    int status;
    std::string out;
};
using RunCamfileFn = std::function<CamfileResult(const std::vector<std::string>& args)>;
void ExpectCamfileAgrees(const Story& story, const StoryStep& step, const RunCamfileFn& run,
                         const std::string& folder, const std::vector<uint8_t>& frontEnd,
                         const std::string& warning);
// The field step on the output of "camfile show" for the file written last.
void ExpectFieldShown(const StoryStep& step, const std::string& showOutput);
// A message box's text with its line ends as the stories write them ("\r\n" as "\n").
std::string WithoutCr(std::string text);
// The regular files in a folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder);
std::vector<uint8_t> FileBytes(const std::string& path);
