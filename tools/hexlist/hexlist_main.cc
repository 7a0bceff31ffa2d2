// Prints the stored (hex-list cipher) form of each argument, one per line.
// The build uses it so that the server endpoint is held only as cipher text.
#include <cstdio>

#include "link/link_cipher.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) std::printf("%s\n", molan::encodeHexList(argv[i]).c_str());
  return 0;
}
