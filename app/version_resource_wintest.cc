// The resources of the built MoLan.exe: its version (FileVersion under the
// 0804/04B0 translation), its icon, the network library it carries, and no
// plain server host anywhere in its bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "molan/endpoint_cipher.h"

namespace {

std::wstring besideTest(const wchar_t* relative) {
  wchar_t path[MAX_PATH] = {};
  std::wstring p(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return p.substr(0, p.find_last_of(L"\\/") + 1) + relative;
}

std::string fileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::wstring kExe = besideTest(L"..\\MoLan.exe");

TEST(VersionResource, FileVersionUnderTheChineseTranslation) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(kExe.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::string info(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoW(kExe.c_str(), 0, size, info.data()));
  WORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation[0], 0x0804);
  EXPECT_EQ(translation[1], 0x04B0);
  wchar_t* version = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\080404B0\\FileVersion", reinterpret_cast<void**>(&version), &length));
  const std::string expected = MOLAN_VERSION_TEXT;
  EXPECT_EQ(std::wstring(version), std::wstring(expected.begin(), expected.end()));
}

TEST(VersionResource, IconAndNetworkLibrary) {
  HMODULE exe = LoadLibraryExW(kExe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(exe);
  EXPECT_TRUE(FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14)));  // RT_GROUP_ICON
  HRSRC library = FindResourceW(exe, MAKEINTRESOURCEW(101), MAKEINTRESOURCEW(10));  // RT_RCDATA
  ASSERT_TRUE(library);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(exe, library)));
  const std::string carried(bytes, SizeofResource(exe, library));
  EXPECT_EQ(carried, fileBytes(besideTest(L"..\\netlib\\HPSocket4C.dll")));
  FreeLibrary(exe);
}

TEST(VersionResource, NoPlainHostInTheExecutable) {
  const std::string exe = fileBytes(kExe);
  ASSERT_GT(exe.size(), 100000u);
  const std::string host = "127.0.0.1";
  std::string wide;
  for (char c : host) wide += std::string{c, '\0'};
  EXPECT_EQ(exe.find(host), std::string::npos);
  EXPECT_EQ(exe.find(wide), std::string::npos);
}

}  // namespace
