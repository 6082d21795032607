// Replaces the file named by its argument as the program replaces its settings and tree files, and
// prints each call that decides what survives a crash of the machine, in order: "sync file" or
// "sync folder" for a flush to the disk, "rename" for the rename, then "result 1" or "result 0".
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>

#include "platform/Files.h"

namespace {

void recordSync(int fd) {
    struct stat info {};
    const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    std::printf("%s\n", folder ? "sync folder" : "sync file");
}

}  // namespace

// These stand in for the C library's functions in this program, record the call and pass it on.
extern "C" int fsync(int fd) {
    recordSync(fd);
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int fdatasync(int fd) {
    recordSync(fd);
    return static_cast<int>(::syscall(SYS_fdatasync, fd));
}

extern "C" int rename(const char* from, const char* to) {
    std::printf("rename\n");
    using Rename = int (*)(const char*, const char*);
    static const auto next = reinterpret_cast<Rename>(::dlsym(RTLD_NEXT, "rename"));
    return next(from, to);
}

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const bool ok = replaceFileAtomically(argv[1], "content");
    std::printf("result %d\n", ok ? 1 : 0);
    return 0;
}
