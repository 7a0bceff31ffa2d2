#pragma once
// Values fixed when an executable is built. Each executable defines
// buildSettings() once: the shipped client and its test build differ only
// here (the test build talks to a test port and polls in shorter units).
#include <cstdint>

#include "link/bytes.h"

namespace molan {

struct BuildSettings {
  BytesView hostHexList;  // server host, stored cipher form (decodeHexList)
  BytesView portHexList;  // server port text, stored cipher form
  uint32_t pollUnitMs;    // time one reply poll stands for
};

const BuildSettings& buildSettings();

}  // namespace molan
