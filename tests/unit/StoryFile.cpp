#include "StoryFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const std::string kSource = CAMSETUP_SOURCE_DIR;

std::string Trimmed(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r");
    return b == std::string::npos ? "" : s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// The control ids by name without IDC_, from the one resource header.
const std::map<std::string, int>& ControlIds() {
    static const std::map<std::string, int> ids = [] {
        std::map<std::string, int> m;
        std::ifstream in(kSource + "/src/res/resource.h");
        const std::regex define(R"(^#define IDC_(\w+) (\d+))");
        std::smatch d;
        for (std::string line; std::getline(in, line);) {
            if (std::regex_search(line, d, define))
                m[d[1]] = std::stoi(d[2]);
        }
        return m;
    }();
    return ids;
}

const std::map<std::string, StepKind> kVerbs = {
    {"press", StepKind::Press}, {"choose", StepKind::Choose},   {"type", StepKind::Type},
    {"leave", StepKind::Leave}, {"check", StepKind::Check},     {"uncheck", StepKind::Uncheck},
    {"close", StepKind::Close}, {"box", StepKind::Box},         {"written", StepKind::Written},
    {"field", StepKind::Field}, {"camfile", StepKind::Camfile},
};

// One step from its line; false when it is none.
bool ReadStep(const std::string& line, StoryStep& step) {
    std::smatch m;
    if (!std::regex_match(line, m, std::regex(R"((\w+)(?: (\S+))?(?: (.*))?)")) ||
        kVerbs.count(m[1]) == 0)
        return false;
    step.kind = kVerbs.at(m[1]);
    step.name = m[2];
    step.text = m[3];
    switch (step.kind) {
    case StepKind::Close:
        return step.name.empty();
    case StepKind::Box: // "\n" a new line
        step.text = std::regex_replace(step.text, std::regex(R"(\\n)"), "\n");
        return step.name == "warning" || step.name == "notice";
    case StepKind::Camfile: { // words apart at spaces outside double quotes, the quotes dropped
        const std::regex word(R"((?:[^\s"]+|"[^"]*")+)");
        for (std::sregex_iterator w(step.text.begin(), step.text.end(), word), end; w != end; ++w)
            step.words.push_back(std::regex_replace(w->str(), std::regex("\""), ""));
    }
        [[fallthrough]];
    case StepKind::Written:
        return step.name == "CFG.BIN" || step.name == "menu.dat";
    case StepKind::Field:
        return !step.name.empty();
    default:
        step.id = ControlIds().count(step.name) ? ControlIds().at(step.name) : 0;
        return step.id != 0 && WindowOfControl(step.name) != nullptr;
    }
}

} // namespace

std::vector<std::string> StoryNames() {
    std::vector<std::string> names;
    std::error_code missing; // no stories: none to play
    for (const auto& f : fs::directory_iterator(kSource + "/tests/stories", missing)) {
        if (f.path().extension() == ".story")
            names.push_back(f.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string StoryTestName(const std::string& story) {
    std::string name = story;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

Story ReadStory(const std::string& name) {
    Story story{name, {}, {}};
    std::ifstream in(kSource + "/tests/stories/" + name + ".story");
    std::vector<std::pair<int, std::string>> lines; // a line goes on where one starts with a space
    for (int n = 1; std::getline(in, story.error); ++n) {
        const std::string text = Trimmed(story.error);
        if (!text.empty() && text[0] != '#' && story.error[0] == ' ' && !lines.empty())
            lines.back().second += " " + text;
        else if (!text.empty() && text[0] != '#')
            lines.emplace_back(n, text);
    }
    story.error = lines.empty() ? name + ".story: none such or empty" : "";
    for (const auto& [at, text] : lines) {
        story.steps.push_back({StepKind::Close, at, {}, 0, {}, {}});
        if (!ReadStep(text, story.steps.back()) && story.error.empty())
            story.error = name + ".story:" + std::to_string(at) + ": no such step: " + text;
    }
    return story;
}

const char* WindowOfControl(const std::string& name) {
    const std::string prefix = name.substr(0, name.find('_'));
    return prefix == "MAIN"     ? "Setup"
           : prefix == "PARAM"  ? "3G Parameter Settings"
           : prefix == "SEND"   ? "3G Send Settings"
           : prefix == "CAMERA" ? "Camera Setup"
                                : nullptr;
}

bool ItemPosition(const std::string& item, int* position) {
    if (item.size() < 2 || item[0] != '#')
        return false;
    *position = std::stoi(item.substr(1));
    return true;
}

namespace {

std::string WithoutCr(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The regular files in a folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& f : fs::directory_iterator(folder)) {
        if (f.is_regular_file())
            files.push_back(f.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The field's value as "camfile show" prints it: a number, or a text without its quotes.
void ExpectFieldShown(const StoryStep& step, const std::string& shown) {
    std::istringstream in(shown);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string field, value;
        if (!(words >> field) || field != step.name)
            continue;
        std::getline(words >> std::ws, value);
        value = value[0] == '"' ? value.substr(1, value.find('"', 1) - 1)
                                : Trimmed(value.substr(0, value.find(' ')));
        EXPECT_EQ(value, step.text) << step.name;
        return;
    }
    ADD_FAILURE() << "camfile show prints no " << step.name << ":\n" << shown;
}

// camfile set --new from the step's words writes the front end's file, the time stamp aside; or,
// when the front end wrote none, refuses with its warning.
void ExpectCamfileAgrees(const StoryStep& step, const RunCamfileFn& run, const std::string& cli,
                         const std::vector<uint8_t>* written, const std::string& warning) {
    const std::string path = cli + "/" + step.name;
    std::vector<std::string> args = {"set", "--new", "--lang", "en"};
    if (step.name == "CFG.BIN")
        args.push_back("--check");
    std::vector<std::string> assignments;
    for (const std::string& w : step.words)
        (w.compare(0, 2, "--") == 0 ? args : assignments).push_back(w);
    args.push_back(path);
    args.insert(args.end(), assignments.begin(), assignments.end());
    const CamfileResult r = run(args);
    if (written == nullptr) {
        EXPECT_EQ(r.status, 1) << r.out;
        std::string message = WithoutCr(r.out);
        const size_t at = message.find("checks fail:\n");
        message = at == std::string::npos ? message : message.substr(at + 13);
        EXPECT_EQ(message.substr(0, message.find_last_not_of('\n') + 1), warning);
        return;
    }
    ASSERT_EQ(r.status, 0) << r.out;
    const std::vector<uint8_t> cliFile = FileBytes(path);
    ASSERT_EQ(cliFile.size(), written->size());
    for (size_t i = 0; i < cliFile.size(); ++i) {
        if (i < 14 || i > 20) { // bytes 14 to 20: CFG.BIN's time stamp, menu.dat's clock
            EXPECT_EQ((*written)[i], cliFile[i]) << "byte " << i << " differs";
        }
    }
}

} // namespace

void PlayStory(const Story& story, StoryFrontEnd& fe, const RunCamfileFn& camfile,
               const std::string& cli) {
    std::map<std::string, std::vector<uint8_t>> written;
    std::string warning, last;
    for (const StoryStep& s : story.steps) {
        SCOPED_TRACE(story.name + ".story:" + std::to_string(s.line));
        StoryBox box{};
        switch (s.kind) {
        case StepKind::Box:
            ASSERT_TRUE(fe.TakeBox(&box)) << "no box came";
            EXPECT_EQ(box.warning ? "warning" : "notice", s.name);
            EXPECT_EQ(WithoutCr(box.text), s.text);
            warning = box.warning ? s.text : warning;
            break;
        case StepKind::Written:
            last = fe.Folder() + "/" + s.name;
            written[s.name] = FileBytes(last);
            EXPECT_TRUE(fe.Wrote(s.name) && !written[s.name].empty()) << s.name << " not written";
            break;
        case StepKind::Field:
            ExpectFieldShown(s, camfile({"show", last}).out);
            break;
        case StepKind::Camfile: {
            const auto file = written.find(s.name);
            ExpectCamfileAgrees(s, camfile, cli, file != written.end() ? &file->second : nullptr,
                                warning);
            break;
        }
        default:
            ASSERT_FALSE(fe.BoxShown()) << "a box the story does not name";
            fe.Act(s);
        }
    }
    EXPECT_FALSE(fe.BoxShown()) << "a box the story does not name";
    std::vector<std::string> names;
    for (const auto& w : written)
        names.push_back(w.first);
    EXPECT_EQ(FilesIn(fe.Folder()), names); // and no other file
}
