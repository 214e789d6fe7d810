#pragma once

#include <string>

// The user's desktop folder, where a folder picker rooted at the desktop starts: the one the
// desktop names in its user-dirs file (a Chinese desktop calls it "桌面"), else ~/Desktop, else
// the home folder itself, whichever exists first. No trailing separator.
std::string DesktopFolder();
