#pragma once
// The PLC's ASCII frames: header, station, command text, block check code (BCC), an optional
// continuation mark '&' and a carriage return. The BCC is the XOR of every character before it,
// as two upper-case hexadecimal digits. Shared by the link and anything that plays the PLC.
#include <cstddef>
#include <string>
#include <string_view>

#include "link/ResultCodes.h"

namespace qx4t::link {

inline constexpr char kCarriageReturn = '\r';
inline constexpr char kContinuation = '&';
// Appended to a text before MakeBCC to ask for a continued frame; never sent.
inline constexpr std::string_view kContinuedMarker = "**&";

// The BCC and terminator that belong behind `s`, decided by how `s` ends:
//   "&" CR   -> XOR of all but the last 4 characters, then "&" CR   (a received continued frame)
//   CR       -> XOR of all but the last 3 characters, then CR       (a received final frame)
//   "&"      -> XOR of all but the last 3 characters, then "&" CR   (text + "**&")
//   other    -> XOR of all of s, then CR                            (a plain text)
// A string too short for its case has nothing left to cover, and the XOR is 0.
[[nodiscard]] std::string MakeBCC(std::string_view s);

// A request frame: the text, its BCC and the terminator; `continued` asks for "&" CR.
[[nodiscard]] std::string MakeFrame(std::string_view text, bool continued = false);

// Checks the BCC of a received frame of `len` bytes. The reply counts up to its first zero
// byte, as the PLC's frames are text; a frame too short to hold a BCC fails.
// Returns kOk or kBadBcc.
[[nodiscard]] int CheckBCC(const unsigned char* reply, std::size_t len);

}  // namespace qx4t::link
