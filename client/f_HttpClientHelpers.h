#pragma once

#include <cstdint>
#include <string>

// The transfer's text and file helpers: escaping a URL for the HTTP layer, and the speed and
// remaining-time texts of every progress report. They keep no state.

// Percent-encodes every maximal run of UTF-16 code units above 128; everything else (ASCII,
// spaces and "%" included, and U+0080) passes unchanged, so a URL is never escaped twice.
std::u16string EscapeUrl(const std::u16string& URL);

// The UTF-8 bytes of Text: A-Z a-z 0-9 ! $ ' ( ) * - . @ _ copied, a space as "+", every other
// byte as "%XX" in upper-case hexadecimal.
std::u16string EncodeUtf8Run(const std::u16string& Text);

// "1.50KB/S": the value divided by 1024 while it is above 1024 (up to PB), with two decimals;
// "--" for a negative value or not a number.
std::string FormatSpeed(double BytesPerSecond);

// "hh:mm:ss" below a day, "N天 " from one day on, "大于999天..." above 999 days, "--:--:--" for
// a negative value.
std::string FormatRemainTime(int64_t Milliseconds);

// The size of the first entry matching Name (which may hold * and ? wildcards); 0 when none does.
int64_t FindFileSize(const std::u16string& Name);
