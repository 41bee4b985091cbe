# The title menu over the game's title picture (MAINCG\TITLE.BMP); once it is answered the
# screen under the picture comes back before the game starts (between the scene and the
# message window, where the game draws nothing).
include "../../content/demo/cast.zs"
#> check-pixel 320 150 3C2727
#> check-pixel 320 282 363147
#> click 500 55
#> check-pixel 320 282 000000
#> expect not-shown warning: *
say face mina/01/00
  はじめます。
end
END
