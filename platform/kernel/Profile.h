#pragma once

#include <cstdint>
#include <string>

// Private-profile (INI) files with the platform's semantics: sections and keys are matched without
// regard to case; reading never fails (a missing or malformed file yields the default); writing
// creates the file and keeps every other line of it as it was.
namespace kernel {

// Copies the value (or the default when the key is absent) into a buffer of bufferSize
// characters, as GetPrivateProfileStringW does: the result is cut to bufferSize - 1 characters.
// Returns the characters copied. Surrounding blanks of the value are dropped, and a value wholly
// enclosed in quotes loses them.
std::u16string GetPrivateProfileString(const std::u16string& section, const std::u16string& key,
                                       const std::u16string& defaultValue, uint32_t bufferSize,
                                       const std::u16string& fileName);

// Sets key = value in section, adding the section and key when missing. The file is replaced
// atomically (written beside it, then renamed), so a crash leaves the old or the new file.
bool WritePrivateProfileString(const std::u16string& section, const std::u16string& key,
                               const std::u16string& value, const std::u16string& fileName);

}  // namespace kernel
