// The camera files as the command-line companion sees them: recognised by size (the name is a
// hint), read into a record with the core's decoders, written with the core's image builders
// through the safe writer and read back.
#pragma once

#include "CamFields.h"

#include "sendset/FileIo.h"

#include <cstdint>
#include <string>
#include <vector>

enum class TypeWanted { Any, Cfg, Menu };

// The file name of each kind: "CFG.BIN", "menu.dat".
const char* CamFileName(CamFileType type);

// What a file's name says it is: CFG.BIN or menu.dat (in any case).
TypeWanted TypeFromName(const std::string& path);

// A FILE argument naming a folder stands for the camera file of the wanted kind in it; without a
// wanted kind, the one of CFG.BIN and menu.dat that exists there. Any other path is the file; a
// path whose last part is CFG.BIN or menu.dat always names the file, and is refused when it is a
// folder.
bool ResolveCamPath(const std::string& arg, TypeWanted wanted, std::string* path,
                    std::string* error);

struct LoadedFile {
    CamRecord rec;  // as stored (CFG.BIN: bit 7 of the first byte cleared)
    CamRecord read; // as the program reads it, with the repairs made where the file is read
    int size = 0;
    bool appSetFlag = false;    // CFG.BIN: bit 7 of the first byte, set by this program's writers
    std::vector<uint8_t> bytes; // the file as read
    FileIdentity identity;      // the very file read
};

// Reads a camera file: a CFG.BIN of 1240 bytes with layout flag 5 or a menu.dat of 44 bytes,
// decoded as stored and as the program reads it. False with a message otherwise; wanted, when
// not Any, must match the file's size.
bool LoadCamFile(const std::string& path, TypeWanted wanted, LoadedFile* out, std::string* error);

enum class SaveResult {
    Saved,             // the file holds the record, as read back
    SavedThenReplaced, // the record's file took the old one's place; by the read-back another
                       // write had put its own file there in turn
    Refused,           // not a regular file; nothing was written
    Changed,           // the file no longer holds what was read; nothing was written
    Failed,            // not written; the file is as it was
    NotVerified,       // written, but not read back as written; the message says why
};

// Writes the record's file image through a temporary file that replaces path only once it is
// complete, then reads path back and compares it with the image. With unchangedFrom, path must
// still hold those bytes (empty: no file) when it is replaced. message tells what happened unless
// the result is Saved.
SaveResult SaveCamFile(const std::string& path, const CamRecord& rec, std::string* message,
                       const std::vector<uint8_t>* unchangedFrom = nullptr);
