// Files mapped read-only: the bytes as written, and every kind of file that
// is not a plain one with something in it refused at once, a pipe included
// (opening one to read would wait for a writer).
#include "mapped_file.h"

#include "support/save_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include <sys/stat.h>

using platform::MappedFile;
using testsupport::writeFile;

TEST(MappedFile, ShowsTheFilesBytesUntilClosedOrMovedOn)
{
    const testsupport::SaveFolder folder;
    std::string bytes(70000, 'x');
    bytes[0] = 'W';
    bytes[69999] = 'Z';
    writeFile(folder.file("bank"), bytes);

    MappedFile file;
    ASSERT_EQ(file.open(folder.file("bank").string(), 1 << 20), MappedFile::Result::Mapped);
    ASSERT_EQ(file.size(), bytes.size());
    EXPECT_EQ(std::memcmp(file.data(), bytes.data(), bytes.size()), 0);

    MappedFile moved = std::move(file);
    EXPECT_EQ(file.data(), nullptr);
    EXPECT_EQ(file.size(), 0u);
    ASSERT_EQ(moved.size(), bytes.size());
    EXPECT_EQ(moved.data()[69999], 'Z');

    // Replaced the usual way, by a new file renamed over it: the old bytes
    // stay mapped.
    writeFile(folder.file("new"), "short");
    std::filesystem::rename(folder.file("new"), folder.file("bank"));
    EXPECT_EQ(moved.data()[69999], 'Z');

    moved.close();
    EXPECT_EQ(moved.data(), nullptr);
}

TEST(MappedFile, RefusesWhatIsNotAPlainFileWithSomethingInIt)
{
    const testsupport::SaveFolder folder;
    writeFile(folder.file("empty"), "");
    writeFile(folder.file("big"), std::string(4097, 'b'));
    std::filesystem::create_directory(folder.file("folder"));
    ASSERT_EQ(mkfifo(folder.file("pipe").c_str(), 0600), 0);

    struct Case {
        const char* what;
        std::string path;
        MappedFile::Result result;
    };
    const Case cases[] = {
        {"missing", folder.file("missing").string(), MappedFile::Result::CannotOpen},
        {"empty", folder.file("empty").string(), MappedFile::Result::Empty},
        {"larger than allowed", folder.file("big").string(), MappedFile::Result::TooLarge},
        {"a folder", folder.file("folder").string(), MappedFile::Result::NotRegular},
        {"a pipe with no writer", folder.file("pipe").string(), MappedFile::Result::NotRegular},
        {"a device", "/dev/null", MappedFile::Result::NotRegular},
    };
    for (const Case& c : cases) {
        MappedFile file;
        EXPECT_EQ(file.open(c.path, 4096), c.result) << c.what;
        EXPECT_EQ(file.data(), nullptr) << c.what;
        EXPECT_EQ(file.size(), 0u) << c.what;
    }

    // A refused file leaves nothing of the one mapped before it.
    MappedFile file;
    writeFile(folder.file("small"), "abc");
    ASSERT_EQ(file.open(folder.file("small").string(), 4096), MappedFile::Result::Mapped);
    EXPECT_EQ(file.open(folder.file("folder").string(), 4096), MappedFile::Result::NotRegular);
    EXPECT_EQ(file.data(), nullptr);
}
