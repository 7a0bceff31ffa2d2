#pragma once
// UserConfig: the settings file 配置.ini in the per-user data folder, section
// "用户配置". Readers get "指定配置项不存在" for a missing key (or an unreadable
// file), so a missing key never reads as "是".
#include "app/file_store.h"
#include "link/bytes.h"

namespace molan {

inline constexpr BytesView kUserConfigSection = "用户配置";
inline constexpr BytesView kMissingConfigValue = "指定配置项不存在";
// Written when the file does not exist: exactly these 60 bytes.
inline constexpr BytesView kUserConfigTemplate = "[用户配置]\r\n记住密码=否\r\n自动登录=否\r\n记忆账户=\r\n记忆密码=\r\n";

// The full path of UserConfig, kept by the start-up for everyone else.
const Bytes& userConfigPath();
void setUserConfigPath(Bytes path);

// Reads and writes one key of section "用户配置" of the file at `path`. A write
// replaces the file through a temporary file and reports failure; it never
// leaves a value that would read back differently (see ini.h).
Bytes readConfigValue(BytesView path, BytesView key);
bool writeConfigValue(BytesView path, BytesView key, BytesView value);
Bytes readConfigValue(FileStore& store, BytesView path, BytesView key);
bool writeConfigValue(FileStore& store, BytesView path, BytesView key, BytesView value);

// Only "是" is yes.
inline bool isYes(BytesView value) { return value == "是"; }

}  // namespace molan
