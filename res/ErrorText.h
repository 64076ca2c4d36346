#pragma once
// The text a user reads for a failure the core reports.

#include <string>
#include <string_view>

#include "platform/Error.h"

namespace tabrel::res {

/// String `id` with each "%1" replaced by `detail`.
std::string FormatString(int id, std::string_view detail);

/// The message for `error`, from the string table, naming its path or detail.
std::string ErrorText(const Error& error);

}  // namespace tabrel::res
