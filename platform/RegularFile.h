#pragma once
// Opening files for reading only when they are plain files. A folder, a
// FIFO or a device named where a text, an index or a profile belongs counts
// as a file that cannot be opened; the check never blocks (a FIFO without a
// writer would hold a plain open() forever).

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace tabrel {

/// Opens `path` for binary reading when it is a regular file (symbolic
/// links followed); nullptr otherwise, with errno telling why.
std::FILE* OpenRegularFile(const std::string& path);

/// The whole content of the regular file `path`; nothing when it is absent,
/// not a regular file, or cannot be read to its end.
std::optional<std::string> ReadWholeFile(const std::string& path);

/// Reads the whole regular file `path` into `content`. Returns 0, or the
/// errno value of what failed: EISDIR or EINVAL for a file that is not
/// regular, EFBIG when it holds more than `maxBytes` bytes.
int ReadWholeFile(const std::string& path, std::string& content, std::uint64_t maxBytes);

}  // namespace tabrel
