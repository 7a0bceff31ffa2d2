#pragma once
// Narrow literals are GBK in this build; tests that need UTF-8 text (the
// engine's output, ImageMagick's input) write u8"..." and take it through here.
#include <string>

namespace molan::server::testing {

inline std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

}  // namespace molan::server::testing
