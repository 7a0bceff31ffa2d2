// Build-time tool: writes the program's icon file (the product mark at the
// usual icon sizes) to the path given as its only argument.
#include <cstdio>
#include <fstream>

#include "shell/ico_file.h"
#include "shell/product_mark.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon <output.ico>\n");
    return 2;
  }
  std::vector<molan::shell::IconImage> images;
  for (const int size : {16, 20, 24, 32, 40, 48, 64, 256}) images.push_back({size, molan::shell::renderProductMark(size)});
  const std::string bytes = molan::shell::encodeIcoFile(images);
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "make_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
