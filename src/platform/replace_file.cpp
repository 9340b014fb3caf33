#include "replace_file.h"

#include "testing.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// Test seams: a disk that fills after so many bytes, renames that fail
// (all of them, or the nth from now).
long long bytesUntilDiskFull = -1;
bool renamesFail = false;
int renamesUntilFailure = 0;

int renameFile(const char* from, const char* to)
{
    if (renamesFail || (renamesUntilFailure > 0 && --renamesUntilFailure == 0)) {
        errno = EIO;
        return -1;
    }
    return ::rename(from, to);
}

constexpr const char* TEMPORARY_MARK = ".tmp";

std::string folderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string describe(const std::string& what, const std::string& path, int err)
{
    return what + " " + path + ": " + std::strerror(err);
}

ssize_t writeSome(int fd, const char* data, size_t size)
{
    if (bytesUntilDiskFull >= 0) {
        if (bytesUntilDiskFull == 0) {
            errno = ENOSPC;
            return -1;
        }
        size = std::min(size, static_cast<size_t>(bytesUntilDiskFull));
    }
    const ssize_t written = ::write(fd, data, size);
    if (written > 0 && bytesUntilDiskFull >= 0)
        bytesUntilDiskFull -= written;
    return written;
}

bool writeAll(int fd, std::string_view bytes)
{
    const char* at = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = writeSome(fd, at, left);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// A new file beside `path`, not yet used by anyone; -1 if none can be made.
int createTemporary(const std::string& path, std::string& tempPath)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + TEMPORARY_MARK + std::to_string(getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Writes and flushes one temporary; false with `error` set (and nothing left on
// disk) if any step fails.
bool writeTemporary(const FileContents& file, std::string& tempPath, std::string& error)
{
    const int fd = createTemporary(file.path, tempPath);
    if (fd < 0) {
        error = describe("Cannot write", file.path, errno);
        tempPath.clear();
        return false;
    }
    bool ok = writeAll(fd, file.bytes);
    int err = errno;
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        error = describe("Cannot write", file.path, err);
        ::unlink(tempPath.c_str());
        tempPath.clear();
    }
    return ok;
}

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);  // best effort: the renames are done either way
    ::close(fd);
}

}  // namespace

bool replaceFiles(const std::vector<FileContents>& files, std::string& error)
{
    std::vector<std::string> temps;
    auto removeTemps = [&temps](size_t from) {
        for (size_t i = from; i < temps.size(); ++i)
            if (!temps[i].empty())
                ::unlink(temps[i].c_str());
    };

    for (const FileContents& file : files) {
        // A folder in a file's place would only be found at its rename, when
        // the files before it were already replaced.
        struct stat st {};
        if (file.path.empty() || file.path.back() == '/' ||
            (::stat(file.path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))) {
            error = describe("Cannot write", file.path, EISDIR);
            removeTemps(0);
            return false;
        }
        std::string temp;
        if (!writeTemporary(file, temp, error)) {
            removeTemps(0);
            return false;
        }
        temps.push_back(temp);
    }

    // Each rename is made to last before the next, so that after a crash
    // the later files are never newer than the earlier ones.
    for (size_t i = 0; i < files.size(); ++i) {
        if (renameFile(temps[i].c_str(), files[i].path.c_str()) != 0) {
            error = describe("Cannot replace", files[i].path, errno);
            removeTemps(i);
            return false;
        }
        syncFolder(folderOf(files[i].path));
    }
    return true;
}

bool moveFile(const std::string& from, const std::string& to, std::string& error)
{
    if (renameFile(from.c_str(), to.c_str()) != 0) {
        error = describe("Cannot replace", to, errno);
        return false;
    }
    syncFolder(folderOf(to));
    return true;
}

void removeStaleTemporaries(const std::string& path)
{
    const std::string folder = folderOf(path);
    const std::string prefix = path.substr(path.find_last_of('/') + 1) + TEMPORARY_MARK;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        // "<file>.tmp<pid>-<n>": a process still running may be writing it.
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && pid != getpid() && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM))
            continue;
        ::unlink((folder + "/" + name).c_str());
    }
    ::closedir(dir);
}

bool replaceFile(const std::string& path, std::string_view bytes, std::string& error)
{
    return replaceFiles({FileContents{path, bytes}}, error);
}

}  // namespace platform

namespace platform::testing {

void failFileWritesAfter(long long bytes) { bytesUntilDiskFull = bytes; }
void failFileRenames(bool fail) { renamesFail = fail; }
void failFileRenameNumber(int n) { renamesUntilFailure = n; }

}  // namespace platform::testing
