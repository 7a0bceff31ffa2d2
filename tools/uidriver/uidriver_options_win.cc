#include "tools/uidriver/uidriver_options_win.h"

#include <shellapi.h>

#include <cwchar>

namespace molan::uidriver {

namespace {

bool parseMs(const std::wstring& text, DWORD& out) {
  if (text.empty() || text.size() > 9) return false;
  DWORD value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + static_cast<DWORD>(c - L'0');
  }
  out = value;
  return true;
}

}  // namespace

Options parseOptions(const std::vector<std::wstring>& args, size_t first) {
  Options o;
  bool optionsEnded = false;
  for (size_t i = first; i < args.size(); ++i) {
    const std::wstring& a = args[i];
    if (optionsEnded || a.size() < 3 || a.compare(0, 2, L"--") != 0) {
      if (a == L"--") {
        optionsEnded = true;
      } else {
        o.positional.push_back(a);
      }
      continue;
    }
    if (a == L"--wait") {
      o.wait = true;
    } else if (a == L"--mouse") {
      o.mouse = true;
    } else if (a == L"--ansi") {
      o.ansi = true;
    } else if (a == L"--timeout" || a == L"--window" || a == L"--control" || a == L"--title") {
      if (i + 1 >= args.size()) {
        o.error = a + L" needs a value";
        return o;
      }
      const std::wstring& v = args[++i];
      if (a == L"--timeout" && !parseMs(v, o.timeoutMs)) {
        o.error = L"--timeout needs milliseconds, not " + v;
        return o;
      }
      if (a == L"--window") o.window = v;
      if (a == L"--control") o.control = v;
      if (a == L"--title") o.title = v;
    } else {
      o.error = L"unknown option " + a;
      return o;
    }
  }
  return o;
}

std::vector<std::wstring> commandLineArguments() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> out;
  if (!argv) return out;
  for (int i = 0; i < argc; ++i) out.emplace_back(argv[i]);
  LocalFree(argv);
  return out;
}

}  // namespace molan::uidriver
