#pragma once
// The UI driver's subcommands. Each takes the parsed options (positional
// arguments already checked for count), prints its result on stdout and
// returns the process exit code.
#include "tools/uidriver/uidriver_options_win.h"

namespace molan::uidriver {

int waitWindowCommand(const Options& o);  // <title>
int waitGoneCommand(const Options& o);    // <title>
int listCommand(const Options& o);        // <title>
int closeCommand(const Options& o);       // <title>
int placeCommand(const Options& o);       // <title> <x> <y> <width> <height>
int screenshotCommand(const Options& o);  // <file.png|bmp> [--window title]
int clickCommand(const Options& o);       // <title> <control>
int setTextCommand(const Options& o);     // <title> <control> <text>
int getTextCommand(const Options& o);     // <title> <control>
int rectCommand(const Options& o);        // <title> <control>
int mouseCommand(const Options& o);       // <title> <control> down|move|hover|up|dblclick <x> <y>
int keyCommand(const Options& o);         // <title> <vk> [--control name]
int msgboxCommand(const Options& o);      // [--title t]
int msgboxPressCommand(const Options& o); // <button caption or id> [--title t]
int clipboardCommand(const Options& o);   // [--ansi]
int clipboardPictureCommand(const Options& o);  // <file.bmp>
int pasteCommand(const Options& o);       // <title> <control>

// Virtual-key code from "13", "0x0D", "RETURN", "A", ...; 0 when unknown.
unsigned virtualKey(const std::wstring& text);

}  // namespace molan::uidriver
