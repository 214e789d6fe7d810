#pragma once

#include <cstdint>
#include <string>

// A thread-local last-error code, as the platform the program was made for keeps one. File
// services store errno values; the inet layer stores its own codes (12000 and up).
namespace kernel {

constexpr uint32_t ERROR_SUCCESS = 0;
// The kernel's own codes lie above every errno value.
constexpr uint32_t ERROR_ALREADY_EXISTS = 183;
constexpr uint32_t ERROR_SHARING_VIOLATION = 10032;

uint32_t GetLastError();
void SetLastError(uint32_t code);
// Stores the current errno as the last error and returns false, for "fail and report" paths.
bool FailWithErrno();

// A source of messages for a range of codes that errno does not cover (the inet layer's).
using MessageSource = const char* (*)(uint32_t code);
void RegisterMessageSource(uint32_t first, uint32_t last, MessageSource source);

// The message for a code, as the system's message table gives it: empty when there is none.
std::string FormatSystemMessage(uint32_t code);
// The "system text" of failure messages: FormatSystemMessage with every trailing character of
// code 32 or below and every trailing full stop removed.
std::string SystemErrorText(uint32_t code);
// SystemErrorText of the calling thread's last error.
std::string LastErrorText();

}  // namespace kernel
