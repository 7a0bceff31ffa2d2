// molan-script-server: the scripted server that the client's end-to-end tests
// talk to. It speaks the client's link (pack mode, every frame enciphered with
// LinkCipher), answers requests as a scenario file says and records what it
// received.
//
// Command line (a contract the test scripts rely on):
//   molan-script-server --port P [--host 127.0.0.1] --scenario FILE --record DIR [--push-dir DIR]
// Prints "listening <port>" on stdout (flushed) once it accepts connections;
// --port 0 picks a free port. Runs until SIGTERM or SIGINT. Serves any number
// of connections, one after another or at the same time, each with its own
// state. Exit code 2 on a bad command line or scenario (the reason on stderr).
//
// Scenario file: UTF-8 text, one directive per line; a line whose first
// non-blank character is '#' is a comment; blank lines are ignored; blanks
// around the argument are dropped (write \x20 for a wanted edge blank). Text
// arguments (rule commands, reply texts) are converted from UTF-8 to GBK and
// may hold the escapes \xHH, \r, \n, \t and \\ (inserted as raw bytes).
//   rule <command>     starts a rule for request frames whose 3rd field is <command>
//   reply <text>       sends one frame (the text) enciphered, as one pack
//   reply-file <path>  sends the file's bytes (a plain frame) enciphered, as one
//                      pack; a relative path is taken from the scenario's folder
//   delay <ms>         waits before the next action (other connections go on)
//   close              closes this connection (after what is already queued)
//   garbage <n>        sends n pseudo-random bytes raw (no header, no cipher)
//   bad-header         sends a pack header whose length is 0x3FFFFF + 1
//   zero-header        sends a pack header of length 0
//   raw-hex <hex>      sends these raw bytes as they are ("0a ff" or "0aff")
//   on-connect         starts the rule run when a client connects (pushes unasked)
// A rule's actions run in order for each matching request; the actions of
// successive requests of one connection run one after another. Several rules
// for one command are used in turn per connection, and the last one keeps
// being used. Several on-connect rules are used in turn by successive
// connections (the first connection runs the first), the last one repeating.
// A rule with no action, or a request matching no rule, gets no reply.
//
// Recording in --record DIR (created when missing): each received pack,
// deciphered, is written to DIR/NNNN.frame (0001, 0002, ... across all
// connections; written under a temporary name, then renamed), and
// DIR/events.log gets one line per event, appended and flushed:
//   connect <conn> | frame <NNNN> <conn> | close <conn> | bad-pack <conn>
// Connections are numbered 1, 2, ... in the order they were accepted.
// bad-pack: a received header with length 0, above 0x3FFFFF or with flag bits
// set; the server then closes that connection (and logs its close).
//
// Push: every 50 ms the server looks into --push-dir; each *.frame file there
// (plain frame bytes) is sent enciphered to every open connection, then
// deleted. While no connection is open the files wait. Write a push file under
// another name and rename it to *.frame.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/script_server/script_server.h"

namespace {

volatile std::sig_atomic_t gStop = 0;

void onSignal(int) { gStop = 1; }

int usage(const char* why) {
  std::fprintf(stderr,
               "molan-script-server: %s\nusage: molan-script-server --port P [--host 127.0.0.1] "
               "--scenario FILE --record DIR [--push-dir DIR]\n",
               why);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  molan::script::ServerOptions options;
  std::string scenarioPath, recordDir;
  bool havePort = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return usage(("missing value for " + arg).c_str());
    const std::string value = argv[++i];
    if (arg == "--port") {
      char* end = nullptr;
      const unsigned long port = std::strtoul(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || port > 65535) return usage("bad port");
      options.port = static_cast<unsigned>(port);
      havePort = true;
    } else if (arg == "--host") {
      options.host = value;
    } else if (arg == "--scenario") {
      scenarioPath = value;
    } else if (arg == "--record") {
      recordDir = value;
    } else if (arg == "--push-dir") {
      options.pushDir = value;
    } else {
      return usage(("unknown option " + arg).c_str());
    }
  }
  if (!havePort || scenarioPath.empty() || recordDir.empty()) return usage("--port, --scenario and --record are required");

  std::ifstream in(scenarioPath, std::ios::binary);
  if (!in) return usage(("cannot read " + scenarioPath).c_str());
  std::ostringstream text;
  text << in.rdbuf();
  const size_t slash = scenarioPath.find_last_of('/');
  const std::string baseDir = slash == std::string::npos ? "." : scenarioPath.substr(0, slash);
  std::string error;
  const auto scenario = molan::script::parseScenario(text.str(), baseDir, error);
  if (!scenario) return usage((scenarioPath + ": " + error).c_str());

  molan::script::Recorder recorder(recordDir);
  if (!recorder.ok()) return usage(("cannot write into " + recordDir).c_str());

  struct sigaction action = {};
  action.sa_handler = onSignal;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  molan::script::ScriptServer server(*scenario, recorder);
  const unsigned port = server.listen(options, error);
  if (port == 0) return usage(error.c_str());
  std::printf("listening %u\n", port);
  std::fflush(stdout);
  server.run(gStop);
  return 0;
}
