// The card the program reads its two files from and writes them to, as whole file images by name
// (kSendSetFileName, kMenuFileName). The program's card is its save folder; a caller may hand the
// program another, such as file images in memory that take what Generate writes instead of
// writing it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class Card {
public:
    virtual ~Card() = default;
    // The file's bytes into buf when it is exactly size bytes long and can be read; false, buf
    // untouched, otherwise.
    virtual bool Read(const char* name, uint8_t* buf, int size) = 0;
    // The data in the file's place; true when it took the place of the old file.
    virtual bool Write(const char* name, const uint8_t* data, int size) = 0;
};

// The files of a folder, with the readers' and writers' trace (ReadFixedSizeFile and
// WriteFileWithTrace).
class FolderCard : public Card {
public:
    // folder is read at each call: the save folder g_szSavePath may change in between.
    explicit FolderCard(const char* folder) : folder_(folder) {}
    bool Read(const char* name, uint8_t* buf, int size) override;
    bool Write(const char* name, const uint8_t* data, int size) override;

private:
    const char* folder_;
};

// File images in memory: what is written takes the place of the image of that name, and is what a
// later read gives.
class MemoryCard : public Card {
public:
    bool Read(const char* name, uint8_t* buf, int size) override;
    bool Write(const char* name, const uint8_t* data, int size) override;

    std::map<std::string, std::vector<uint8_t>> files; // by name
};

// The program's card: the save folder g_szSavePath as it stands at each call.
Card& SaveFolderCard();
