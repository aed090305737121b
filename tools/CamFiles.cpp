#include "CamFiles.h"

#include "CamShow.h"

#include "lang/Texts.h"

#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Larger than either camera file, so that a larger file is told apart by its size.
constexpr size_t kReadLimit = 4096;

bool IsFolder(const std::string& path) {
    return GetPathKind(path) == PathKind::Folder;
}

bool Exists(const std::string& path) {
    return GetPathKind(path) != PathKind::Missing;
}

const char kNotRegular[] = ": not a regular file (a FIFO, device, socket or a link to nothing)";

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ": <the system's reason>" of the last failed file operation.
std::string Because() {
    return std::string(": ") + FileErrorText(LastFileError());
}

std::string SizeDescription(size_t size) {
    return size > kReadLimit ? "more than " + std::to_string(kReadLimit) + " bytes"
                             : std::to_string(size) + " bytes";
}

} // namespace

const char* CamFileName(CamFileType type) {
    return type == CamFileType::Cfg ? kSendSetFileName : kMenuFileName;
}

TypeWanted TypeFromName(const std::string& path) {
    const std::string name = BaseName(path);
    if (EqualsIgnoringCase(name.data(), name.size(), kSendSetFileName, strlen(kSendSetFileName)))
        return TypeWanted::Cfg;
    if (EqualsIgnoringCase(name.data(), name.size(), kMenuFileName, strlen(kMenuFileName)))
        return TypeWanted::Menu;
    return TypeWanted::Any;
}

bool ResolveCamPath(const std::string& arg, TypeWanted wanted, std::string* path,
                    std::string* error) {
    const TypeWanted named = TypeFromName(arg);
    if (!IsFolder(arg)) {
        *path = arg;
        return true;
    }
    if (named != TypeWanted::Any) {
        *error = DisplayPath(arg) + ": a folder; a path ending in " + BaseName(arg) +
                 " names the file itself, so give the folder that holds it";
        return false;
    }
    const std::string cfg = MakeFilePath(arg.c_str(), CamFileName(CamFileType::Cfg));
    const std::string menu = MakeFilePath(arg.c_str(), CamFileName(CamFileType::Menu));
    if (wanted == TypeWanted::Cfg) {
        *path = cfg;
    } else if (wanted == TypeWanted::Menu) {
        *path = menu;
    } else if (Exists(cfg) && Exists(menu)) {
        *error = DisplayPath(arg) +
                 ": the folder holds both CFG.BIN and menu.dat; name the file or give "
                 "--type cfg|menu";
        return false;
    } else if (Exists(cfg) || Exists(menu)) {
        *path = Exists(cfg) ? cfg : menu;
    } else {
        *error = DisplayPath(arg) + ": the folder holds neither CFG.BIN nor menu.dat";
        return false;
    }
    return true;
}

bool LoadCamFile(const std::string& path, TypeWanted wanted, LoadedFile* out, std::string* error) {
    const std::string cfgSize = std::to_string(SEND_SET_SIZE);
    const std::string menuSize = std::to_string(MENU_DATA_SIZE);
    std::vector<uint8_t> bytes;
    const PathKind kind = GetPathKind(path);
    if (kind == PathKind::Other) {
        *error = DisplayPath(path) + kNotRegular;
        return false;
    }
    LoadedFile loaded;
    if (kind == PathKind::Folder) {
        *error = DisplayPath(path) + ": cannot be read: a folder";
        return false;
    }
    if (!ReadFileBytes(path, kReadLimit + 1, &bytes, &loaded.identity)) {
        *error = DisplayPath(path) + ": cannot be read" + Because();
        return false;
    }
    loaded.size = static_cast<int>(bytes.size());
    if (bytes.size() == static_cast<size_t>(SEND_SET_SIZE)) {
        loaded.rec.type = CamFileType::Cfg;
    } else if (bytes.size() == static_cast<size_t>(MENU_DATA_SIZE)) {
        loaded.rec.type = CamFileType::Menu;
    } else {
        const TypeWanted named = wanted != TypeWanted::Any ? wanted : TypeFromName(path);
        *error = DisplayPath(path) + ": " + SizeDescription(bytes.size());
        if (named == TypeWanted::Cfg)
            *error += "; a CFG.BIN has " + cfgSize;
        else if (named == TypeWanted::Menu)
            *error += "; a menu.dat has " + menuSize;
        else
            *error += ", neither a CFG.BIN (" + cfgSize + " bytes) nor a menu.dat (" + menuSize +
                      " bytes)";
        return false;
    }
    const CamFileType type = loaded.rec.type;
    if ((wanted == TypeWanted::Cfg && type != CamFileType::Cfg) ||
        (wanted == TypeWanted::Menu && type != CamFileType::Menu)) {
        *error = DisplayPath(path) + ": " + SizeDescription(bytes.size()) + " is a " +
                 CamFileName(type) + ", not a " +
                 (wanted == TypeWanted::Cfg ? "CFG.BIN" : "menu.dat");
        return false;
    }
    if (type == CamFileType::Cfg) {
        if (!DecodeStoredSendSet(bytes.data(), loaded.rec.cfg, &loaded.appSetFlag)) {
            const size_t at = offsetof(SendSet, StructFlag);
            const int flag = DecodeCfgByte(bytes[at]) | (DecodeCfgByte(bytes[at + 1]) << 8);
            *error = DisplayPath(path) + ": " + cfgSize +
                     " bytes but not a CFG.BIN of this layout (layout flag " +
                     std::to_string(flag) + ", expected " + std::to_string(SEND_SET_STRUCT_FLAG) +
                     ")";
            return false;
        }
    } else {
        DecodeMenuImage(bytes.data(), loaded.rec.menu);
    }
    loaded.read = loaded.rec;
    RepairAsRead(loaded.read);
    loaded.bytes = bytes;
    *out = loaded;
    return true;
}

SaveResult SaveCamFile(const std::string& path, const CamRecord& rec, std::string* message,
                       const std::vector<uint8_t>* unchangedFrom) {
    std::vector<uint8_t> image;
    if (rec.type == CamFileType::Cfg) {
        image.resize(SEND_SET_SIZE);
        BuildSendSetImage(rec.cfg, image.data());
    } else {
        image.resize(MENU_DATA_SIZE);
        BuildMenuImage(rec.menu, image.data());
    }
    const std::string shown = DisplayPath(path);
    switch (WriteFileReplacing(path, image.data(), image.size(), unchangedFrom)) {
    case SafeWriteResult::OpenFailed:
        *message = shown + ": cannot create a file beside it" + Because() + "; nothing was changed";
        return SaveResult::Failed;
    case SafeWriteResult::NotRegularFile:
        *message = shown + kNotRegular + "; nothing was changed";
        return SaveResult::Refused;
    case SafeWriteResult::ReadOnly:
        *message = shown + ": the file is read-only; nothing was changed";
        return SaveResult::Failed;
    case SafeWriteResult::WriteFailed:
        *message = shown + ": writing failed" + Because() + "; the file is as it was";
        return SaveResult::Failed;
    case SafeWriteResult::Changed:
        *message =
            shown + ": another write changed the file after it was read; nothing was changed";
        return SaveResult::Changed;
    case SafeWriteResult::Committed:
        return SaveResult::Saved;
    case SafeWriteResult::Superseded:
        // This run's file took the old one's place, and another write's file took its place since.
        *message = shown + ": written, and since replaced by another write of the same file";
        return SaveResult::SavedThenReplaced;
    case SafeWriteResult::Unverified:
        *message =
            shown +
            ": written (the previous file is replaced), but the new file cannot be read back "
            "to verify it" +
            Because();
        return SaveResult::NotVerified;
    case SafeWriteResult::ReadBackDiffers:
        break;
    }
    *message = shown + ": written (the previous file is replaced), but reading it back does not "
                       "give what was written; the card may be failing";
    return SaveResult::NotVerified;
}
