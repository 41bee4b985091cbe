# The message history over the game: three messages shown, then at the third one's click wait
# Page Up opens the history (the speakers' names, their lines, the newest last), Page Down past
# the newest line closes it, Page Up and Escape open and close it again, and the message window
# and the game state are as they were: the message is still waiting for its click.
include "../../content/demo/cast.zs"
#> click 300 200
#> click 300 200
#> check-pixel 180 316 131F4C
#> key pageup
#> snapshot backlog.png
#> check-pixel 64 14 FFFFFF
#> check-pixel 36 41 00FFFF
#> key pagedown
#> check-pixel 180 316 131F4C
#> key pageup
#> key escape
#> check-pixel 180 316 131F4C
#> click 300 200
#> expect shown * [070100] 三つ目の話です。
#> expect gameVar(37) = 0
#> expect textDelay = 200
#> expect autoAdvance = 0
say face mina/01/00 pic 6
  一つ目の話です。
  二行目もあります。
end
say face rinka/01/00
  二つ目の話です。
end
say face kuga/01/00
  三つ目の話です。
end
END
