#pragma once
// Conversions between the UTF-8 of the system (file names, sysfs and udev texts) and the wide
// strings of the wizard. Malformed input never truncates: each bad byte becomes U+FFFD.
#include <cstddef>
#include <string>
#include <string_view>

namespace qx4t {

// One character of UTF-8: its code point and its length in bytes. `length` is 0 when the bytes
// at that position are no valid shortest-form sequence; `cp` is then U+FFFD.
struct Utf8Char {
    char32_t cp;
    std::size_t length;
};
// `i` must be inside `utf8`.
[[nodiscard]] Utf8Char decodeUtf8At(std::string_view utf8, std::size_t i);

[[nodiscard]] std::wstring utf8ToWide(std::string_view utf8);
// Characters that are not valid code points (surrogates, beyond U+10FFFF) become U+FFFD.
[[nodiscard]] std::string wideToUtf8(std::wstring_view wide);

}  // namespace qx4t
