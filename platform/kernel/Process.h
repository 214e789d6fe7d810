#pragma once

#include <cstdint>
#include <string>

namespace kernel {

// The full path of the running program file.
const std::string& ProgramFilePath();
// Its folder, with a trailing separator.
std::string ProgramFolder();
// The program file's name without folder and without its extension.
std::string ProgramBaseName();

// Ends the own process at once with the given exit code: nothing runs after it, no destructors,
// no exit handlers, no flushing. Linux keeps the low 8 bits of the code.
[[noreturn]] void TerminateProcess(uint32_t exitCode);

// One line of debug output (standard error here).
void OutputDebugStringA(const std::string& text);

}  // namespace kernel
