#pragma once
// ServerLink: the client's one connection to the recognition server, over our
// pack-mode HPSocket4C.dll, loaded from beside the executable and bound by
// name. Frames are enciphered on the way out and deciphered and dispatched
// (replyDispatch) on the way in, on the library's thread.
#include <string>

#include "link/bytes.h"

namespace molan {

class ServerLink {
 public:
  // Loads the library file and binds every function; false when the file
  // cannot be loaded or a function is missing.
  static bool load(const std::wstring& dllPath);
  // Connects to the built-in endpoint. Returns only when connected; on
  // failure shows its message and ends the process with exit code 0.
  static void start();
  // Enciphers the frame and hands it to the library; false when there is no
  // usable client or the library refused it (not connected, too long).
  static bool send(BytesView frame);
  // Closes and destroys the client; the listener stays.
  static void stop();
  // 0 until start, then 3 for good.
  static int state();
  // Frees the library (after stop), so its file can be deleted.
  static void unload();
};

}  // namespace molan
