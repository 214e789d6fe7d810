#pragma once

#include <optional>
#include <string>

// The desktop's own folder picker (zenity), run as a child process.

// Its program file, when it is installed (on PATH) and there is a display for it to show on.
std::optional<std::string> DesktopPickerProgram();

enum class TPickerOutcome { Picked, Cancelled, Failed };

// Runs the picker starting in root. While it runs the program's forms are disabled and the
// message loop keeps running, so that they repaint. Picked (exit status 0 and a folder on its
// output) sets directory; Cancelled is exit status 1; Failed is anything else (it could not be
// started, crashed, or printed nothing), for the caller to fall back on a picker of its own.
// An application that ends meanwhile ends the picker too, as Cancelled.
TPickerOutcome RunDesktopPicker(const std::string& program, const std::string& caption,
                                const std::string& root, std::string& directory);
