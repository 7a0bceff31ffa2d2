#include "server/config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "server/testing/server_process.h"

namespace molan::server {
namespace {

TEST(Config, FileThenArgumentsLaterWins) {
  const std::string dir = testing::makeTempDir();
  std::ofstream(dir + "/server.conf") << "# comment\n\nport = 9000\nworkers=3\nregistration-paused = yes\n"
                                         "cost-accurate-positions = 10\nlisten = 0.0.0.0\n";
  ServerConfig c;
  std::string error;
  ASSERT_TRUE(applyArguments(c, {"--port", "1", "--config", dir + "/server.conf", "--workers=4"}, &error)) << error;
  EXPECT_EQ(c.port, 9000);
  EXPECT_EQ(c.workers, 4);
  EXPECT_TRUE(c.registrationPaused);
  EXPECT_EQ(c.costs[3], 10);
  EXPECT_EQ(c.costs[0], 2);
  EXPECT_EQ(c.listen, "0.0.0.0");
  std::filesystem::remove_all(dir);
}

TEST(Config, DefaultsServeTheClientsBuiltInEndpoint) {
  const ServerConfig c;
  EXPECT_EQ(c.listen, "127.0.0.1");
  EXPECT_EQ(c.port, 7365);
  EXPECT_EQ(c.languages, "chi_sim+eng");
}

TEST(Config, RefusesBadInput) {
  const std::vector<std::vector<std::string>> cases = {
      {"--port", "70000"}, {"--port", "12x"}, {"--workers", "0"}, {"--nonsense", "1"},
      {"--registration-paused", "maybe"}, {"--announcement-charset", "latin1"}, {"--port"}, {"port", "1"},
      {"--config", "/nonexistent/file"},
  };
  for (const auto& args : cases) {
    ServerConfig c;
    std::string error;
    EXPECT_FALSE(applyArguments(c, args, &error)) << args[0];
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace molan::server
