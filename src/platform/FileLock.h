#pragma once
// An exclusive advisory lock (flock) on a lock file, held until release or destruction, so that
// only one process at a time writes the file it guards.
#include <string>
#include <string_view>

class FileLock {
  public:
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() { release(); }

    // Creates the lock file when missing and takes the lock without waiting. False when the folder
    // cannot hold the file or another process holds the lock.
    bool acquire(std::string_view gbkLockPath);
    void release();
    bool held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};
