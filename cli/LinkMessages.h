#pragma once
// The link's result codes in the words qx4t-vup prints.
#include <string>

namespace qx4t::cli {

// What went wrong, followed by the code in brackets for support.
[[nodiscard]] std::string LinkFailure(int code);

}  // namespace qx4t::cli
