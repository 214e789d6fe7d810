#pragma once

#include <string>
#include <string_view>

// Narrow text is UTF-8 (this platform's system code page); wide text is UTF-16. Conversion never
// fails: every ill-formed sequence becomes U+FFFD.
namespace text {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace text
