#pragma once
// Console output of the UI driver: everything is printed as UTF-8, whatever
// the console code page, so the test scripts read Chinese texts unchanged.
#include <windows.h>

#include <string>
#include <string_view>

namespace molan::uidriver {

std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);

// Writes UTF-8 bytes to stdout / stderr exactly as given.
void writeOut(std::string_view utf8);
void writeErr(std::string_view utf8);

// A JSON string literal (quotes included) for a UTF-16 text.
std::string jsonString(std::wstring_view text);
std::string jsonRect(const RECT& r);

// Prints "uidriver: <message>" on stderr and returns the failure exit code.
int fail(std::wstring_view message);
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

}  // namespace molan::uidriver
