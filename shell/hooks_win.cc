#include "shell/hooks_win.h"

#include <map>

namespace molan::shell {
namespace {

template <typename Handler>
std::map<std::wstring, Handler>& registry() {
  static std::map<std::wstring, Handler> handlers;  // window thread only
  return handlers;
}

template <typename Handler>
void put(std::map<std::wstring, Handler>& map, const wchar_t* key, Handler handler) {
  if (!key) return;
  if (handler) {
    map[key] = handler;
  } else {
    map.erase(key);
  }
}

template <typename Handler>
Handler get(const std::map<std::wstring, Handler>& map, const std::wstring& key) {
  const auto it = map.find(key);
  return it == map.end() ? nullptr : it->second;
}

// Hover handlers share CommandHandler's type, so they get their own map.
std::map<std::wstring, CommandHandler>& hoverRegistry() {
  static std::map<std::wstring, CommandHandler> handlers;
  return handlers;
}

}  // namespace

void setCommandHandler(const wchar_t* designName, CommandHandler handler) {
  put(registry<CommandHandler>(), designName, handler);
}
void setHoverHandler(const wchar_t* designName, CommandHandler handler) { put(hoverRegistry(), designName, handler); }
void setMenuHandler(const wchar_t* itemText, MenuHandler handler) { put(registry<MenuHandler>(), itemText, handler); }

CommandHandler commandHandlerFor(const std::wstring& designName) {
  return get(registry<CommandHandler>(), designName);
}
CommandHandler hoverHandlerFor(const std::wstring& designName) { return get(hoverRegistry(), designName); }
MenuHandler menuHandlerFor(const std::wstring& itemText) { return get(registry<MenuHandler>(), itemText); }

}  // namespace molan::shell
