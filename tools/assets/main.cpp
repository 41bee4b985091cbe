// zav3-assets OUTDIR: writes the generated pictures of the demo game into the game folder.
#include <cstdio>
#include <exception>

#include "assets/assets.hpp"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zav3-assets OUTDIR\n");
    return 2;
  }
  try {
    zav3::assets::AssetWriter out(argv[1]);
    zav3::assets::writeAll(out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zav3-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
