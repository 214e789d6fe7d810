#pragma once

#include <string>

// Lets the user pick a folder, with caption as the picker's title, starting in root (empty: the
// desktop). The desktop's own picker is used where there is one, and the program's own
// otherwise; either way the program's other windows are disabled while it is up. True with
// directory set to the folder (no trailing separator) when the user picked one; false, with
// directory untouched, when the user cancelled.
bool SelectDirectory(const std::string& Caption, const std::string& Root, std::string& Directory);
