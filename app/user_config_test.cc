#include "app/user_config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace molan {
namespace {

// A store whose writes can be made to fail.
class FakeStore : public FileStore {
 public:
  std::optional<Bytes> readFile(BytesView path) override {
    auto it = files.find(Bytes(path));
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
  bool replaceFile(BytesView path, BytesView bytes) override {
    if (failWrites) return false;
    files[Bytes(path)] = Bytes(bytes);
    return true;
  }
  std::map<Bytes, Bytes> files;
  bool failWrites = false;
};

TEST(UserConfig, ReadsWithTheMissingDefault) {
  FakeStore store;
  EXPECT_EQ(readConfigValue(store, "c.ini", "自动登录"), kMissingConfigValue);
  store.files["c.ini"] = Bytes(kUserConfigTemplate);
  EXPECT_EQ(readConfigValue(store, "c.ini", "自动登录"), "否");
  EXPECT_EQ(readConfigValue(store, "c.ini", "其他"), kMissingConfigValue);
  EXPECT_FALSE(isYes(readConfigValue(store, "c.ini", "其他")));
}

TEST(UserConfig, WriteFailureLeavesTheFileAndReportsIt) {
  FakeStore store;
  store.files["c.ini"] = Bytes(kUserConfigTemplate);
  store.failWrites = true;
  EXPECT_FALSE(writeConfigValue(store, "c.ini", "自动登录", "是"));
  EXPECT_EQ(store.files["c.ini"], kUserConfigTemplate);
  store.failWrites = false;
  EXPECT_FALSE(writeConfigValue(store, "c.ini", "记忆账户", "a\nb"));
  EXPECT_TRUE(writeConfigValue(store, "c.ini", "自动登录", "是"));
  EXPECT_TRUE(isYes(readConfigValue(store, "c.ini", "自动登录")));
}

TEST(UserConfig, RealFileIsReplacedWhole) {
  const auto dir = std::filesystem::temp_directory_path() / "molan_user_config_test";
  std::filesystem::create_directories(dir);
  const Bytes path = (dir / "c.ini").string();
  { std::ofstream(path, std::ios::binary) << kUserConfigTemplate; }
  EXPECT_TRUE(writeConfigValue(path, "记住密码", "是"));
  EXPECT_EQ(readConfigValue(path, "记住密码"), "是");
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  EXPECT_FALSE(writeConfigValue((dir / "no" / "such" / "c.ini").string(), "k", "v"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace molan
