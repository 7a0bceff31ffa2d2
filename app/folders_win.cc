#include "app/folders_win.h"

#include <shlobj.h>
#include <windows.h>

#include "app/file_store.h"
#include "app/gbk_win.h"
#include "app/message_box_win.h"
#include "app/win_handles.h"

namespace molan::app {
namespace {

// Resource id of the embedded network library (RCDATA).
constexpr int kNetworkLibraryResource = 101;

std::wstring modulePath() {
  std::wstring path(MAX_PATH, L'\0');
  while (true) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

[[noreturn]] void stopWith(BytesView text, BytesView title) {
  win::showMessage(text, title, win::MessageIcon::Error);
  ExitProcess(0);
}

bool exists(BytesView path) { return GetFileAttributesW(win::toWide(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

Bytes runFolder() {
  const std::wstring p = modulePath();
  return win::toGbk(p.substr(0, p.find_last_of(L"\\/")));
}

Bytes ownExeName() {
  const std::wstring p = modulePath();
  return win::toGbk(p.substr(p.find_last_of(L"\\/") + 1));
}

Bytes appDataFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return "\\";
  Bytes folder = win::toGbk(path);
  if (folder.empty() || folder.back() != '\\') folder.push_back('\\');
  return folder;
}

void ensureFolder(BytesView path, BytesView code) {
  if (exists(path) || CreateDirectoryW(win::toWide(path).c_str(), nullptr)) return;
  stopWith(Bytes("创建目录失败，编号").append(code).append("，请重启后再试或联系管理员！"), "出错");
}

void ensureFile(BytesView path, BytesView code, BytesView bytes) {
  if (exists(path) || platformFileStore().replaceFile(path, bytes)) return;
  stopWith(Bytes("创建文件失败，编号").append(code).append("，请重启后再试或联系管理员！"), "出错");
}

Bytes networkLibraryPath() { return runFolder() + "\\HPSocket4C.dll"; }

void writeNetworkLibrary() {
  const std::wstring path = win::toWide(networkLibraryPath());
  if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES && !DeleteFileW(path.c_str())) {
    return;  // in use (another running copy): keep and use the existing file
  }
  HRSRC res = FindResourceW(nullptr, MAKEINTRESOURCEW(kNetworkLibraryResource), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
  const void* bytes = data ? LockResource(data) : nullptr;
  const DWORD size = res ? SizeofResource(nullptr, res) : 0;
  win::UniqueFile f(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  const bool ok = bytes && size > 0 && f && WriteFile(f.get(), bytes, size, &written, nullptr) && written == size;
  if (!ok) {
    f.reset();
    DeleteFileW(path.c_str());  // never leave a half-written library behind
    stopWith("写出HPSocket4C.dll文件失败！", "错误");
  }
}

}  // namespace molan::app
