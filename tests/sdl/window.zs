# The first screen of a small game, for the window test: a spoken message over a scene picture
# waits for a click. The headless run checks known pixels and writes the screen as PNG; the
# windowed run must show exactly the same picture.
include "../../content/demo/cast.zs"
#> check-pixel 400 420 0B1434
#> check-pixel 12 372 6D83BC
#> check-pixel 320 100 090918
#> check-pixel 438 10 020308
#> snapshot headless.png
#> close
VL 1 0
say face mina/01/00 pic 1
  窓の試験です。
end
END
