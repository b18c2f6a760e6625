#include "installer/privileged_operations.h"

#include "installer/gtk_settings_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>
#include <utility>
#include <vector>

namespace vantro::installer {

namespace {

using Kind = OperationResult::Kind;

constexpr mode_t kFolderMode = 0755;
constexpr mode_t kProgramMode = 0755;
constexpr mode_t kFileMode = 0644;
// Deeper or larger parts are not the installer's.
constexpr int kMaxDepth = 24;
constexpr size_t kMaxEntries = 20000;
// A part is tens of MiB even in an instrumented build; a larger one (a
// sparse file costs its owner nothing) would fill the system's disk, root's
// reserve included.
constexpr off_t kMaxPartBytes = off_t{1} << 30;
// The GTK settings file is a few lines; a larger one is not edited.
constexpr size_t kMaxSettingsBytes = size_t{256} * 1024;

OperationResult refused(std::string why) {
    return {Kind::refused, std::move(why)};
}

OperationResult failed(const std::string& what) {
    return {Kind::failed, what + ": " + std::error_code(errno, std::generic_category()).message()};
}

class Fd {
  public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd& operator=(Fd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    [[nodiscard]] int get() const { return fd_; }
    [[nodiscard]] bool valid() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

Fd openFolderAt(int folder, const std::string& name) {
    return Fd(openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

std::vector<std::string> componentsOf(const std::string& path) {
    std::vector<std::string> components;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > start) {
            components.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return components;
}

bool isPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// A folder opened from "/" one name at a time, never through a link. The
// first `fixed` names are the system's own folders: they must be there and
// be folders. Below them a missing folder is created when `create`; when
// they are Vantro's own (`ours`), a link found is removed and replaced by a
// folder and the folder gets mode 0755, else a link makes the walk refused
// and the folder's mode is left as it is. `missing` tells a walk that stopped at a missing folder
// (not created) from one that was refused.
struct Walk {
    Fd folder;
    OperationResult result;
    bool missing = false;
};

Walk openFolder(const std::string& path, size_t fixed, bool create, bool ours) {
    Walk walk;
    const std::vector<std::string> names = componentsOf(path);
    if (!path.starts_with('/')) {
        walk.result = refused(path + " is not an absolute path");
        return walk;
    }
    Fd folder(open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) {
        walk.result = failed("/");
        return walk;
    }
    std::string walked;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        walked += "/" + name;
        if (!isPlainName(name)) {
            walk.result = refused(walked + " is not a plain folder name");
            return walk;
        }
        // A bounded number of tries: each replaces what a racing writer put
        // there, and a writer that keeps winning gets a refusal.
        Fd next;
        for (int tries = 0; tries < 3 && !next.valid(); ++tries) {
            next = openFolderAt(folder.get(), name);
            if (next.valid()) {
                break;
            }
            const int error = errno;
            const bool own = i >= fixed;
            if (error == ENOENT && own && create) {
                if (mkdirat(folder.get(), name.c_str(), kFolderMode) != 0 && errno != EEXIST) {
                    walk.result = failed("cannot create " + walked);
                    return walk;
                }
                continue;
            }
            if (error == ENOENT) {
                walk.missing = true;
                walk.result = refused(walked + " does not exist");
                return walk;
            }
            struct stat found {};
            if ((error == ELOOP || error == ENOTDIR) && own && ours &&
                fstatat(folder.get(), name.c_str(), &found, AT_SYMLINK_NOFOLLOW) == 0 &&
                S_ISLNK(found.st_mode)) {
                // The link itself goes; what it points at is never touched.
                unlinkat(folder.get(), name.c_str(), 0);
                continue;
            }
            errno = error;
            walk.result = error == ELOOP || error == ENOTDIR
                              ? refused(walked + " is not a folder (a link is never followed)")
                              : failed("cannot open " + walked);
            return walk;
        }
        if (!next.valid()) {
            walk.result = refused(walked + " keeps changing");
            return walk;
        }
        if (i >= fixed && ours) {
            // Folders of our own are made readable by every user whatever
            // the caller's umask; the system's are left as they are.
            struct stat own {};
            if (fstat(next.get(), &own) == 0 && own.st_uid == 0 &&
                (own.st_mode & 07777) != kFolderMode) {
                fchmod(next.get(), kFolderMode);
            }
        }
        folder = std::move(next);
    }
    walk.folder = std::move(folder);
    return walk;
}

std::string parentOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// A name for a fresh entry beside `name` in `folder`, made by `make` (which
// fails with EEXIST when the name is taken).
template <typename Make>
std::string freshName(const std::string& name, const char* purpose, Make make) {
    static std::mt19937_64 random{std::random_device{}()};
    for (int tries = 0; tries < 100; ++tries) {
        std::array<char, 24> suffix{};
        std::snprintf(suffix.data(), suffix.size(), "%016llx",
                      static_cast<unsigned long long>(random()));
        std::string fresh = "." + name + "." + purpose + "-" + suffix.data();
        if (make(fresh)) {
            return fresh;
        }
        if (errno != EEXIST) {
            return {};
        }
    }
    return {};
}

// The names in the folder open as `folder`, but "." and "..": false when
// they cannot be read. Each call has a stream of its own.
bool entryNames(int folder, std::vector<std::string>& names) {
    DIR* entries = fdopendir(dup(folder));
    if (entries == nullptr) {
        return false;
    }
    while (const dirent* entry = readdir(entries)) { // NOLINT(concurrency-mt-unsafe)
        std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(std::move(name));
        }
    }
    closedir(entries);
    return true;
}

// Removes the entry `name` of `folder` and, when it is a folder, all it
// holds, never following a link (a link is removed as it is).
bool removeEntry(int folder, const std::string& name, int depth) {
    struct stat found {};
    if (fstatat(folder, name.c_str(), &found, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno == ENOENT;
    }
    if (!S_ISDIR(found.st_mode)) {
        return unlinkat(folder, name.c_str(), 0) == 0 || errno == ENOENT;
    }
    if (depth > kMaxDepth) {
        errno = ELOOP;
        return false;
    }
    Fd inner = openFolderAt(folder, name);
    if (!inner.valid()) {
        return (errno == ELOOP || errno == ENOTDIR) && unlinkat(folder, name.c_str(), 0) == 0;
    }
    std::vector<std::string> names;
    if (!entryNames(inner.get(), names)) {
        return false;
    }
    bool removed = true;
    for (const std::string& entryName : names) {
        removed = removeEntry(inner.get(), entryName, depth + 1) && removed;
    }
    return removed && unlinkat(folder, name.c_str(), AT_REMOVEDIR) == 0;
}

// Takes what an earlier helper, ended halfway (by root, a crash or a power
// cut), left beside `name` in `folder`: its fresh or set-aside entries. The
// folder is locked first and stays locked while the descriptor is open, so
// a helper at work beside the same location keeps its own; when the lock
// is held elsewhere nothing is taken.
void lockAndClearLeftovers(int folder, const std::string& name) {
    std::vector<std::string> names;
    if (flock(folder, LOCK_EX | LOCK_NB) != 0 || !entryNames(folder, names)) {
        return;
    }
    for (const std::string& entry : names) {
        if (entry.starts_with("." + name + ".new-") || entry.starts_with("." + name + ".old-")) {
            removeEntry(folder, entry, 0);
        }
    }
}

class TreeCopy {
  public:
    explicit TreeCopy(std::optional<uid_t> askingUser) : askingUser_(askingUser) {}

    // Checks the folder `source` was opened as, then copies what it holds
    // into `destination`.
    OperationResult copyFolder(int source, int destination, const std::string& shown, int depth) {
        struct stat folder {};
        if (fstat(source, &folder) != 0) {
            return failed(shown);
        }
        if (OperationResult trust = trusted(folder, shown); !trust.ok()) {
            return trust;
        }
        std::vector<std::string> names;
        if (!entryNames(source, names)) {
            return failed(shown);
        }
        entries_ += names.size();
        if (entries_ > kMaxEntries) {
            return refused(shown + " holds too many entries");
        }
        for (const std::string& name : names) {
            std::string entryShown = shown;
            entryShown += '/';
            entryShown += name;
            if (OperationResult copied = copyEntry(source, destination, name, entryShown, depth);
                !copied.ok()) {
                return copied;
            }
        }
        return fchmod(destination, kFolderMode) == 0 ? OperationResult{} : failed(shown);
    }

  private:
    [[nodiscard]] OperationResult trusted(const struct stat& found,
                                          const std::string& shown) const {
        if (!S_ISDIR(found.st_mode) && !S_ISREG(found.st_mode)) {
            return refused(shown + " is neither a regular file nor a folder");
        }
        if (found.st_uid != 0 && (!askingUser_ || found.st_uid != *askingUser_)) {
            return refused(shown + " belongs to neither root nor the user who asked");
        }
        if ((found.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
            return refused(shown + " is writable by others than its owner");
        }
        const mode_t everyone = S_ISDIR(found.st_mode) ? (S_IROTH | S_IXOTH) : S_IROTH;
        if ((found.st_mode & everyone) != everyone) {
            return refused(shown + " is not readable by every user");
        }
        return {};
    }

    OperationResult copyEntry(int source, int destination, const std::string& name,
                              const std::string& shown, int depth) {
        struct stat found {};
        if (fstatat(source, name.c_str(), &found, AT_SYMLINK_NOFOLLOW) != 0) {
            return failed(shown);
        }
        if (S_ISDIR(found.st_mode)) {
            // Checked before its copy is made, so that the copy stays within
            // the depth a removal goes to.
            if (depth + 1 > kMaxDepth) {
                return refused(shown + " is nested too deep");
            }
            Fd from = openFolderAt(source, name);
            if (!from.valid()) {
                return refused(shown + " cannot be opened as a folder");
            }
            if (mkdirat(destination, name.c_str(), 0700) != 0) {
                return failed(shown);
            }
            Fd to = openFolderAt(destination, name);
            if (!to.valid()) {
                return failed(shown);
            }
            return copyFolder(from.get(), to.get(), shown, depth + 1);
        }
        if (!S_ISREG(found.st_mode)) {
            return refused(shown + " is neither a regular file nor a folder");
        }
        // O_NONBLOCK: should the entry have become a pipe since, opening it
        // must not wait; fstat below then refuses it.
        Fd from(openat(source, name.c_str(),
                       O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat opened {};
        if (!from.valid() || fstat(from.get(), &opened) != 0) {
            return refused(shown + " cannot be opened as a file");
        }
        if (OperationResult trust = trusted(opened, shown); !trust.ok()) {
            return trust;
        }
        if (opened.st_size > kMaxPartBytes - bytes_) {
            return refused(shown + " makes the part larger than any of the installer's");
        }
        Fd to(openat(destination, name.c_str(),
                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!to.valid()) {
            return failed(shown);
        }
        std::array<char, 65536> buffer{};
        while (true) {
            const ssize_t got = read(from.get(), buffer.data(), buffer.size());
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                return failed(shown);
            }
            if (got == 0) {
                break;
            }
            // The file may grow while it is read.
            bytes_ += got;
            if (bytes_ > kMaxPartBytes) {
                return refused(shown + " makes the part larger than any of the installer's");
            }
            for (ssize_t written = 0; written < got;) {
                const ssize_t put =
                    write(to.get(), buffer.data() + written, static_cast<size_t>(got - written));
                if (put < 0 && errno == EINTR) {
                    continue;
                }
                if (put <= 0) {
                    return failed(shown);
                }
                written += put;
            }
        }
        const mode_t mode =
            (opened.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0 ? kProgramMode : kFileMode;
        return fchmod(to.get(), mode) == 0 ? OperationResult{} : failed(shown);
    }

    std::optional<uid_t> askingUser_;
    size_t entries_ = 0;
    off_t bytes_ = 0;
};

// The contents of the file `name`, and in `found` what it is.
std::optional<std::string> contentsAt(int folder, const std::string& name, struct stat& found,
                                      OperationResult& result) {
    Fd file(
        openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.valid()) {
        if (errno != ENOENT) {
            result = refused(name + " cannot be opened as a file (a link is never followed)");
        }
        return std::nullopt;
    }
    if (fstat(file.get(), &found) != 0 || !S_ISREG(found.st_mode)) {
        result = refused(name + " is not a regular file");
        return std::nullopt;
    }
    if (static_cast<size_t>(found.st_size) > kMaxSettingsBytes) {
        result = refused(name + " is too large to be a GTK settings file");
        return std::nullopt;
    }
    std::string contents;
    std::array<char, 8192> buffer{};
    while (contents.size() <= kMaxSettingsBytes) {
        const ssize_t got = read(file.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            result = failed("cannot read " + name);
            return std::nullopt;
        }
        if (got == 0) {
            return contents;
        }
        contents.append(buffer.data(), static_cast<size_t>(got));
    }
    result = refused(name + " is too large to be a GTK settings file");
    return std::nullopt;
}

} // namespace

PrivilegedOperations::PrivilegedOperations(InstallLocations locations, CarriedParts sources,
                                           std::optional<uid_t> askingUser)
    : locations_(std::move(locations)), sources_(std::move(sources)), askingUser_(askingUser) {}

const std::string& PrivilegedOperations::sourceOf(Part part) const {
    switch (part) {
    case Part::prefPane:
        return sources_.prefPane;
    case Part::plugin:
        return sources_.plugin;
    case Part::loaderModule:
        break;
    }
    return sources_.loaderModule;
}

OperationResult PrivilegedOperations::install(Part part) const {
    const std::string& location = locations_.rootLocationOf(part);
    const std::string& sourcePath = sourceOf(part);
    // Every folder of the source's path is taken as it is: a link on the
    // way makes it not the installer's own.
    const std::vector<std::string> sourceNames = componentsOf(sourcePath);
    Walk source = openFolder(sourcePath, sourceNames.size(), false, false);
    if (!source.folder.valid()) {
        return source.result;
    }
    const size_t fixed = componentsOf(locations_.systemFolder).size();
    Walk parent = openFolder(parentOf(location), fixed, true, true);
    if (!parent.folder.valid()) {
        return parent.result;
    }
    const int folder = parent.folder.get();
    const std::string name = nameOf(location);
    lockAndClearLeftovers(folder, name);
    const std::string fresh = freshName(name, "new", [folder](const std::string& candidate) {
        return mkdirat(folder, candidate.c_str(), 0700) == 0;
    });
    if (fresh.empty()) {
        return failed("cannot create a folder beside " + location);
    }
    Fd copy = openFolderAt(folder, fresh);
    OperationResult result =
        copy.valid()
            ? TreeCopy(askingUser_).copyFolder(source.folder.get(), copy.get(), sourcePath, 0)
            : failed("cannot open the new copy of " + location);
    if (result.ok() &&
        renameat2(folder, fresh.c_str(), folder, name.c_str(), RENAME_NOREPLACE) != 0) {
        // Something is there (a former copy, or a link): swap them in one
        // step, so that readers see either the old or the new, and remove
        // what was there (a link as the link, never what it points at).
        if (errno != EEXIST ||
            renameat2(folder, fresh.c_str(), folder, name.c_str(), RENAME_EXCHANGE) != 0) {
            result = failed("cannot put " + location + " in place");
        }
    }
    if (!removeEntry(folder, fresh, 0) && result.ok()) {
        result = failed("cannot remove the former " + location);
    }
    return result;
}

OperationResult PrivilegedOperations::remove(Part part) const {
    const std::string& location = locations_.rootLocationOf(part);
    const size_t fixed = componentsOf(locations_.systemFolder).size();
    Walk parent = openFolder(parentOf(location), fixed, false, true);
    if (!parent.folder.valid()) {
        return parent.missing ? OperationResult{} : parent.result;
    }
    const int folder = parent.folder.get();
    const std::string name = nameOf(location);
    lockAndClearLeftovers(folder, name);
    struct stat found {};
    if (fstatat(folder, name.c_str(), &found, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno == ENOENT ? OperationResult{} : failed(location);
    }
    // Renamed aside first: readers see the whole copy or none.
    const std::string aside = freshName(name, "old", [folder, &name](const std::string& candidate) {
        return renameat2(folder, name.c_str(), folder, candidate.c_str(), RENAME_NOREPLACE) == 0;
    });
    if (aside.empty()) {
        return errno == ENOENT ? OperationResult{} : failed("cannot move " + location + " aside");
    }
    return removeEntry(folder, aside, 0) ? OperationResult{} : failed("cannot remove " + location);
}

OperationResult PrivilegedOperations::registerLoaderModule(bool named) const {
    const std::string& file = locations_.systemGtkSettings;
    const std::string module = locations_.rootLoaderModule + std::string(kLoaderModuleFile);
    // The system's configuration folders are taken as they are; GTK's own
    // folder below them is created when missing, a link there refused, and
    // its mode left as the administrator set it.
    const size_t fixed = componentsOf(locations_.systemConfigFolder).size();
    Walk parent = openFolder(parentOf(file), fixed, named, false);
    if (!parent.folder.valid()) {
        return !named && parent.missing ? OperationResult{} : parent.result;
    }
    const int folder = parent.folder.get();
    const std::string name = nameOf(file);
    lockAndClearLeftovers(folder, name);
    OperationResult unreadable;
    struct stat was {};
    const std::optional<std::string> current = contentsAt(folder, name, was, unreadable);
    if (!unreadable.ok()) {
        return unreadable;
    }
    // No "~" is expanded in the system's file: it is every user's.
    const GtkSettingsEdit edit =
        named ? gtkSettingsNaming(current, module, "/") : gtkSettingsWithout(current, module, "/");
    switch (edit.outcome) {
    case GtkSettingsEdit::Outcome::unchanged:
        return {};
    case GtkSettingsEdit::Outcome::unreadable:
        return refused(file + " is left as it is: " + edit.error);
    case GtkSettingsEdit::Outcome::remove:
        return unlinkat(folder, name.c_str(), 0) == 0 || errno == ENOENT ? OperationResult{}
                                                                         : failed(file);
    case GtkSettingsEdit::Outcome::write:
        break;
    }
    int written = -1;
    const std::string fresh =
        freshName(name, "new", [folder, &written](const std::string& candidate) {
            written = openat(folder, candidate.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            return written >= 0;
        });
    if (fresh.empty()) {
        return failed("cannot create a file beside " + file);
    }
    Fd out(written);
    const std::string& text = edit.text;
    bool ok = true;
    for (size_t put = 0; ok && put < text.size();) {
        const ssize_t n = write(out.get(), text.data() + put, text.size() - put);
        ok = n > 0 || (n < 0 && errno == EINTR);
        put += n > 0 ? static_cast<size_t>(n) : 0;
    }
    // The administrator's file keeps its owner and mode (never writable by
    // others); a new one is root's, readable by every user.
    const bool existed = current.has_value();
    ok = ok && (!existed || fchown(out.get(), was.st_uid, was.st_gid) == 0) &&
         fchmod(out.get(), existed ? was.st_mode & 0775 : kFileMode) == 0 &&
         fsync(out.get()) == 0 && renameat(folder, fresh.c_str(), folder, name.c_str()) == 0;
    if (!ok) {
        OperationResult result = failed("cannot write " + file);
        unlinkat(folder, fresh.c_str(), 0);
        return result;
    }
    return {};
}

} // namespace vantro::installer
