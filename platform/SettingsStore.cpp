#include "platform/SettingsStore.h"

#include "platform/SettingsFileFormat.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr const char* kFolderName = "qor-valdora";
constexpr const char* kFileName = "settings.conf";
constexpr const char* kLockFileName = "settings.lock";
// Far beyond any real settings file; a bigger one is not ours to load.
constexpr off_t kMaxFileBytes = 4 * 1024 * 1024;
constexpr mode_t kFolderMode = 0700;
constexpr mode_t kFileMode = 0600;

std::string configHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')  // relative values are invalid and ignored
        return xdg;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/')
        return std::string(home) + "/.config";
    const passwd* entry = getpwuid(getuid());
    if (entry && entry->pw_dir && entry->pw_dir[0] == '/')
        return std::string(entry->pw_dir) + "/.config";
    return {};
}

std::string settingsFolder()
{
    const std::string base = configHome();
    return base.empty() ? std::string() : base + "/" + kFolderName;
}

// A key path ends up on a line of its own inside brackets.
bool usableKeyPath(const std::string& keyPath)
{
    if (keyPath.empty())
        return false;
    for (const char c : keyPath) {
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
    }
    return true;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // close() reports late write errors (NFS, full disks); they must fail the write.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool makeFolders(const std::string& path)
{
    for (std::size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), kFolderMode) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat info{};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

enum class ReadResult { Ok, Missing, Failed };

ReadResult readWholeFile(const std::string& path, std::string& text)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid())
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    struct stat info{};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileBytes)
        return ReadResult::Failed;
    text.clear();
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return ReadResult::Failed;
        if (got == 0)
            return ReadResult::Ok;
        text.append(buffer, static_cast<std::size_t>(got));
        if (text.size() > static_cast<std::size_t>(kMaxFileBytes))
            return ReadResult::Failed;
    }
}

bool writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool syncFolder(const std::string& folder)
{
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.valid() && ::fsync(dir.get()) == 0;
}

// Temporary file in the same folder, synced, renamed over the target, folder
// synced: a reader sees the old file or the new one, never a part of either.
bool replaceFileAtomically(const std::string& folder, const std::string& path, const std::string& text)
{
    std::string temporary = path + ".tmp.XXXXXX";
    FileDescriptor file(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!file.valid())
        return false;
    const bool written = ::fchmod(file.get(), kFileMode) == 0 && writeAll(file.get(), text) &&
                         ::fsync(file.get()) == 0 && file.close();
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return syncFolder(folder);
}

// Renames a file we could not fully read to <name>.corrupt-<UTC time>[-n],
// so a person can still recover what it held.
bool keepAside(const std::string& path)
{
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    char stamp[32] = "unknown-time";
    if (::gmtime_r(&now, &utc))
        std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    const std::string base = path + ".corrupt-" + stamp;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string aside = attempt == 0 ? base : base + "-" + std::to_string(attempt);
        // link() refuses to overwrite, so an earlier kept file survives.
        if (::link(path.c_str(), aside.c_str()) == 0)
            return ::unlink(path.c_str()) == 0;
        if (errno != EEXIST)
            break;
    }
    return false;
}

// Holds the exclusive lock on the folder's lock file for its lifetime; the
// lock file is separate because the settings file itself is replaced.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : file_(::open((folder + "/" + kLockFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kFileMode))
    {
        if (!file_.valid())
            return;
        int result = 0;
        do {
            result = ::flock(file_.get(), LOCK_EX);
        } while (result != 0 && errno == EINTR);
        locked_ = result == 0;
    }
    ~FolderLock()
    {
        if (locked_)
            ::flock(file_.get(), LOCK_UN);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool locked() const { return locked_; }

private:
    FileDescriptor file_;
    bool locked_ = false;
};

// The document as it is on disk; a file that cannot be read holds nothing.
SettingsDocument loadDocument(const std::string& path)
{
    std::string text;
    if (readWholeFile(path, text) != ReadResult::Ok)
        return {};
    return parseSettings(text);
}

// Read-modify-write of the whole file under the lock, so values another
// process wrote since our last read are kept.
bool writeValue(const std::string& keyPath, const SettingsValue& value)
{
    const std::string folder = settingsFolder();
    if (folder.empty() || !makeFolders(folder))
        return false;
    const FolderLock lock(folder);
    if (!lock.locked())
        return false;
    const std::string path = folder + "/" + kFileName;

    std::string text;
    SettingsDocument document;
    switch (readWholeFile(path, text)) {
    case ReadResult::Missing:
        break;
    case ReadResult::Ok:
        document = parseSettings(text);
        if (document.corruptLines > 0 && !keepAside(path))
            return false;
        break;
    case ReadResult::Failed:
        // Unreadable (permissions, oversized, not a file): keep it aside
        // rather than overwrite it; if even that fails, write nothing.
        if (!keepAside(path))
            return false;
        break;
    }
    document.corruptLines = 0;
    storeSettingsValue(document.sectionFor(keyPath), value);
    return replaceFileAtomically(folder, path, formatSettings(document));
}

}  // namespace

struct SettingsKey::Impl {
    std::string keyPath;
    bool writable = false;
    SettingsSection values;  // as read at open, plus what this key wrote since
};

std::string settingsFilePath()
{
    const std::string folder = settingsFolder();
    return folder.empty() ? std::string() : folder + "/" + kFileName;
}

SettingsKey::SettingsKey(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SettingsKey::~SettingsKey() = default;

std::unique_ptr<SettingsKey> SettingsKey::open(const std::string& keyPath)
{
    const std::string path = settingsFilePath();
    if (path.empty() || !usableKeyPath(keyPath))
        return nullptr;
    const SettingsDocument document = loadDocument(path);
    const SettingsSection* section = document.findSection(keyPath);
    if (!section || section->values.empty())
        return nullptr;
    auto impl = std::make_unique<Impl>();
    impl->keyPath = keyPath;
    impl->values = *section;
    return std::unique_ptr<SettingsKey>(new SettingsKey(std::move(impl)));
}

std::unique_ptr<SettingsKey> SettingsKey::create(const std::string& keyPath)
{
    const std::string folder = settingsFolder();
    if (folder.empty() || !usableKeyPath(keyPath) || !makeFolders(folder))
        return nullptr;
    auto impl = std::make_unique<Impl>();
    impl->keyPath = keyPath;
    impl->writable = true;
    const SettingsDocument document = loadDocument(folder + "/" + kFileName);
    if (const SettingsSection* section = document.findSection(keyPath))
        impl->values = *section;
    return std::unique_ptr<SettingsKey>(new SettingsKey(std::move(impl)));
}

bool SettingsKey::query(const std::string& name, void* data, std::size_t capacity, SettingsValueType* type,
                        std::size_t* storedSize) const
{
    const SettingsValue* value = findSettingsValue(impl_->values, name);
    if (!value)
        return false;
    if (type)
        *type = value->type;
    if (storedSize)
        *storedSize = value->bytes.size();
    if (value->bytes.size() > capacity)
        return false;
    if (data && !value->bytes.empty())
        std::memcpy(data, value->bytes.data(), value->bytes.size());
    return true;
}

bool SettingsKey::queryString(const std::string& name, char* text, std::size_t capacity) const
{
    const SettingsValue* value = findSettingsValue(impl_->values, name);
    if (!value || !text || capacity == 0)
        return false;
    // Binary data read as text stops at its first zero byte, as a C string would.
    std::size_t length = value->bytes.find('\0');
    if (length == std::string::npos)
        length = value->bytes.size();
    if (length > capacity - 1)
        length = capacity - 1;
    std::memcpy(text, value->bytes.data(), length);
    text[length] = '\0';
    return true;
}

bool SettingsKey::set(const std::string& name, SettingsValueType type, const void* data, std::size_t size)
{
    if (!impl_->writable || (type != SettingsValueType::Binary && type != SettingsValueType::String) ||
        (!data && size != 0))
        return false;
    SettingsValue value;
    value.name = name;
    value.type = type;
    if (size != 0)
        value.bytes.assign(static_cast<const char*>(data), size);
    if (!writeValue(impl_->keyPath, value))
        return false;
    storeSettingsValue(impl_->values, value);
    return true;
}

bool SettingsKey::setString(const std::string& name, const std::string& text)
{
    // Stored as a C string would be: up to the first zero byte.
    const std::string stored = text.substr(0, text.find('\0'));
    return set(name, SettingsValueType::String, stored.data(), stored.size());
}

}  // namespace platform
