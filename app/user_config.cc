#include "app/user_config.h"

#include "app/ini.h"

namespace molan {
namespace {
Bytes& pathSlot() {
  static Bytes path;
  return path;
}
}  // namespace

const Bytes& userConfigPath() { return pathSlot(); }
void setUserConfigPath(Bytes path) { pathSlot() = std::move(path); }

Bytes readConfigValue(FileStore& store, BytesView path, BytesView key) {
  const auto content = store.readFile(path);
  if (!content) return Bytes(kMissingConfigValue);
  auto value = iniGet(*content, kUserConfigSection, key);
  return value ? *value : Bytes(kMissingConfigValue);
}

bool writeConfigValue(FileStore& store, BytesView path, BytesView key, BytesView value) {
  const auto content = store.readFile(path);
  const auto updated = iniSet(content ? *content : Bytes(), kUserConfigSection, key, value);
  return updated && store.replaceFile(path, *updated);
}

}  // namespace molan
