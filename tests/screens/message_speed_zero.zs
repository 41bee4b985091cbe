# The fastest typing: with the option menu's speed at 0 characters cost no time at all. Three
# full lines are typed while a song plays, and the music's loop check (every 200 ms of game
# time) never runs; at the starting speed of 200 these 63 characters would take 1.26 s.
include "../../content/demo/cast.zs"
#> trace-media
# At the first message's click: the menu button of the message frame opens the option menu;
# -100 twice takes the speed from 200 to 0, then the menu closes.
#> click 610 360
#> click 480 265
#> click 480 265
#> click 510 300
#> click 500 55
#> click 500 55
#> expect not-shown media 12 status MID_M mode -> 0 "playing"
#> expect shown 4 [010100] 一二三四五六七八九十一二三四五六七八九十一
VL 1 0
say face mina/01/00 pic 1
  速さを変える
end
MU 3
say face mina/01/00
  一二三四五六七八九十一二三四五六七八九十一
  一二三四五六七八九十一二三四五六七八九十一
  一二三四五六七八九十一二三四五六七八九十一
end
MU 0
END
