#include "platform/core/temp_file.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <random>
#include <string>

#include "platform/core/path.h"

namespace platform {
namespace {

constexpr int kMaxLinks = 40;  // as the kernel allows in one path
constexpr size_t kRandomChars = 12;
constexpr const char* kSuffix = ".tmp";
constexpr size_t kMaxName = 255;
constexpr size_t kChunk = size_t{8} << 20;  // one copy call; a test failure hits one chunk

std::string randomPart() {
    static const char digits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[kRandomChars];
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        std::random_device rd;
        for (unsigned char& b : bytes) b = static_cast<unsigned char>(rd());
    }
    std::string out;
    for (unsigned char b : bytes) out.push_back(digits[b % (sizeof digits - 1)]);
    return out;
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Errors after which copy_file_range is given up for plain reads and writes.
bool copyUnsupported(int error) {
    return error == EXDEV || error == ENOSYS || error == EOPNOTSUPP || error == EINVAL;
}

}  // namespace

bool realTargetPath(const std::string& path, std::string& target) {
    std::string p = path;
    for (int i = 0; i <= kMaxLinks; ++i) {
        struct stat st {};
        if (::lstat(osPath(p).c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = p;
            return true;
        }
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(osPath(p).c_str(), link.data(), link.size());
        if (n < 0 || static_cast<size_t>(n) >= link.size()) return false;
        link.resize(static_cast<size_t>(n));
        // A link's text is a name of the file system; the program's paths are Windows-1252.
        const std::optional<std::string> named = fromOsPath(link);
        if (!named) return false;
        link = *named;
        p = link.front() == '/' ? link : joinPath(folderOf(p), link);
    }
    return false;
}

bool isTempFileName(const std::string& name) {
    const size_t suffix = std::char_traits<char>::length(kSuffix);
    const size_t tail = 1 + kRandomChars + suffix;
    return name.size() > tail && name.compare(name.size() - suffix, suffix, kSuffix) == 0 &&
           name[name.size() - tail] == '.';
}

TempFile::~TempFile() {
    discard();
}

bool TempFile::create(const std::string& target) {
    discard();
    if (!realTargetPath(target, target_)) {
        File probe;  // records the loop as the error of the call
        probe.open(target, OpenMode::ReadOnly);
        return false;
    }
    std::string base = baseName(target_);
    const size_t room = kMaxName - 1 - kRandomChars - std::char_traits<char>::length(kSuffix);
    if (base.size() > room) base.resize(room);
    const std::string folder = folderOf(target_);
    // A name taken (planted or by chance) is never opened: another is drawn.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = base + "." + randomPart() + kSuffix;
        path_ = target_.find('/') == std::string::npos ? name : joinPath(folder, name);
        if (file_.open(path_, OpenMode::CreateNew)) break;
        if (file_.lastError() != EEXIST) return false;
    }
    if (!file_.isOpen()) return false;
    pending_ = true;
    struct stat st {};
    if (::stat(osPath(target_).c_str(), &st) == 0 && S_ISREG(st.st_mode))
        (void)::fchmod(file_.descriptor(), st.st_mode & 07777);
    return true;
}

bool TempFile::unchanged() const {
    struct stat mine {};
    struct stat named {};
    return file_.isOpen() && ::fstat(file_.descriptor(), &mine) == 0 &&
           ::lstat(osPath(path_).c_str(), &named) == 0 && S_ISREG(named.st_mode) &&
           mine.st_dev == named.st_dev && mine.st_ino == named.st_ino;
}

bool TempFile::commit() {
    if (!pending_) return false;
    const bool ok = file_.sync() && unchanged() && file_.close() && renamePath(path_, target_);
    if (!ok) {
        discard();
        return false;
    }
    pending_ = false;
    return syncFolder(folderOf(target_));
}

void TempFile::discard() {
    if (!pending_) return;
    pending_ = false;
    const int error = errno;
    file_.close();
    ::unlink(osPath(path_).c_str());  // the name is ours alone
    errno = error;
}

bool copyContents(File& in, File& out) {
    const int from = in.descriptor();
    const int to = out.descriptor();
    bool clone = in.position() == 0 && out.length() == 0;
    bool kernel = true;
    bool copied = false;
    std::string buffer;
    for (;;) {
        if (clone || kernel) {
            if (writeCallFails()) return false;
            if (clone) {
                clone = false;
                if (::ioctl(to, FICLONE, from) == 0) return true;
            }
            const off_t at = ::lseek(to, 0, SEEK_CUR);
            const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, kChunk, 0);
            if (n > 0) {
                // The disk starts writing now, so the sync at the end waits
                // for the last chunk only, not for the whole file.
                ::sync_file_range(to, at, n, SYNC_FILE_RANGE_WRITE);
                copied = true;
                continue;
            }
            if (n < 0 && errno == EINTR) continue;
            // Some file systems (proc) report no data where there is some:
            // an empty first answer is checked by reading.
            if (n == 0 && copied) return true;
            if (n < 0 && !copyUnsupported(errno)) return false;
            kernel = false;  // go on from where the kernel stopped
        }
        if (buffer.empty()) buffer.resize(size_t{1} << 16);
        const int64_t n = in.read(buffer.data(), static_cast<int64_t>(buffer.size()));
        if (n < 0) return false;
        if (n == 0) return true;
        if (!out.write(buffer.data(), n)) return false;
    }
}

}  // namespace platform
