#include "platform/RegularFile.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tabrel {

std::FILE* OpenRegularFile(const std::string& path)
{
    // O_NONBLOCK keeps open() from waiting for a FIFO's writer; it is cleared
    // again once the file is known to be regular.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int saved = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = saved;
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f)
        ::close(fd);
    return f;
}

int ReadWholeFile(const std::string& path, std::string& content, std::uint64_t maxBytes)
{
    content.clear();
    std::FILE* f = OpenRegularFile(path);
    if (!f)
        return errno;
    int error = 0;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        content.append(buffer, n);
        if (content.size() > maxBytes) {
            error = EFBIG;
            break;
        }
    }
    if (!error && std::ferror(f))
        error = errno ? errno : EIO;
    std::fclose(f);
    return error;
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::string content;
    if (ReadWholeFile(path, content, UINT64_MAX) != 0)
        return std::nullopt;
    return content;
}

}  // namespace tabrel
