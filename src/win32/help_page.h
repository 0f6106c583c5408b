#pragma once

#include <string>
#include <string_view>

// The help page the program carries inside itself, and its copy where the browser can open it.
namespace netedit::win32 {

// The page's bytes, exactly as the Linux package installs them.
std::string_view HelpPageBytes();
// Where the page is written for the browser: "netedit\help.html" in the user's folder for local
// data, named as the system names it.
std::wstring HelpPageFile();
// Makes the file at `file` hold `page`: written when missing, with its folder, rewritten when it
// holds other bytes, and left alone, time stamp and all, when it holds these. False when the
// page could not be written there.
bool WritePageIfChanged(const std::wstring& file, std::string_view page);

} // namespace netedit::win32
