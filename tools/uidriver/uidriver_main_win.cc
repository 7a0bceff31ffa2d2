// uidriver: drives the windows of another Win32 process for end-to-end tests.
// Run in the same Wine prefix and display as the program under test; prints
// results as UTF-8 on stdout; exit code 0 on success, 1 on failure (with a
// message on stderr), 2 on a malformed command line.
#include "tools/uidriver/uidriver_commands_win.h"
#include "tools/uidriver/uidriver_output_win.h"

namespace {

using molan::uidriver::Options;

struct Command {
  const wchar_t* name;
  size_t arguments;
  int (*run)(const Options&);
  const char* usage;
};

const Command kCommands[] = {
    {L"wait-window", 1, molan::uidriver::waitWindowCommand, "wait-window <title>"},
    {L"wait-gone", 1, molan::uidriver::waitGoneCommand, "wait-gone <title>"},
    {L"list", 1, molan::uidriver::listCommand, "list <title>"},
    {L"close", 1, molan::uidriver::closeCommand, "close <title>"},
    {L"place", 5, molan::uidriver::placeCommand, "place <title> <x> <y> <width> <height>"},
    {L"screenshot", 1, molan::uidriver::screenshotCommand, "screenshot <file.png|bmp> [--window <title>]"},
    {L"click", 2, molan::uidriver::clickCommand, "click <title> <control> [--wait] [--mouse]"},
    {L"set-text", 3, molan::uidriver::setTextCommand, "set-text <title> <control> <text>"},
    {L"get-text", 2, molan::uidriver::getTextCommand, "get-text <title> <control>"},
    {L"rect", 2, molan::uidriver::rectCommand, "rect <title> <control>"},
    {L"mouse", 5, molan::uidriver::mouseCommand, "mouse <title> <control> down|move|hover|up|dblclick <x> <y>"},
    {L"key", 2, molan::uidriver::keyCommand, "key <title> <vk> [--control <control>]"},
    {L"msgbox", 0, molan::uidriver::msgboxCommand, "msgbox [--title <title>]"},
    {L"clipboard", 0, molan::uidriver::clipboardCommand, "clipboard [--ansi]"},
    {L"clipboard-picture", 1, molan::uidriver::clipboardPictureCommand, "clipboard-picture <file.bmp>"},
    {L"paste", 2, molan::uidriver::pasteCommand, "paste <title> <control>"},
    {L"msgbox-press", 1, molan::uidriver::msgboxPressCommand, "msgbox-press <button caption or id> [--title <title>]"},
};

int usage() {
  std::string text = "usage: uidriver <command> [arguments] [--timeout ms]\n";
  for (const Command& c : kCommands) text += std::string("  ") + c.usage + "\n";
  text += "<control> is a design name, #<control id> or a caption.\n";
  molan::uidriver::writeErr(text);
  return molan::uidriver::kExitUsage;
}

}  // namespace

int main() {
  const std::vector<std::wstring> args = molan::uidriver::commandLineArguments();
  if (args.size() < 2) return usage();
  for (const Command& c : kCommands) {
    if (args[1] != c.name) continue;
    const Options o = molan::uidriver::parseOptions(args, 2);
    if (!o.error.empty()) {
      molan::uidriver::fail(o.error);
      return molan::uidriver::kExitUsage;
    }
    if (o.positional.size() != c.arguments) {
      molan::uidriver::writeErr(std::string("usage: uidriver ") + c.usage + "\n");
      return molan::uidriver::kExitUsage;
    }
    return c.run(o);
  }
  molan::uidriver::fail(L"unknown command " + args[1]);
  return usage();
}
