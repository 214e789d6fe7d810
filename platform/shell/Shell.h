#pragma once

#include <string>

#include "platform/winsys/Types.h"

// Opening files and addresses the way the desktop does, with the default verb.
namespace shell {

// The show command of the opened program; the desktop decides here.
constexpr int SW_SHOWNORMAL = 1;

// Opens `file` (a path or a URL) with the desktop's default program (xdg-open) and answers a
// value greater than 32 on success, as the platform's call does: 42 when the opener reported
// success, SE_ERR_NOASSOC (31) when it reported that nothing opens such a file, or
// SE_ERR_FNF (2) when it could not be started or failed otherwise. Verb, parameters and folder
// are the platform's; only the default verb (empty or "open") is known here. Waits at most a
// few seconds for the opener: one that is still running then has started the program.
winsys::LRESULT ShellExecute(winsys::HWND owner, const std::string& verb, const std::string& file,
                             const std::string& parameters, const std::string& directory, int show);

}  // namespace shell
