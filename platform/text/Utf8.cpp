#include "platform/text/Utf8.h"

#include <type_traits>

namespace qx4t {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
// Windows' wchar_t holds UTF-16, where a character beyond U+FFFF takes a surrogate pair;
// Linux's holds the code point itself.
constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

bool isHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void appendWide(std::wstring& out, char32_t cp) {
    if (kWideIsUtf16 && cp > 0xFFFF) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
        return;
    }
    out.push_back(static_cast<wchar_t>(cp));
}

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

}  // namespace

Utf8Char decodeUtf8At(std::string_view utf8, std::size_t i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        return {lead, 1};
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return {kReplacement, 0};
    }
    for (std::size_t taken = 1; taken <= extra; ++taken) {
        if (i + taken >= utf8.size() || !isContinuation(utf8[i + taken])) {
            return {kReplacement, 0};
        }
        cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + taken]) & 0x3F);
    }
    // Overlong forms, surrogates and code points past the last plane are not characters.
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return {kReplacement, 0};
    }
    return {cp, extra + 1};
}

std::wstring utf8ToWide(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const Utf8Char c = decodeUtf8At(utf8, i);
        appendWide(out, c.cp);
        // Only the lead byte of a broken sequence is dropped, so a valid character after a
        // stray byte survives.
        i += c.length == 0 ? 1 : c.length;
    }
    return out;
}

std::string wideToUtf8(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        // Through the unsigned type of the same width: a signed wchar_t must not sign-extend.
        using Unit = std::make_unsigned_t<wchar_t>;
        auto cp = static_cast<char32_t>(static_cast<Unit>(wide[i]));
        if (kWideIsUtf16 && isHighSurrogate(cp) && i + 1 < wide.size() &&
            isLowSurrogate(static_cast<Unit>(wide[i + 1]))) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<Unit>(wide[i + 1]) - 0xDC00);
            ++i;
        } else if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            cp = kReplacement;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

}  // namespace qx4t
