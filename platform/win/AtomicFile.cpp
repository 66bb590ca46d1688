#include "platform/win/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace {

constexpr off_t kMaxReadSize = off_t{64} << 20;

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Makes the rename itself durable; failure here does not undo a completed replace.
void SyncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& out, bool& missing) {
    out.clear();
    missing = false;
    if (path.empty()) return false;
    int fd;
    do {
        // O_NONBLOCK so that a pipe at path cannot block us; it is rejected below.
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        missing = errno == ENOENT;
        return false;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxReadSize) {
        close(fd);
        return false;
    }
    std::string data;
    data.reserve(static_cast<std::size_t>(st.st_size));
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t n = read(fd, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            return false;
        }
        if (n == 0) break;
        if (data.size() + static_cast<std::size_t>(n) > static_cast<std::size_t>(kMaxReadSize)) {
            close(fd);
            return false;
        }
        data.append(buffer.data(), static_cast<std::size_t>(n));
    }
    close(fd);
    out = std::move(data);
    return true;
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/') return false;

    // Replace the file a symbolic link names, not the link (settings files are often linked).
    std::string target = path;
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* real = realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }

    mode_t mode = 0600;
    if (stat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return false;
        // rename() ignores the file's own permissions; keep the meaning of a read-only file.
        if (access(target.c_str(), W_OK) != 0) return false;
        mode = st.st_mode & 0777;
    }

    std::vector<char> temp(target.begin(), target.end());
    for (char c : std::string_view(".XXXXXX")) temp.push_back(c);
    temp.push_back('\0');
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return false;

    bool ok = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    if (close(fd) != 0) ok = false;
    if (ok && rename(temp.data(), target.c_str()) != 0) ok = false;
    if (!ok) {
        unlink(temp.data());
        return false;
    }
    SyncFolderOf(target);
    return true;
}
