// camfile: reads, checks and writes the camera's CFG.BIN and menu.dat from the command line, with
// the same record code, presets and checks as the dialogs, on any system.

#include "CamEdit.h"
#include "CamFields.h"
#include "CamFiles.h"
#include "CamShow.h"

#include "Version.h"
#include "common/Trace.h"
#include "sendset/FileIo.h"
#include "lang/Texts.h"
#include "menu/CameraSetupRules.h"
#include "wizard/GenerateChecks.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace {

enum ExitStatus {
    EXIT_OK = 0,
    EXIT_CHECK_FAILED = 1,
    EXIT_REFUSED = 2,
    EXIT_WRITE_FAILED = 3,
    EXIT_OUTPUT_FAILED = 4,
};

const char kVersion[] = "camfile " CAMSETUP_VERSION_TEXT;

const char kMainHelp[] =
    "Usage: camfile COMMAND [OPTIONS] FILE ...\n"
    "\n"
    "Reads, checks and writes the camera's configuration files: CFG.BIN (1240 bytes, the 3G\n"
    "send settings) and menu.dat (44 bytes, the camera menu). FILE is a file path, or a folder\n"
    "(such as an SD card's root) holding CFG.BIN or menu.dat.\n"
    "\n"
    "Commands:\n"
    "  show FILE              print every field by name with its meaning\n"
    "  check FILE             run the Generate checks on a CFG.BIN\n"
    "  set FILE FIELD=VALUE   change fields and write the file safely\n"
    "  fields [cfg|menu]      list the field names, their limits and list texts\n"
    "\n"
    "\"camfile COMMAND --help\" (or -h) describes a command; \"camfile --version\" prints the\n"
    "version.\n"
    "\n"
    "Exit status: 0 done, 1 a check failed, 2 refused (usage, unknown field, value out of\n"
    "range, not a camera file or not a regular file; nothing was written), 3 the file was\n"
    "not written as intended: not written at all (the previous file is left as it was), or\n"
    "written but not read back as written (the message says which), 4 the output could not\n"
    "be written (such as a full disk or a closed pipe).\n";

const char kShowHelp[] =
    "Usage: camfile show [--json] [--type cfg|menu] FILE\n"
    "\n"
    "Prints every field of a CFG.BIN or menu.dat by name, with its stored value and its\n"
    "meaning in words. The kind of file is recognised by its size (1240 or 44 bytes).\n"
    "Where the program reads a stored value otherwise (a file-name count above 4, a remote\n"
    "interval above 25, a video length above 60 s, menu language 0), \"read as\" follows with\n"
    "the value it takes.\n"
    "Text fields are shown up to their terminator and never past their size; bytes outside\n"
    "printable ASCII are shown as \\xNN.\n"
    "\n"
    "  --json         print a JSON object instead: {\"file\", \"type\", \"size\", \"fields\":\n"
    "                 {NAME: {\"value\", \"meaning\", \"readAs\", \"readAsMeaning\"}}}\n"
    "                 (\"readAs\" only where it differs); in text values each byte outside\n"
    "                 printable ASCII is the character \\u00NN of the same number\n"
    "  --type KIND    insist on a CFG.BIN (cfg) or a menu.dat (menu)\n";

const char kCheckHelp[] =
    "Usage: camfile check [--lang en|zh] [--no-remote-cmd22] [--json] FILE\n"
    "\n"
    "Runs the checks of the 3G Send Settings page's Generate command on a stored CFG.BIN and\n"
    "prints the message the page would show. Exit status 1 when a check fails, 0 when all\n"
    "pass. The file is not changed.\n"
    "\n"
    "  --lang LANG         language of the message: en (English, the default) or zh\n"
    "                      (Simplified Chinese, UTF-8)\n"
    "  --no-remote-cmd22   as if \"Do not use remote command - 22\" were checked (the\n"
    "                      file does not hold this box)\n"
    "  --json              print {\"file\", \"result\": \"pass\"|\"fail\", \"message\", "
    "\"text\"}\n";

const char kSetHelp[] =
    "Usage: camfile set [--new] [--type cfg|menu] [--keep-time] [--check] [--basic]\n"
    "                   FILE FIELD=VALUE ...\n"
    "\n"
    "Changes fields of a CFG.BIN or menu.dat and writes it back through a temporary file that\n"
    "replaces it only once complete, then reads it back to verify it. A refused assignment\n"
    "leaves the file untouched (exit status 2). The file keeps its permissions and owner; a\n"
    "link is followed to the file it names; a folder, FIFO or device is refused (exit\n"
    "status 2) and a read-only file is not replaced (exit status 3). Runs changing one file\n"
    "at once take turns, and a run whose file another write changed after it was read reads\n"
    "it again, so every change lands.\n"
    "\n"
    "FIELD is a field name as \"camfile show\" prints it (any case): bySendBy,\n"
    "sSmtpSet.szServer, szRecp[2], CapMode, Timer1StartHour ... In CFG.BIN, \"country\" and\n"
    "\"operator\" stand for byOperatorCountry and byOperator; in menu.dat, \"Serial\" sets the\n"
    "four serial characters at once (Serial=AB12).\n"
    "VALUE is a plain number, the stored value (bySendBy=2, Interval=0x81), or a text of the\n"
    "field's list as the dialogs show it (bySendBy=Email, CapMode=Video, Language=German,\n"
    "byRemoteInterval=\"02 Hours\", country=\"United Kingdom\" operator=Vodafone). Interval also\n"
    "takes a count with its unit (30s, 5min); VideoLen a length in seconds (10s).\n"
    "\n"
    "A CFG.BIN goes through the 3G wizard's two pages with set as their user, so that the\n"
    "wizard, opened on the file written and generated unchanged, writes it again: page 1's\n"
    "choices (bySendBy, country, operator, sFtpSet.iFtpDirType; \"Others\" is manual input) in\n"
    "the order given, then text typed into its open edits; \"Next Page\", which loads the\n"
    "selected operator's presets; page 2's byRemoteInterval (and \"Previous Page\" where that\n"
    "opens edits of page 1 given); page 2's other choices and edits; last what Generate stores\n"
    "(file name, no file count, no daily hour when sending immediately, thumbnails for MMS).\n"
    "A field the pages would replace (an operator parameter in preset mode, a value Generate\n"
    "changes) is refused with why and what to give instead; one of a disabled edit is stored\n"
    "as given only where the wizard keeps it.\n"
    "Every write stamps CFG.BIN's sTime with this computer's time, and so the menu clock while\n"
    "ClockMode is Auto; the clock fields are set by hand with ClockMode=Input.\n"
    "A menu.dat goes through Camera Setup: the lists' choices in the order given (a list whose\n"
    "switch is off is set with the switch turned on and back), then the clock fields as typed\n"
    "in the order given, then \"Generate\"; a later assignment of a field wins, and a clock\n"
    "value the form corrects (a day past the month's end) is refused.\n"
    "\n"
    "  --new          start from the default record instead of reading FILE: the 3G wizard's\n"
    "                 default record for CFG.BIN, the \"Default\" menu for menu.dat\n"
    "  --type KIND    cfg or menu; needed with --new unless FILE is named CFG.BIN or menu.dat\n"
    "  --keep-time    keep the time stamp and the menu clock as they are\n"
    "  --check        CFG.BIN only: refuse to write (exit status 1) when the Generate checks\n"
    "                 fail; --no-remote-cmd22 as for \"check\"\n"
    "  --basic        CFG.BIN only: as for one of the basic models chosen in the first window,\n"
    "                 which send thumbnails only\n";

const char kFieldsHelp[] =
    "Usage: camfile fields [--lang en|zh] [cfg|menu]\n"
    "\n"
    "Lists the fields of CFG.BIN (cfg) and menu.dat (menu) that \"set\" takes: the range of a\n"
    "number or the longest text, the allowed characters and the list texts, as the dialogs\n"
    "show them in English (the default) or Simplified Chinese (zh, UTF-8); \"set\" takes both.\n";

FILE* g_out = stdout;

// The core's diagnostic trace has no place among what the companion prints: it is dropped.
void SetUpOutput() {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
#endif
    SetTraceSink(nullptr);
}

int Refuse(const std::string& message) {
    fprintf(stderr, "camfile: %s\n", message.c_str());
    return EXIT_REFUSED;
}

struct Options {
    bool help = false;
    bool json = false;
    bool isNew = false;
    bool keepTime = false;
    bool check = false;
    bool noRemoteCmd22 = false;
    bool basicModel = false;
    TypeWanted type = TypeWanted::Any;
    int language = UI_LANG_ENGLISH;
    std::vector<std::string> args; // everything that is not an option
};

bool ParseType(const std::string& text, TypeWanted* type) {
    if (text == "cfg" || text == "CFG.BIN")
        *type = TypeWanted::Cfg;
    else if (text == "menu" || text == "menu.dat")
        *type = TypeWanted::Menu;
    else
        return false;
    return true;
}

// Options may stand anywhere; "--" ends them. allowed lists the options the command takes.
bool ParseOptions(int argc, char** argv, int first, const std::vector<std::string>& allowed,
                  Options* o, std::string* error) {
    bool optionsEnded = false;
    for (int i = first; i < argc; ++i) {
        std::string a = argv[i];
        if (!optionsEnded && a == "-h") {
            o->help = true;
            continue;
        }
        if (optionsEnded || a.size() < 2 || a[0] != '-' || a[1] != '-') {
            o->args.push_back(a);
            continue;
        }
        if (a == "--") {
            optionsEnded = true;
            continue;
        }
        std::string value;
        bool hasValue = false;
        size_t eq = a.find('=');
        if (eq != std::string::npos) {
            value = a.substr(eq + 1);
            a = a.substr(0, eq);
            hasValue = true;
        }
        if (a == "--help") {
            o->help = true;
            continue;
        }
        bool known = false;
        for (const std::string& name : allowed)
            known |= name == a;
        if (!known) {
            *error = "unknown option " + a;
            return false;
        }
        if (a == "--type" || a == "--lang") {
            if (!hasValue) {
                if (i + 1 >= argc) {
                    *error = a + " needs a value";
                    return false;
                }
                value = argv[++i];
            }
            if (a == "--type" && !ParseType(value, &o->type)) {
                *error = "--type takes cfg or menu, not \"" + value + "\"";
                return false;
            }
            if (a == "--lang") {
                if (value == "en" || value == "english")
                    o->language = UI_LANG_ENGLISH;
                else if (value == "zh" || value == "cn" || value == "chinese")
                    o->language = UI_LANG_CHINESE;
                else {
                    *error = "--lang takes en or zh, not \"" + value + "\"";
                    return false;
                }
            }
            continue;
        }
        if (hasValue) {
            *error = a + " takes no value";
            return false;
        }
        o->json |= a == "--json";
        o->isNew |= a == "--new";
        o->keepTime |= a == "--keep-time";
        o->check |= a == "--check";
        o->noRemoteCmd22 |= a == "--no-remote-cmd22";
        o->basicModel |= a == "--basic";
    }
    return true;
}

// The message as a terminal shows it: the dialogs' "\r\n" and a bare "\r" end a line.
std::string TerminalLines(const char* text) {
    std::string out;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\r') {
            out += '\n';
            if (p[1] == '\n')
                ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

// The number of the first failing Generate message, 0 when every check passes.
int RunGenerateChecks(const SendSet& rec, bool noRemoteCmd22) {
    SendSet copy = rec;
    GenerateControls controls = ControlsForRecord(copy, LocalNow(), noRemoteCmd22);
    return CheckSendSet(copy, controls);
}

bool LoadArgument(const std::string& arg, TypeWanted type, std::string* path, LoadedFile* file,
                  std::string* error) {
    return ResolveCamPath(arg, type, path, error) && LoadCamFile(*path, type, file, error);
}

int CommandShow(const Options& o) {
    if (o.args.size() != 1)
        return Refuse("show takes one FILE (see camfile show --help)");
    std::string path, error;
    LoadedFile file;
    if (!LoadArgument(o.args[0], o.type, &path, &file, &error))
        return Refuse(error);
    if (o.json)
        PrintRecordJson(g_out, path, file);
    else
        PrintRecordText(g_out, path, file);
    return EXIT_OK;
}

int CommandCheck(const Options& o) {
    if (o.args.size() != 1)
        return Refuse("check takes one FILE (see camfile check --help)");
    if (o.type == TypeWanted::Menu)
        return Refuse("check runs the checks of CFG.BIN; menu.dat has none");
    std::string path, error;
    LoadedFile file;
    if (!LoadArgument(o.args[0], TypeWanted::Cfg, &path, &file, &error))
        return Refuse(error);
    g_iLanguage = o.language;
    const int n = RunGenerateChecks(file.rec.cfg, o.noRemoteCmd22);
    static const TextPair kPassed = {{"检查全部通过。", "All checks pass."}};
    const char* text = n == 0 ? kPassed.Get() : GenerateMessage(n).Get();
    if (o.json) {
        fprintf(g_out, "{\"file\": %s, \"result\": \"%s\", \"message\": %d, \"text\": %s}\n",
                JsonString(path, true).c_str(), n == 0 ? "pass" : "fail", n,
                JsonString(text, true).c_str());
    } else {
        fprintf(g_out, "%s\n", TerminalLines(text).c_str());
    }
    return n == 0 ? EXIT_OK : EXIT_CHECK_FAILED;
}

// How often set reads, changes and writes again when another write changed the file between its
// read and its replace.
constexpr int kUpdateTries = 5;

int CommandSet(const Options& o) {
    if (o.args.empty())
        return Refuse("set takes a FILE and FIELD=VALUE assignments (see camfile set --help)");
    if (o.args.size() == 1 && !o.isNew)
        return Refuse("set: no FIELD=VALUE given; nothing to change");
    std::vector<Assignment> list;
    std::string error;
    for (size_t i = 1; i < o.args.size(); ++i) {
        Assignment a;
        if (!ParseAssignment(o.args[i], &a, &error))
            return Refuse(error);
        list.push_back(a);
    }

    std::string path;
    TypeWanted type = o.type;
    const TypeWanted named = TypeFromName(o.args[0]);
    if (type != TypeWanted::Any && named != TypeWanted::Any && named != type)
        return Refuse(DisplayPath(o.args[0]) + ": --type " +
                      (type == TypeWanted::Cfg ? "cfg" : "menu") + ", but the file is named " +
                      (named == TypeWanted::Cfg ? "CFG.BIN" : "menu.dat") +
                      "; nothing was changed");
    if (o.isNew) {
        if (type == TypeWanted::Any)
            type = TypeFromName(o.args[0]);
        if (type == TypeWanted::Any)
            return Refuse(o.args[0] + ": give --type cfg or --type menu for a new file here");
    }
    if (!ResolveCamPath(o.args[0], type, &path, &error))
        return Refuse(error);

    EditOptions edit;
    edit.keepTime = o.keepTime;
    edit.now = LocalNow();
    edit.noRemoteCmd22 = o.noRemoteCmd22;
    edit.basicModel = o.basicModel;
    // Two runs changing the same file, however each names it, wait for each other; any other
    // write that comes between this run's read and its replace sends it back to read the file
    // again. Without the lock nothing is written.
    FileUpdateLock lock(path);
    for (int attempt = 1;; ++attempt) {
        LoadedFile file;
        if (o.isNew) {
            file.rec.type = type == TypeWanted::Cfg ? CamFileType::Cfg : CamFileType::Menu;
            // A camera file of the other kind is not replaced by a new one of this kind.
            LoadedFile there;
            if (GetPathKind(path) == PathKind::RegularFile &&
                LoadCamFile(path, TypeWanted::Any, &there, &error) &&
                there.rec.type != file.rec.type)
                return Refuse(DisplayPath(path) + ": holds a " + CamFileName(there.rec.type) +
                              ", which a new " + CamFileName(file.rec.type) +
                              " does not replace; nothing was changed");
            if (file.rec.type == CamFileType::Cfg)
                LoadSendSetDefaults(file.rec.cfg);
            else
                LoadMenuDefaults(file.rec.menu);
            file.read = file.rec;
        } else if (!LoadCamFile(path, o.type, &file, &error)) {
            return Refuse(error);
        }
        if (o.check && file.rec.type != CamFileType::Cfg)
            return Refuse("--check runs the checks of CFG.BIN; menu.dat has none");
        if (o.basicModel && file.rec.type != CamFileType::Cfg)
            return Refuse("--basic is for CFG.BIN; menu.dat is the same for every model");

        // Like the program, set changes the record as read; a repair of reading that reaches
        // the file is named (one the wizard undoes, as page 2 turns remote control off for
        // "Close 3G", is not).
        CamRecord rec = file.read;
        const bool applied = ApplyAssignments(rec, list, edit, &error);
        std::string notes;
        for (const ReadDifference& d : ReadDifferences(file.rec, file.read)) {
            if (applied && GetNumber(rec, *d.field) != d.readAs)
                continue;
            notes += "camfile: " + DisplayPath(path) + ": stored " + d.field->name + " " +
                     std::to_string(d.stored) + " is read as " + std::to_string(d.readAs) +
                     (applied ? " and written so\n" : "\n");
        }
        if (!applied || attempt == 1)
            fputs(notes.c_str(), stderr);
        if (!applied)
            return Refuse(error);
        StampRecord(rec, edit);
        if (o.check) {
            const int n = RunGenerateChecks(rec.cfg, o.noRemoteCmd22);
            if (n != 0) {
                g_iLanguage = o.language;
                fprintf(stderr, "camfile: not written, the Generate checks fail:\n%s\n",
                        TerminalLines(GenerateMessage(n).Get()).c_str());
                return EXIT_CHECK_FAILED;
            }
        }
        if (lock.GetState() == FileUpdateLock::State::Busy) {
            fprintf(stderr, "camfile: another program is writing %s; nothing was changed\n",
                    DisplayPath(path).c_str());
            return EXIT_WRITE_FAILED;
        }
        if (lock.GetState() != FileUpdateLock::State::Held) {
            fprintf(stderr,
                    "camfile: %s: the folder %s cannot be locked for the write: %s; nothing was "
                    "changed\n",
                    DisplayPath(path).c_str(), DisplayPath(lock.Folder()).c_str(),
                    FileErrorText(lock.Error()));
            return EXIT_WRITE_FAILED;
        }
        switch (SaveCamFile(path, rec, &error, o.isNew ? nullptr : &file.bytes)) {
        case SaveResult::Refused:
            return Refuse(error);
        case SaveResult::Changed: {
            // The very file that was read, unchanged since, gave other bytes this time: no other
            // write came between, the card itself reads differently.
            std::vector<uint8_t> ignored;
            FileIdentity now;
            if (ReadFileBytes(path, 0, &ignored, &now) && now == file.identity) {
                fprintf(stderr,
                        "camfile: %s: the card returns different bytes on each read; it may be "
                        "failing; nothing was changed\n",
                        DisplayPath(path).c_str());
                return EXIT_WRITE_FAILED;
            }
            if (attempt < kUpdateTries)
                continue;
            fprintf(stderr,
                    "camfile: %s: another write changed the file each of the %d times it was "
                    "read; nothing was changed\n",
                    DisplayPath(path).c_str(), kUpdateTries);
            return EXIT_WRITE_FAILED;
        }
        case SaveResult::Failed:
        case SaveResult::NotVerified:
            fprintf(stderr, "camfile: %s\n", error.c_str());
            return EXIT_WRITE_FAILED;
        case SaveResult::SavedThenReplaced:
            // This write was done and complete; the later one is another command's.
            fprintf(stderr, "camfile: %s\n", error.c_str());
            break;
        case SaveResult::Saved:
            break;
        }
        fprintf(g_out, "wrote %s\n", DisplayPath(path).c_str());
        return EXIT_OK;
    }
}

std::string FieldLimits(const FieldInfo& f) {
    if (f.fixedReason != nullptr)
        return std::string("not set by name: ") + f.fixedReason;
    if (f.kind == FieldKind::Text) {
        std::string s = "text, at most " + std::to_string(f.maxChars) + " characters";
        if (f.allowed != nullptr)
            s += std::string(" of \"") + f.allowed + "\"";
        return s;
    }
    std::string s = std::to_string(f.minValue) + ".." + std::to_string(f.maxValue);
    switch (f.rule) {
    case FieldRule::Operator:
        return s + "; an operator of the chosen country (loads its presets)";
    case FieldRule::Country:
        s += "; loads the operator presets";
        break;
    case FieldRule::Interval:
        return s + "; bit 7 seconds, count 0.." + std::to_string(IntervalCountMaximum()) +
               ": 30s, 5min";
    case FieldRule::VideoLen:
        return s + "; seconds minus one: 10s";
    case FieldRule::MenuClock:
        return s + "; only with ClockMode=Input";
    default:
        break;
    }
    if (f.unit != nullptr)
        s += std::string(" ") + f.unit;
    return s;
}

void PrintFields(CamFileType type, int language) {
    fprintf(g_out, "%s fields:\n", CamFileName(type));
    for (const FieldInfo& f : FieldsOf(type)) {
        fprintf(g_out, "  %-26s %s\n", f.name.c_str(), FieldLimits(f).c_str());
        if (f.items.empty() || f.items.size() > 26 || f.rule == FieldRule::Country)
            continue;
        std::string texts;
        for (const FieldItem& item : f.items)
            texts += (texts.empty() ? "" : ", ") + std::to_string(item.value) + " " +
                     (language == UI_LANG_CHINESE ? item.chinese : item.english);
        fprintf(g_out, "  %-26s   %s\n", "", texts.c_str());
    }
    if (type == CamFileType::Cfg) {
        fputs("  country / operator         byOperatorCountry / byOperator by name: "
              "country=\"United Kingdom\" operator=Vodafone; country=Others for manual input\n",
              g_out);
    } else {
        fputs("  Serial                     the four serial characters at once: Serial=AB12\n",
              g_out);
    }
}

int CommandFields(const Options& o) {
    TypeWanted type = TypeWanted::Any;
    if (o.args.size() > 1 || (o.args.size() == 1 && !ParseType(o.args[0], &type)))
        return Refuse("fields takes cfg, menu or nothing");
    if (type != TypeWanted::Menu)
        PrintFields(CamFileType::Cfg, o.language);
    if (type == TypeWanted::Any)
        fputc('\n', g_out);
    if (type != TypeWanted::Cfg)
        PrintFields(CamFileType::Menu, o.language);
    return EXIT_OK;
}

struct Command {
    const char* name;
    const char* help;
    std::vector<std::string> options;
    int (*run)(const Options&);
};

int Run(int argc, char** argv) {
    static const Command kCommands[] = {
        {"show", kShowHelp, {"--json", "--type"}, CommandShow},
        {"check", kCheckHelp, {"--lang", "--no-remote-cmd22", "--json"}, CommandCheck},
        {"set",
         kSetHelp,
         {"--new", "--type", "--keep-time", "--check", "--no-remote-cmd22", "--basic", "--lang"},
         CommandSet},
        {"fields", kFieldsHelp, {"--lang"}, CommandFields},
    };
    if (argc < 2) {
        fputs(kMainHelp, stderr);
        return EXIT_REFUSED;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        const char* help = kMainHelp;
        for (const Command& c : kCommands) {
            if (argc > 2 && strcmp(argv[2], c.name) == 0)
                help = c.help;
        }
        fputs(help, g_out);
        return EXIT_OK;
    }
    if (name == "--version") {
        fprintf(g_out, "%s\n", kVersion);
        return EXIT_OK;
    }
    for (const Command& c : kCommands) {
        if (name != c.name)
            continue;
        Options o;
        std::string error;
        if (!ParseOptions(argc, argv, 2, c.options, &o, &error))
            return Refuse(error + " (see camfile " + c.name + " --help)");
        if (o.help) {
            fputs(c.help, g_out);
            return EXIT_OK;
        }
        return c.run(o);
    }
    return Refuse("unknown command \"" + name + "\" (see camfile --help)");
}

// Run, with every failure said: an exception (memory exhausted, say) ends the run with a message
// and exit status 3 rather than silently.
int RunSaid(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        fprintf(stderr, "camfile: stopped: %s; a file being written is as it was\n", e.what());
    } catch (...) {
        fprintf(stderr,
                "camfile: stopped by an unknown error; a file being written is as it was\n");
    }
    return EXIT_WRITE_FAILED;
}

// What the command printed must have reached standard output: a script reading it (such as a
// pipe into jq) must not take nothing for an answer.
int FinishOutput(int status) {
    errno = 0;
    if (fflush(g_out) == 0 && !ferror(g_out))
        return status;
    const int err = errno;
    fprintf(stderr, "camfile: cannot write to standard output%s%s\n", err != 0 ? ": " : "",
            err != 0 ? strerror(err) : "");
    // A check's answer that never arrived is no answer either; a refusal or a failed write of the
    // file keeps its own status.
    return status == EXIT_OK || status == EXIT_CHECK_FAILED ? EXIT_OUTPUT_FAILED : status;
}

} // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A file size limit makes the write fail (EFBIG) and be reported, instead of killing the
    // program with a temporary file left behind.
    signal(SIGXFSZ, SIG_IGN);
#endif
    SetUpOutput();
#ifdef _WIN32
    // The arguments as typed, in Unicode: the ANSI code page would turn characters it lacks into
    // look-alikes or "?", naming another file or storing another text. Inside they are UTF-8.
    (void)argv;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr)
        return FinishOutput(Refuse("cannot read the command line"));
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string a(static_cast<size_t>(n > 0 ? n : 1), '\0');
        if (n > 0)
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, &a[0], n, nullptr, nullptr);
        a.resize(a.size() - 1);
        args.push_back(a);
    }
    LocalFree(wide);
    std::vector<char*> pointers;
    for (std::string& a : args)
        pointers.push_back(&a[0]);
    pointers.push_back(nullptr);
    UseUtf8FilePaths();
    argc = count;
    return FinishOutput(RunSaid(argc, pointers.data()));
#else
    return FinishOutput(RunSaid(argc, argv));
#endif
}
