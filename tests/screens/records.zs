# The records screen over the play records of the working folder (records.work): Earth won with
# the end events 0x20, 0x30 and 0x10 (courses B, C and A), a record of planet bit 2 (a failure
# whatever its events), one never started, Mars and Saturn won, and Jupiter without its end
# event: eight missions, five successes; the open episodes are left for the next message.
include "../../content/demo/cast.zs"
# The narrator's line before it shows the corps emblem in the face frame.
#> check-pixel 78 355 454D65
#> click 300 200
#> snapshot records.png
#> check-pixel 95 35 000000
#> check-pixel 214 58 0000FF
#> check-pixel 133 76 00FFFF
#> check-pixel 136 112 00FFFF
#> check-pixel 286 130 FF00FF
#> expect shown * [010100] 木星編、天王星編、海王星編
#> expect shown * [010100] 冥王星編
# A scene picture on screen: the message after the screen keeps it, and the screen with it.
say pic 6
  記録を表示します。
end
SP 90
say face mina/01/00 pic 6
  @0
  @1
end
END
