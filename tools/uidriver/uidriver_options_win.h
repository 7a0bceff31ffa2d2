#pragma once
// Command-line options shared by every subcommand of the UI driver.
#include <windows.h>

#include <string>
#include <vector>

namespace molan::uidriver {

inline constexpr DWORD kDefaultTimeoutMs = 5000;

struct Options {
  std::vector<std::wstring> positional;  // subcommand arguments, options removed
  DWORD timeoutMs = kDefaultTimeoutMs;   // --timeout ms: bound of every wait
  std::wstring window;                   // --window title (screenshot)
  std::wstring control;                  // --control name (key)
  std::wstring title;                    // --title text (msgbox, msgbox-press)
  bool wait = false;                     // --wait: deliver synchronously (click)
  bool mouse = false;                    // --mouse: click with mouse messages
  bool ansi = false;                     // --ansi: the local code-page text (clipboard)
  std::wstring error;                    // non-empty when the line is malformed
};

// Parses argv[first..]; "--" ends the options (for texts that begin with "--").
Options parseOptions(const std::vector<std::wstring>& args, size_t first);

// The process's command line as UTF-16 arguments.
std::vector<std::wstring> commandLineArguments();

}  // namespace molan::uidriver
