# The slowest typing: the option menu's speed set to 900 makes every character wait 90 ms. The
# music's loop check runs every 200 ms of game time while a song plays, so a line of 21
# characters (1.9 s) is typed while the check finds the song playing.
include "../../content/demo/cast.zs"
#> trace-media
# At the first message's click: the menu button of the message frame opens the option menu; +100
# seven times takes the speed from 200 to 900 (the top of the "9" is white), then the menu closes.
#> click 610 360
#> click 540 265
#> click 540 265
#> click 540 265
#> click 540 265
#> click 540 265
#> click 540 265
#> click 540 265
#> check-pixel 502 209 FFFFFF
#> click 510 300
#> click 500 55
#> click 500 55
#> expect shown media 12 status MID_M mode -> 0 "playing"
#> expect shown 2 [010100] 一二三四五六七八九十一二三四五六七八九十一
VL 1 0
say face mina/01/00 pic 1
  速さを変える
end
MU 3
say face mina/01/00
  一二三四五六七八九十一二三四五六七八九十一
end
MU 0
END
