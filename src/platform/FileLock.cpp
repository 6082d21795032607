#include "platform/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/Files.h"

bool FileLock::acquire(std::string_view gbkLockPath) {
    release();
    // flock needs no write access: a lock file that became read-only still serves.
    int fd = ::open(diskPath(gbkLockPath).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void FileLock::release() {
    if (fd_ < 0) return;
    ::close(fd_);  // closing the last descriptor drops the lock
    fd_ = -1;
}
