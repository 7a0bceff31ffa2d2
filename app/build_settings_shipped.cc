// Build settings of the shipped client.
#include "link/build_settings.h"
#include "molan/endpoint_cipher.h"

namespace molan {

const BuildSettings& buildSettings() {
  static const BuildSettings settings{MOLAN_HOST_HEXLIST, MOLAN_PORT_HEXLIST, 16};
  return settings;
}

}  // namespace molan
