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

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    std::FILE* f = OpenRegularFile(path);
    if (!f)
        return std::nullopt;
    std::string content;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        content.append(buffer, n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return std::nullopt;
    return content;
}

}  // namespace tabrel
