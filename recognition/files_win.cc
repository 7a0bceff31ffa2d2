#include "recognition/files_win.h"

#include <windows.h>
#include <shlobj.h>
#include <commdlg.h>

#include <algorithm>
#include <iterator>

#include "app/win_handles.h"

namespace molan::recognition {

std::optional<Bytes> readWholeFile(const std::wstring& path) {
  win::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return std::nullopt;
  Bytes bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr)) {
      return std::nullopt;
    }
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

bool writeWholeFile(const std::wstring& path, BytesView bytes) {
  win::UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD wrote = 0;
    const auto chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return true;
}

std::wstring desktopFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  std::wstring folder(path);
  if (!folder.empty() && folder.back() != L'\\') folder.push_back(L'\\');
  return folder;
}

std::wstring chooseFile(HWND owner, FileDialog kind, const wchar_t* filter) {
  wchar_t path[MAX_PATH * 4] = {};
  const std::wstring folder = desktopFolder();
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path;
  ofn.nMaxFile = static_cast<DWORD>(std::size(path));
  ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (kind == FileDialog::Open) {
    ofn.Flags |= OFN_FILEMUSTEXIST;
    return GetOpenFileNameW(&ofn) ? std::wstring(path) : std::wstring();
  }
  return GetSaveFileNameW(&ofn) ? std::wstring(path) : std::wstring();
}

}  // namespace molan::recognition
