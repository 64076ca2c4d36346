#include "platform/AtomicFile.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabrel {

namespace {
// The file a write to `path` must replace: a symbolic link is written
// through to the file it names, so the link itself stays.
std::string WriteTarget(const std::string& path)
{
    std::string target = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0)
            return target;
        link.resize(static_cast<std::size_t>(n));
        const std::filesystem::path next(link);
        target = next.is_absolute() ? link : (std::filesystem::path(target).parent_path() / next).string();
    }
    return {};  // a chain of links that never ends in a file
}
}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content)
{
    const std::string targetPath = WriteTarget(path);
    if (targetPath.empty())
        return false;
    const std::filesystem::path target(targetPath);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string tmpl = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        return false;

    bool ok = true;
    struct stat old {};
    if (::stat(targetPath.c_str(), &old) == 0) {
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    } else {
        // A new file gets the usual permissions, not the temporary file's 0600.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ok = ::fchmod(fd, 0666 & ~mask) == 0;
    }
    std::size_t done = 0;
    while (ok && done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            ok = false;
        else
            done += static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tmpl.c_str(), targetPath.c_str()) == 0;
    if (!ok) {
        ::unlink(tmpl.c_str());
        return false;
    }
    SyncFolder(folder.string());
    return true;
}

void SyncFolder(const std::string& folder)
{
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

void IgnoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

std::string ProcessTag()
{
    return std::to_string(::getpid());
}

}  // namespace tabrel
