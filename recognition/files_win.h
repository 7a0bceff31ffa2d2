#pragma once
// Whole-file reads and writes with wide paths (a chosen file may have any
// name), and the user's desktop folder.
#include <optional>
#include <string>

#include "link/bytes.h"

namespace molan::recognition {

std::optional<Bytes> readWholeFile(const std::wstring& path);
// Creates the file or replaces its content with exactly `bytes`.
bool writeWholeFile(const std::wstring& path, BytesView bytes);
// The desktop folder with a trailing backslash; empty when unknown.
std::wstring desktopFolder();

}  // namespace molan::recognition
