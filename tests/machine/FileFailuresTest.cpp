// Unwritable or unreadable files: every failure is told, nothing is half done, no reader waits on a non-plain file.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include "MachineFixture.h"
#include "machine/CFileIO.h"

namespace fs = std::filesystem;

TEST(FileFailures, FailedWritesAreToldAndKeepTheOldFile) {
    CTempDir oDir;
    SMachine m;
    m.Number();
    std::ofstream(oDir.File("plain.txt")) << "x";
    std::ofstream(oDir.File("old.dax")) << "1\r\n";
    for (const char* s : {"sub", "ro"}) fs::create_directory(oDir.Path() / s);
    fs::permissions(oDir.Path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    for (const std::string& s : {oDir.File("sub"), oDir.File("missing/x.dax"), oDir.File("plain.txt") + "/x.dax",
                                 std::string("/dev/full"), geteuid() ? oDir.File("ro/x.dax") : "/dev/full"}) {
        EXPECT_FALSE(m.oMem.WriteData(s)) << s;
        EXPECT_FALSE(m.oMem.WriteRangeData(s, 3.005)) << s;
    }
    // A file size limit stops the write half way: the old file stays whole.
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit oLimit = {100, 100};
        setrlimit(RLIMIT_FSIZE, &oLimit);
        _exit(m.oMem.WriteData(oDir.File("old.dax")) ? 1 : 0);
    }
    int nStatus = 0;
    waitpid(pid, &nStatus, 0);
    EXPECT_TRUE(WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
    EXPECT_EQ(ReadFile(oDir.File("old.dax")), "1\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(oDir.Path()), fs::directory_iterator()), 4);   // no temporary left
}

TEST(FileFailures, OnlyPlainFilesAreReadAndNothingWaits) {
    CTempDir oDir(true);
    SMachine m;
    m.Number();
    ASSERT_EQ(mkfifo(oDir.File("pipe").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", oDir.Path() / "zero.dax");
    const auto t0 = std::chrono::steady_clock::now();
    for (const std::string& s : {oDir.File("pipe"), oDir.File("zero.dax"), oDir.Path().string()}) {
        EXPECT_FALSE(m.oMem.ReadData(s)) << s;
        EXPECT_FALSE(m.oMem.ReadRangeData(s, 1.002)) << s;
        EXPECT_EQ(FileIO::OpenForReading(s), nullptr) << s;
    }
    // Only plain files are copied: a device, pipe or directory fails, the destination kept; a missing one copies empty.
    std::ofstream("$$.dax") << "7\r\n";
    fs::create_symlink("/dev/zero", "DATAFILE1.dax");
    fs::create_symlink("pipe", "DATAFILE2.dax");
    fs::create_directory("DATAFILE3.dax");
    for (int n : {1, 2, 3}) {
        EXPECT_FALSE(m.oMem.WriteToScratchFile(n)) << n;
        EXPECT_EQ(ReadFile("$$.dax"), "7\r\n") << n;
    }
    EXPECT_TRUE(m.oMem.WriteToScratchFile(4));
    EXPECT_EQ(fs::file_size("$$.dax"), 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
    EXPECT_EQ(m.Regs(0, 2), V({1, 2, 3}));
}

TEST(FileFailures, LinksAreFollowedAndOldTemporariesCleared) {
    CTempDir oDir;
    SMachine m;
    // A link to a file that does not exist yet: the file is created, the link stays.
    fs::create_symlink("real.dax", oDir.Path() / "link.dax");
    EXPECT_TRUE(m.oMem.WriteData(oDir.File("link.dax")));
    m.oMem.Sto(0, 2);   // through the link again: the file it names is replaced, the link stays
    EXPECT_TRUE(m.oMem.WriteRangeData(oDir.File("link.dax"), 0));
    EXPECT_TRUE(fs::is_symlink(oDir.Path() / "link.dax"));
    EXPECT_EQ(ReadFile(oDir.File("real.dax")), "2\r\n");
    // Temporaries of killed saves of this target, when old, go with the next save.
    const auto tOld = fs::file_time_type::clock::now() - std::chrono::minutes(11);
    for (const char* s : {"real.dax.1a2b-3.tmp", "real.dax.9f-1.tmp", "other.dax.1a2b-3.tmp", "real.dax.keep.tmp"}) {
        std::ofstream(oDir.File(s)) << "x";
        fs::last_write_time(oDir.File(s), tOld);
    }
    std::ofstream(oDir.File("real.dax.77-7.tmp")) << "a save in progress";
    EXPECT_TRUE(m.oMem.WriteData(oDir.File("real.dax")));
    for (const char* s : {"real.dax.1a2b-3.tmp", "real.dax.9f-1.tmp"}) EXPECT_FALSE(fs::exists(oDir.File(s))) << s;
    for (const char* s : {"other.dax.1a2b-3.tmp", "real.dax.keep.tmp", "real.dax.77-7.tmp"})
        EXPECT_TRUE(fs::exists(oDir.File(s))) << s;
}

TEST(FileFailures, TemporariesArePrivateAndFitAnyName) {
    CTempDir oDir;
    const std::string sTarget = oDir.File("secret.txt");
    const fs::perms kRwR = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    std::ofstream(sTarget) << "old";
    fs::permissions(sTarget, kRwR);
    {
        // While the write is under way no one else can read the temporary.
        FileIO::CAtomicWriter oOut(sTarget);
        oOut.Write("new");
        struct stat st {};
        ASSERT_EQ(stat(oOut.TempPath().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0600u);
        EXPECT_TRUE(oOut.Commit());
    }
    EXPECT_EQ(ReadFile(sTarget), "new");
    EXPECT_EQ(fs::status(sTarget).permissions(), kRwR);
    // A new file gets what the umask leaves; a name of 255 bytes is saved too.
    const mode_t nMask = umask(027);
    const std::string sLong = oDir.File(std::string(255, 'n'));
    EXPECT_TRUE(FileIO::WriteWholeFile(sLong, "x"));
    umask(nMask);
    EXPECT_EQ(ReadFile(sLong), "x");
    EXPECT_EQ(fs::status(sLong).permissions(), kRwR);
    EXPECT_EQ(std::distance(fs::directory_iterator(oDir.Path()), fs::directory_iterator()), 2);
}

TEST(FileFailures, ANameTheDialogCreatedGoesWhenTheSaveFails) {
    CTempDir oDir;
    // Made through a dangling link and no save came: the file goes, the link stays.
    fs::create_symlink("real.dax", oDir.Path() / "link.dax");
    bool bCreated = false;
    EXPECT_TRUE(FileIO::CheckChoice(oDir.File("link.dax"), true, &bCreated) && bCreated);
    { FileIO::CCreatedFile oNew(oDir.File("link.dax"), bCreated); }
    EXPECT_TRUE(!fs::exists(oDir.File("real.dax")) && fs::is_symlink(oDir.Path() / "link.dax"));
    // A save that went through keeps the file, even empty; a file that was there is not the check's.
    EXPECT_TRUE(FileIO::CheckChoice(oDir.File("new.dax"), true, &bCreated) && bCreated);
    FileIO::CCreatedFile(oDir.File("new.dax"), bCreated).KeepIf(FileIO::WriteWholeFile(oDir.File("new.dax"), ""));
    EXPECT_TRUE(FileIO::CheckChoice(oDir.File("new.dax"), true, &bCreated) && !bCreated);
}
