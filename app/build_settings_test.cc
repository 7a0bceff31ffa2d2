// Build settings of the test client: the test port, and short poll units so a
// reply that never comes is given up in seconds, not in 80 s.
#include "link/build_settings.h"
#include "molan/endpoint_cipher.h"

namespace molan {

const BuildSettings& buildSettings() {
  static const BuildSettings settings{MOLAN_HOST_HEXLIST, MOLAN_TEST_PORT_HEXLIST, MOLAN_TEST_WAIT_UNIT_MS};
  return settings;
}

}  // namespace molan
