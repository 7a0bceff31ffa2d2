// The settings calls on the platform's own file store.
#include "app/user_config.h"

namespace molan {

Bytes readConfigValue(BytesView path, BytesView key) { return readConfigValue(platformFileStore(), path, key); }

bool writeConfigValue(BytesView path, BytesView key, BytesView value) {
  return writeConfigValue(platformFileStore(), path, key, value);
}

}  // namespace molan
