// Key names accepted by the "key" subcommand.
#include <cwctype>

#include "tools/uidriver/uidriver_commands_win.h"

namespace molan::uidriver {

namespace {

struct NamedKey {
  const wchar_t* name;
  unsigned vk;
};

const NamedKey kNamedKeys[] = {
    {L"RETURN", VK_RETURN}, {L"ENTER", VK_RETURN}, {L"ESCAPE", VK_ESCAPE}, {L"ESC", VK_ESCAPE},
    {L"TAB", VK_TAB},       {L"SPACE", VK_SPACE},  {L"BACK", VK_BACK},     {L"BACKSPACE", VK_BACK},
    {L"DELETE", VK_DELETE}, {L"LEFT", VK_LEFT},    {L"RIGHT", VK_RIGHT},   {L"UP", VK_UP},
    {L"DOWN", VK_DOWN},     {L"HOME", VK_HOME},    {L"END", VK_END},       {L"F1", VK_F1},
    {L"F5", VK_F5},         {L"F10", VK_F10},
};

bool parseNumber(const std::wstring& text, unsigned& out) {
  const bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
  const size_t first = hex ? 2 : 0;
  if (text.size() == first || text.size() > first + 4) return false;
  unsigned value = 0;
  for (size_t i = first; i < text.size(); ++i) {
    const wchar_t c = static_cast<wchar_t>(std::towupper(text[i]));
    unsigned digit = 0;
    if (c >= L'0' && c <= L'9') {
      digit = static_cast<unsigned>(c - L'0');
    } else if (hex && c >= L'A' && c <= L'F') {
      digit = static_cast<unsigned>(c - L'A' + 10);
    } else {
      return false;
    }
    value = value * (hex ? 16 : 10) + digit;
  }
  out = value;
  return value > 0 && value < 256;
}

}  // namespace

unsigned virtualKey(const std::wstring& text) {
  std::wstring upper;
  for (wchar_t c : text) upper += static_cast<wchar_t>(std::towupper(c));
  if (upper.size() > 3 && upper.compare(0, 3, L"VK_") == 0) upper.erase(0, 3);
  for (const NamedKey& k : kNamedKeys) {
    if (upper == k.name) return k.vk;
  }
  if (upper.size() == 1 && ((upper[0] >= L'A' && upper[0] <= L'Z') || (upper[0] >= L'0' && upper[0] <= L'9'))) {
    return upper[0];
  }
  unsigned vk = 0;
  return parseNumber(text, vk) ? vk : 0;
}

}  // namespace molan::uidriver
