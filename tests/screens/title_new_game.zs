# The title menu is a list window of two lines in the standard place: 9 columns make it 176
# pixels wide (left 438, top 32) and 2 rows 72 high. Its frame is two rectangles in
# RGB(168, 220, 121) with the edge lines between them; pressing the first line fills it in
# exclusive-or (the pressed look) until the release, then the screen under the window comes
# back and the new game starts.
include "../../content/demo/cast.zs"
#> check-pixel 520 32 A8DC79
#> check-pixel 520 34 A8DC79
#> check-pixel 520 103 A8DC79
#> check-pixel 438 70 A8DC79
#> check-pixel 613 70 A8DC79
# Nothing is highlighted before the first press: the window's own ground.
#> check-pixel 590 60 142048
#> check-pixel 454 48 142048
#> press 500 57
# Held: the line is inverted; its corner had the highlight outline too, so it is back to ground.
#> check-pixel 590 60 EBDFB7
#> check-pixel 454 48 142048
#> release 500 57
# Released: the window is gone. The first message names no picture and none is prepared, so
# the scene is closed with the shutter's tile over the whole scene area.
#> check-pixel 520 32 142048
#> check-pixel 590 60 142048
#> check-pixel 5 5 142048
#> check-pixel 630 265 142048
#> click 500 300
#> expect shown text 1..1
VL 1 0
say face mina/01/00
  新しい航海の始まりです。
end
END
