#pragma once
// Conversions between the UTF-8 of the system (file names, sysfs and udev texts) and the wide
// strings of the wizard. Malformed input never truncates: each bad byte becomes U+FFFD.
#include <string>
#include <string_view>

namespace qx4t {

[[nodiscard]] std::wstring utf8ToWide(std::string_view utf8);
// Characters that are not valid code points (surrogates, beyond U+10FFFF) become U+FFFD.
[[nodiscard]] std::string wideToUtf8(std::wstring_view wide);

}  // namespace qx4t
