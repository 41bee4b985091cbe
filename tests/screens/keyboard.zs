# The keyboard: Escape opens the option menu of a message wait and closes it again, Space goes
# on; in a choice Down lights the first option and then the next, Up goes back, and Enter takes
# the lit one; F12 writes a screenshot into the working folder. Nothing here changes the game
# state but the choice itself.
include "../../content/demo/cast.zs"
#> key escape
#> check-pixel 460 20 1D2C5E
#> key escape
#> key f12
#> key space
#> key down
#> key down
#> key down
#> key up
#> key enter
#> expect shown chosen 2
#> expect shown screenshot zav3-*.png
#> expect gameVar(37) = 2
#> expect textDelay = 200
say face mina/01/00
  キーボードで進みます。
end
choice
  header keyboard_ask
  option ひとつめ jump kb_one
  option ふたつめ jump kb_two
  option みっつめ jump kb_three
end
label kb_one
END
label kb_two
END
label kb_three
END
message keyboard_ask face mina/01/00
  どれにする？
end
