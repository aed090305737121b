// A fresh temporary folder per test, removed afterwards, and small file helpers.
#pragma once

#include <cstdint>
#include <ctime>
#include <sys/time.h>
#include <string>
#include <vector>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> List() const;

private:
    std::string path_;
};

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Sets the file's times back by seconds, as a file left there long ago.
inline void MakeOlder(const std::string& path, int seconds) {
    const struct timeval then[2] = {{time(nullptr) - seconds, 0}, {time(nullptr) - seconds, 0}};
    utimes(path.c_str(), then);
}
