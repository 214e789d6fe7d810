#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/winsys/Types.h"

// What the program asks of the system to end itself and to open files, in one place so that a
// test can stand in for it: a test cannot let the process end under it.
struct TSystemServices {
  // Ends the process at once; nothing runs after it in a real run.
  std::function<void(uint32_t exitCode)> TerminateProcess;
  // Opens a file or an address with the default program: more than 32 on success.
  std::function<winsys::LRESULT(winsys::HWND owner, const std::string& file)> OpenDocument;
};

extern TSystemServices GSystemServices;
