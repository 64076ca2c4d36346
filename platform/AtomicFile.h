#pragma once
// Replacing a whole file so that a crash or a full disk never leaves it
// half-written: the content goes to a temporary file in the same folder,
// which is flushed to disk and then renamed over the target.

#include <string>
#include <string_view>

namespace tabrel {

/// Writes `content` as the file `path`, keeping an existing file's
/// permissions. A symbolic link is written through: the file it names is
/// replaced and the link stays (a loop of links is refused). Returns false,
/// with the old file (if any) untouched and no temporary file left behind,
/// when anything fails.
bool WriteFileAtomically(const std::string& path, std::string_view content);

/// Makes the renames done in `folder` durable; a failure is ignored (what
/// was written stays written).
void SyncFolder(const std::string& folder);

/// Makes a write beyond the process's file-size limit fail instead of
/// killing the process (SIGXFSZ), so the writers here can keep the old file
/// and report. Programs call it once at start.
void IgnoreFileSizeSignal();

/// A tag that tells this process's temporary names from another's.
std::string ProcessTag();

}  // namespace tabrel
