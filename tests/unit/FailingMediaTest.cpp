// Both camera files written onto media that fail: a folder that is gone, a read-only folder, a
// directory where the file should be, a card that fills up during the write, a write cut off
// before the new file takes the old one's place. Each time the earlier file must survive byte for
// byte, no temporary file may stay behind, the record in memory must stay plain, the writer must
// report the failure and the verifying read that follows must fail.
#include "TempDir.h"

#include "menu/MenuData.h"
#include "sendset/FileIo.h"
#include "sendset/SendSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// One camera file: an earlier record and a new one with different clocks, the writer, and the
// verifying read that the program runs after writing the new record.
class CameraFile {
public:
    virtual ~CameraFile() = default;
    virtual const char* Name() const = 0;
    virtual bool WriteEarlier(const char* folder) const = 0;
    // The writer's result; recordPlain tells whether the record was left as it was.
    virtual bool WriteNew(const char* folder, bool* recordPlain) const = 0;
    virtual int VerifyNew(const char* folder) const = 0;
    // The read that the program's next start makes, with no clock to compare: 1 if the file
    // holding the earlier record is still there and whole.
    virtual bool HoldsEarlier(const char* folder) const = 0;
};

class CfgBinFile : public CameraFile {
public:
    CfgBinFile() {
        LoadSendSetDefaults(earlier_);
        earlier_.sTime = {25, 11, 30, 23, 59, 58, 0};
        new_ = earlier_;
        new_.bySendBy = SEND_BY_EMAIL;
        strcpy(new_.szRecp[2], "owner@example.com");
        new_.uwRecpLen[2] = 17;
        new_.sTime = {26, 1, 2, 3, 4, 5, 0};
    }
    const char* Name() const override { return "CFG.BIN"; }
    bool WriteEarlier(const char* folder) const override {
        return WriteSendSetTo(folder, earlier_);
    }
    bool WriteNew(const char* folder, bool* recordPlain) const override {
        SendSet rec = new_;
        bool ok = WriteSendSetTo(folder, rec);
        *recordPlain = memcmp(&rec, &new_, sizeof rec) == 0;
        return ok;
    }
    int VerifyNew(const char* folder) const override {
        const SendSetClock clock = {26, 1, 2, 3, 4, 5};
        SendSet rec;
        return ReadSendSetFrom(folder, rec, 1, clock);
    }
    bool HoldsEarlier(const char* folder) const override {
        SendSet rec;
        return ReadSendSetFrom(folder, rec, 0, SendSetClock{}) == 1 &&
               memcmp(&rec, &earlier_, sizeof rec) == 0;
    }

private:
    SendSet earlier_;
    SendSet new_;
};

class MenuDatFile : public CameraFile {
public:
    MenuDatFile() {
        LoadMenuDefaults(earlier_);
        earlier_.Year = 2025;
        earlier_.Month = 11;
        earlier_.Day = 30;
        new_ = earlier_;
        new_.CapMode = 2;
        new_.Year = 2026;
        new_.Month = 1;
        new_.Day = 2;
    }
    const char* Name() const override { return "menu.dat"; }
    bool WriteEarlier(const char* folder) const override { return WriteMenuTo(folder, earlier_); }
    bool WriteNew(const char* folder, bool* recordPlain) const override {
        MenuData rec = new_;
        bool ok = WriteMenuTo(folder, rec);
        *recordPlain = memcmp(&rec, &new_, sizeof rec) == 0;
        return ok;
    }
    int VerifyNew(const char* folder) const override {
        const SaveClockData clock = {2026, 1, 2, 0, 0, 0};
        MenuData rec;
        return ReadMenuFrom(folder, rec, clock);
    }
    bool HoldsEarlier(const char* folder) const override {
        MenuData rec;
        return ReadMenuFrom(folder, rec, SaveClockData{}) == 1 &&
               memcmp(&rec, &earlier_, sizeof rec) == 0;
    }

private:
    MenuData earlier_;
    MenuData new_;
};

// Names the file in gtest's messages.
void PrintTo(const CameraFile* file, std::ostream* os) {
    *os << file->Name();
}

const CfgBinFile kCfgBin;
const MenuDatFile kMenuDat;

struct WriteOutcome {
    bool writerReported = true;
    bool recordPlain = false;
    std::string trace; // the writer's trace, when it ran in this process
};

// Runs a write of the new record in a child process, which first applies restrict() (a file size
// limit, another user). Returns false when the child could not apply it.
bool WriteInChild(const CameraFile& file, const std::string& folder,
                  const std::function<bool()>& restrict, WriteOutcome* outcome) {
    fflush(stdout);
    pid_t pid = fork();
    if (pid == 0) {
        int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, STDOUT_FILENO); // the trace
        if (!restrict())
            _exit(4);
        bool plain = false;
        bool ok = file.WriteNew(folder.c_str(), &plain);
        fflush(stdout);
        _exit((ok ? 1 : 0) | (plain ? 0 : 2));
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        ADD_FAILURE() << "the writing child process did not end normally";
        return true;
    }
    if (WEXITSTATUS(status) == 4)
        return false;
    outcome->writerReported = (WEXITSTATUS(status) & 1) != 0;
    outcome->recordPlain = (WEXITSTATUS(status) & 2) == 0;
    return true;
}

bool CanCreateFileIn(const std::string& folder) {
    const std::string probe = folder + "/probe";
    FILE* f = fopen(probe.c_str(), "wb");
    if (f == nullptr)
        return false;
    fclose(f);
    remove(probe.c_str());
    return true;
}

class FailingMedia : public testing::TestWithParam<const CameraFile*> {
protected:
    void SetUp() override {
        CaptureStdout();
        ASSERT_TRUE(File().WriteEarlier(Folder()));
        earlier_ = ReadBytes(Target());
        ASSERT_FALSE(earlier_.empty());
    }
    void TearDown() override {
        g_pfnBeforeReplaceHook = nullptr;
        g_pfnReadBackHook = nullptr;
        GetCapturedStdout();
    }

    const CameraFile& File() const { return *GetParam(); }
    const char* Folder() const { return dir_.path().c_str(); }
    std::string Target() const { return dir_.File(File().Name()); }

    WriteOutcome WriteNew(const char* folder) const {
        WriteOutcome outcome;
        GetCapturedStdout();
        CaptureStdout();
        outcome.writerReported = File().WriteNew(folder, &outcome.recordPlain);
        outcome.trace = GetCapturedStdout();
        CaptureStdout();
        return outcome;
    }

    // What every failed write must leave behind, the earlier file being still in place.
    void ExpectFailureKeptEarlierFile(const WriteOutcome& outcome) const {
        EXPECT_FALSE(outcome.writerReported);
        if (!outcome.trace.empty()) {
            // The trace says the file was not written, however far the write came.
            EXPECT_TRUE(Contains(outcome.trace, "\" err!\n" + std::string(48, '_') + "\n"))
                << outcome.trace;
            EXPECT_FALSE(Contains(outcome.trace, "success!")) << outcome.trace;
        }
        EXPECT_TRUE(outcome.recordPlain) << "the record in memory was changed by the write";
        EXPECT_EQ(ReadBytes(Target()), earlier_) << "the earlier file was changed";
        EXPECT_EQ(dir_.List(), std::vector<std::string>{File().Name()});
        EXPECT_EQ(File().VerifyNew(Folder()), 0);
        EXPECT_TRUE(File().HoldsEarlier(Folder()));
    }

    TempDir dir_;
    std::vector<uint8_t> earlier_;
};

TEST_P(FailingMedia, FolderThatIsGone) {
    const std::string gone = dir_.File("card");
    const WriteOutcome outcome = WriteNew(gone.c_str());
    EXPECT_FALSE(outcome.writerReported);
    EXPECT_TRUE(outcome.recordPlain);
    EXPECT_EQ(File().VerifyNew(gone.c_str()), 0);
    EXPECT_EQ(access(gone.c_str(), F_OK), -1) << "the writer created the folder";
    ExpectFailureKeptEarlierFile(outcome);
}

TEST_P(FailingMedia, ReadOnlyFolder) {
    ASSERT_EQ(chmod(Folder(), 0555), 0);
    // A user whom permissions do not stop (root, as in CI) writes as an ordinary user instead.
    const bool privileged = CanCreateFileIn(Folder());
    WriteOutcome outcome;
    bool ran = WriteInChild(
        File(), Folder(),
        [privileged] { return !privileged || (setgid(65534) == 0 && setuid(65534) == 0); },
        &outcome);
    chmod(Folder(), 0755);
    if (!ran)
        GTEST_SKIP() << "folder permissions do not stop this user, and it cannot become another";
    ExpectFailureKeptEarlierFile(outcome);
}

TEST_P(FailingMedia, DirectoryWhereTheFileShouldBe) {
    ASSERT_EQ(remove(Target().c_str()), 0);
    ASSERT_EQ(mkdir(Target().c_str(), 0755), 0);
    const std::string inside = Target() + "/keep.jpg";
    WriteBytes(inside, {1, 2, 3});

    const WriteOutcome outcome = WriteNew(Folder());
    EXPECT_FALSE(outcome.writerReported);
    EXPECT_TRUE(outcome.recordPlain);
    struct stat st;
    ASSERT_EQ(stat(Target().c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(ReadBytes(inside), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(dir_.List(), std::vector<std::string>{File().Name()});
    EXPECT_EQ(File().VerifyNew(Folder()), 0);
}

TEST_P(FailingMedia, CardFillsUpDuringTheWrite) {
    WriteOutcome outcome;
    ASSERT_TRUE(WriteInChild(
        File(), Folder(),
        [] {
            // Room for 16 bytes: less than either file. Writing past it fails with EFBIG.
            signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit = {16, 16};
            return setrlimit(RLIMIT_FSIZE, &limit) == 0;
        },
        &outcome));
    ExpectFailureKeptEarlierFile(outcome);
}

// Set while a test's replace hook runs.
std::string s_earlierTarget;
std::vector<uint8_t> s_earlierBytes;
size_t s_tempSizeSeen;
bool s_targetIntactSeen;

TEST_P(FailingMedia, WriteCutOffBeforeTheNewFileTakesOver) {
    s_earlierTarget = Target();
    s_earlierBytes = earlier_;
    s_tempSizeSeen = 0;
    s_targetIntactSeen = false;
    g_pfnBeforeReplaceHook = [](const std::string& temp) {
        s_tempSizeSeen = ReadBytes(temp).size();
        s_targetIntactSeen = ReadBytes(s_earlierTarget) == s_earlierBytes;
        return false;
    };
    const WriteOutcome outcome = WriteNew(Folder());
    g_pfnBeforeReplaceHook = nullptr;
    EXPECT_EQ(s_tempSizeSeen, earlier_.size()) << "the new file was not complete before replacing";
    EXPECT_TRUE(s_targetIntactSeen);
    ExpectFailureKeptEarlierFile(outcome);
}

TEST_P(FailingMedia, NewFileThatDoesNotReadBackAsWrittenIsAFailedWrite) {
    // A card that returns a wrong bit when the new file is read back, or cannot read it at all:
    // the new file is in place, but the write is not reported as done.
    const struct {
        bool (*readBack)(std::vector<uint8_t>&);
        SafeWriteResult result;
    } kCards[] = {
        {[](std::vector<uint8_t>& b) { return b[b.size() / 2] ^= 0x10, true; },
         SafeWriteResult::ReadBackDiffers},
        {[](std::vector<uint8_t>&) { return false; }, SafeWriteResult::Unverified},
    };
    for (const auto& card : kCards) {
        g_pfnReadBackHook = card.readBack;
        const WriteOutcome outcome = WriteNew(Folder());
        EXPECT_FALSE(outcome.writerReported);
        EXPECT_TRUE(Contains(outcome.trace, "\" err!\n")) << outcome.trace;
        EXPECT_EQ(dir_.List(), std::vector<std::string>{File().Name()});
        const uint8_t data[4] = {1, 2, 3, 4};
        EXPECT_EQ(WriteFileReplacing(Target(), data, sizeof data), card.result);
        g_pfnReadBackHook = nullptr;
        EXPECT_EQ(WriteFileReplacing(Target(), data, sizeof data), SafeWriteResult::Committed);
        EXPECT_EQ(ReadBytes(Target()), std::vector<uint8_t>(data, data + 4));
    }
}

TEST_P(FailingMedia, ReplaceOfAFileChangedSinceItWasReadIsRefused) {
    const uint8_t data[4] = {1, 2, 3, 4};
    std::vector<uint8_t> stale = earlier_;
    stale[0] ^= 1;
    EXPECT_EQ(WriteFileReplacing(Target(), data, sizeof data, &stale), SafeWriteResult::Changed);
    const std::vector<uint8_t> none;
    EXPECT_EQ(WriteFileReplacing(Target(), data, sizeof data, &none), SafeWriteResult::Changed);
    EXPECT_EQ(ReadBytes(Target()), earlier_);
    EXPECT_EQ(dir_.List(), std::vector<std::string>{File().Name()});
    EXPECT_EQ(WriteFileReplacing(Target(), data, sizeof data, &earlier_),
              SafeWriteResult::Committed);
    EXPECT_EQ(WriteFileReplacing(dir_.File("new"), data, sizeof data, &none),
              SafeWriteResult::Committed);
}

TEST_P(FailingMedia, CrashBeforeTheNewFileTakesOverThenNextWriteRecovers) {
    WriteOutcome outcome;
    ASSERT_TRUE(WriteInChild(
        File(), Folder(),
        [] {
            // The program dies (or the power goes) with the new file complete beside the old.
            g_pfnBeforeReplaceHook = [](const std::string&) -> bool { _exit(0); };
            return true;
        },
        &outcome));
    EXPECT_EQ(ReadBytes(Target()), earlier_);
    EXPECT_EQ(dir_.List().size(), 2u) << "expected the earlier file and the abandoned new one";
    EXPECT_EQ(File().VerifyNew(Folder()), 0);
    EXPECT_TRUE(File().HoldsEarlier(Folder()));

    for (const std::string& name : dir_.List()) // a minute later, a leftover
        MakeOlder(dir_.File(name), kLeftoverAgeSeconds);
    const WriteOutcome next = WriteNew(Folder());
    EXPECT_TRUE(next.writerReported);
    EXPECT_TRUE(next.recordPlain);
    EXPECT_EQ(dir_.List(), std::vector<std::string>{File().Name()});
    EXPECT_EQ(File().VerifyNew(Folder()), 1);
}

TEST_P(FailingMedia, FifoWhereTheFileShouldBeIsNeitherWaitedOnNorReplaced) {
    ASSERT_EQ(remove(Target().c_str()), 0);
    ASSERT_EQ(mkfifo(Target().c_str(), 0644), 0);
    alarm(60); // a reader or writer that waits on the FIFO ends the test here
    const WriteOutcome outcome = WriteNew(Folder());
    EXPECT_FALSE(outcome.writerReported);
    EXPECT_TRUE(Contains(outcome.trace, " err!")) << outcome.trace;
    EXPECT_EQ(File().VerifyNew(Folder()), 0);
    alarm(0);
    struct stat st;
    ASSERT_EQ(lstat(Target().c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(dir_.List(), std::vector<std::string>{File().Name()});
}

TEST_P(FailingMedia, ReadOnlyFileIsRefusedBeforeAnythingIsWritten) {
    ASSERT_EQ(chmod(Target().c_str(), 0444), 0);
    const WriteOutcome outcome = WriteNew(Folder());
    chmod(Target().c_str(), 0644);
    ExpectFailureKeptEarlierFile(outcome);
}

TEST_P(FailingMedia, LeftoversOfOtherWritesAreRemovedOnlyWhenNoWriterHoldsThem) {
    const std::string base = File().Name();
    // A crashed write's file a minute old goes; one the other build (hold unseen) just made stays.
    WriteBytes(dir_.File(base + ".~1-0-00000001.tmp"), earlier_);
    MakeOlder(dir_.File(base + ".~1-0-00000001.tmp"), kLeftoverAgeSeconds);
    WriteBytes(dir_.File(base + ".~2-0-00000002.tmp"), earlier_);
    // A live writer holds its file.
    const std::string held = dir_.File(base + ".~3-0-00000003.tmp");
    WriteBytes(held, {4, 5});
    MakeOlder(held, kLeftoverAgeSeconds);
    int heldFd = open(held.c_str(), O_RDONLY);
    ASSERT_GE(heldFd, 0);
    ASSERT_EQ(flock(heldFd, LOCK_EX), 0);
    // Files of other names are the user's, a plain "<name>.tmp" copy too.
    WriteBytes(dir_.File(base + ".tmp"), {1, 2, 3});
    WriteBytes(dir_.File(base + ".bak"), {6});
    WriteBytes(dir_.File("X" + base + ".tmp"), {7});

    const WriteOutcome outcome = WriteNew(Folder());
    close(heldFd);
    EXPECT_TRUE(outcome.writerReported);
    EXPECT_EQ(File().VerifyNew(Folder()), 1);
    std::vector<std::string> left = {base,
                                     base + ".bak",
                                     base + ".tmp",
                                     base + ".~2-0-00000002.tmp",
                                     base + ".~3-0-00000003.tmp",
                                     "X" + base + ".tmp"};
    std::sort(left.begin(), left.end());
    EXPECT_EQ(dir_.List(), left);
}

TEST(TemporaryFileNames, EachWriteHasItsOwnAndOnlyTheirsCountAsLeftovers) {
    const std::string a = TempFileNameFor("/card/CFG.BIN", 0);
    const std::string b = TempFileNameFor("/card/CFG.BIN", 0);
    EXPECT_NE(a, b);
    for (const std::string& path : {a, b}) {
        ASSERT_EQ(path.compare(0, 14, "/card/CFG.BIN."), 0) << path;
        EXPECT_TRUE(IsTempFileNameOf(path.substr(6), "CFG.BIN")) << path;
        EXPECT_FALSE(IsTempFileNameOf(path.substr(6), "menu.dat")) << path;
    }
    EXPECT_TRUE(IsTempFileNameOf("CFG.BIN.~4294967295-12-0123abCD.tmp", "CFG.BIN"));
    for (const char* users :
         {"CFG.BIN.bak.tmp", "CFG.BIN.~notes.tmp", "CFG.BIN.~1-2-3.tmp",
          "CFG.BIN.~1-2-0123abcd9.tmp", "CFG.BIN.~-1-0123abcd.tmp", "CFG.BIN.~1-2-0123abcd.tmp.tmp",
          "XCFG.BIN.tmp", "CFG.BIN", ".tmp", "CFG.BIN.tmp"})
        EXPECT_FALSE(IsTempFileNameOf(users, "CFG.BIN")) << users;
}

INSTANTIATE_TEST_SUITE_P(BothFiles, FailingMedia, testing::Values(&kCfgBin, &kMenuDat),
                         [](const testing::TestParamInfo<const CameraFile*>& info) {
                             return std::string(info.param == &kCfgBin ? "CfgBin" : "MenuDat");
                         });

} // namespace
