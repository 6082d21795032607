#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/TextCodec.h"

namespace {

bool writeAll(int fd, std::string_view content) {
    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// Flushes the folder that holds path, so that a rename in it survives a crash of the machine.
// A folder that cannot be opened for reading, or a file system that cannot flush one, leaves
// nothing more to do; a failing flush is a failure.
bool syncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return true;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

}  // namespace

std::string hiddenSiblingPath(std::string_view path, std::string_view suffix) {
    // "/" is below every GBK second byte, so a byte search cannot land inside a character.
    size_t slash = path.rfind('/');
    size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    std::string result(path.substr(0, nameStart));
    result += '.';
    result += path.substr(nameStart);
    result += suffix;
    return result;
}

std::string diskPath(std::string_view gbkPath) {
    return gbkToUtf8(gbkPath);
}

bool readWholeFile(std::string_view gbkPath, std::string& content) {
    content.clear();
    int fd = ::open(diskPath(gbkPath).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) content.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    while (ok) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        content.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (!ok) content.clear();
    return ok;
}

bool replaceFileAtomically(std::string_view gbkPath, std::string_view content) {
    // A symbolic link stays one: the file it points at is replaced, beside itself.
    std::string path = diskPath(gbkPath);
    if (char* target = ::realpath(path.c_str(), nullptr)) {
        path = target;
        std::free(target);
    }
    const std::string temporary = hiddenSiblingPath(path, ".new");
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    // The new file takes the old one's permissions: a file the user made private stays so.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    // The data must be on the disk before the rename makes it the file; otherwise a crash of the
    // machine could leave the new name pointing at an empty file.
    bool ok = writeAll(fd, content) && ::fdatasync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Until the folder is on the disk, a crash of the machine can still bring the old file back.
    return syncFolderOf(path);
}

bool ensureWritableFile(std::string_view gbkPath) {
    int fd = ::open(diskPath(gbkPath).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}
