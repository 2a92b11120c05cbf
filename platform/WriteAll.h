#pragma once
// Writing a whole buffer to a file descriptor: the one loop that retries interrupted and short
// writes. For files and pipes; the serial port writes with a deadline of its own.
#include <string_view>

namespace qx4t {

// False when a write fails, with errno saying why (ENOSPC when nothing more is taken).
[[nodiscard]] bool writeAll(int fd, std::string_view bytes);

}  // namespace qx4t
