#include "replace_file.h"

#include "support/save_folder.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::writeFile;

class ReplaceFile : public ::testing::Test {
protected:
    void TearDown() override
    {
        platform::testing::failFileWritesAfter(-1);
        platform::testing::failFileRenames(false);
    }
    std::string at(const std::string& name) { return folder.file(name).string(); }
    testsupport::SaveFolder folder;
    std::string error;
};

TEST_F(ReplaceFile, WritesANewFileAndReplacesAnOldOneWhole)
{
    EXPECT_TRUE(platform::replaceFile(at("a.txt"), "first\n", error)) << error;
    EXPECT_EQ(readFile(at("a.txt")), "first\n");
    EXPECT_TRUE(platform::replaceFile(at("a.txt"), "2", error)) << error;
    EXPECT_EQ(readFile(at("a.txt")), "2");
    EXPECT_EQ(folder.listing(), "a.txt") << "no temporary file is left";

    struct stat st {};
    ASSERT_EQ(stat(at("a.txt").c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IRUSR, 0u);
    EXPECT_NE(st.st_mode & S_IWUSR, 0u);
}

TEST_F(ReplaceFile, ADiskThatFillsMidWriteLeavesTheOldFileAndNoTemporary)
{
    writeFile(at("bank.xwb"), "old bank");
    const std::string big(100000, 'x');
    for (long long after : {0LL, 1LL, 4096LL, 99999LL}) {
        platform::testing::failFileWritesAfter(after);
        EXPECT_FALSE(platform::replaceFile(at("bank.xwb"), big, error)) << after;
        EXPECT_NE(error.find("bank.xwb"), std::string::npos) << error;
        EXPECT_NE(error.find("No space"), std::string::npos) << error;
        EXPECT_EQ(readFile(at("bank.xwb")), "old bank");
        EXPECT_EQ(folder.listing(), "bank.xwb");
    }
}

TEST_F(ReplaceFile, ASetOfFilesChangesTogetherOrNotAtAll)
{
    writeFile(at("one"), "old one");
    writeFile(at("two"), "old two");
    // The disk fills while the second temporary is written: the first file,
    // although its temporary was complete, is not replaced either.
    platform::testing::failFileWritesAfter(10);
    EXPECT_FALSE(platform::replaceFiles({{at("one"), "new one"}, {at("two"), "new two"}}, error));
    EXPECT_EQ(readFile(at("one")), "old one");
    EXPECT_EQ(readFile(at("two")), "old two");
    EXPECT_EQ(folder.listing(), "one two");

    // A folder where the second file should be stops the set before the
    // first file is replaced.
    platform::testing::failFileWritesAfter(-1);
    fs::create_directory(at("dir"));
    EXPECT_FALSE(platform::replaceFiles({{at("one"), "new one"}, {at("dir"), "new"}}, error));
    EXPECT_EQ(readFile(at("one")), "old one");
    EXPECT_EQ(folder.listing(), "dir one two");

    EXPECT_TRUE(platform::replaceFiles({{at("one"), "new one"}, {at("two"), "new two"}}, error)) << error;
    EXPECT_EQ(readFile(at("one")), "new one");
    EXPECT_EQ(readFile(at("two")), "new two");
}

TEST_F(ReplaceFile, AFailedRenameLeavesTheOldFileAndNoTemporary)
{
    writeFile(at("a.txt"), "old");
    platform::testing::failFileRenames(true);
    EXPECT_FALSE(platform::replaceFile(at("a.txt"), "new", error));
    EXPECT_EQ(readFile(at("a.txt")), "old");
    EXPECT_EQ(folder.listing(), "a.txt");
}

TEST_F(ReplaceFile, PathsThatCannotHoldAFileAreRefusedWithTheirName)
{
    fs::create_directory(at("dir.txt"));
    EXPECT_FALSE(platform::replaceFile(at("dir.txt"), "x", error));
    EXPECT_NE(error.find("dir.txt"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(at("dir.txt")));

    writeFile(at("plain"), "a file");
    EXPECT_FALSE(platform::replaceFile(at("plain") + "/inside.txt", "x", error));
    EXPECT_NE(error.find("Not a directory"), std::string::npos) << error;
    EXPECT_FALSE(platform::replaceFile(at("missing") + "/inside.txt", "x", error));
    EXPECT_FALSE(platform::replaceFile("", "x", error));
    EXPECT_EQ(folder.listing(), "dir.txt plain");
}

// Root writes anywhere, so as root the write is tried by a child process
// that has given up root for the unprivileged "nobody" user.
TEST_F(ReplaceFile, AReadOnlyFolderKeepsItsFile)
{
    writeFile(at("a.txt"), "old");
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                       fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    auto tryWrite = [&] {
        std::string why;
        const bool wrote = platform::replaceFile(at("a.txt"), "new", why);
        return !wrote && why.find("Permission denied") != std::string::npos;
    };
    if (geteuid() != 0) {
        EXPECT_TRUE(tryWrite());
    } else {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0)
                _exit(2);
            _exit(tryWrite() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "the write into a read-only folder must fail, saying why";
    }
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_EQ(readFile(at("a.txt")), "old");
    EXPECT_EQ(folder.listing(), "a.txt");
}
