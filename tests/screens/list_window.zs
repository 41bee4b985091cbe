# The list window of a choice on the real screen: its frame, the exclusive-or highlight of the
# item under the pointer, the pressed look, the screen restored when it closes, and a right
# press that picks an item and switches automatic advance on.
include "../../content/demo/cast.zs"
#
# First list: three items, the longest 11 characters wide, so the window is 11 x 16 + 32 = 208
# wide and 3 x 20 + 32 = 92 high, at 630 - 208 = 422, 32. Items are 20 pixels high from 16
# inside the top; the highlight runs from x 16 to width - 16 inside the window.
#
# While the question waits: the scene picture where the window will be.
#> check-pixel 525 32 03030A
#> check-pixel 422 78 040610
#> check-pixel 600 78 1A112D
#> check-pixel 500 48 0A0815
#> click 500 55
# The window: the outer and inner frame rectangles with the light edge between them at the top
# and left and the shadow at the bottom and right; the background tile inside.
#> check-pixel 525 32 A8DC79
#> check-pixel 525 33 DCFFBE
#> check-pixel 525 34 A8DC79
#> check-pixel 525 121 A8DC79
#> check-pixel 525 122 7DA856
#> check-pixel 525 123 A8DC79
#> check-pixel 422 78 A8DC79
#> check-pixel 423 78 DCFFBE
#> check-pixel 628 78 7DA856
#> check-pixel 629 78 A8DC79
#> check-pixel 600 78 142048
# The pointer was left on the first item by the click: its outline is the background inverted,
# on all four sides, and only the outline.
#> check-pixel 500 48 EBDFB7
#> check-pixel 500 67 EBDFB7
#> check-pixel 438 58 EBDFB7
#> check-pixel 614 58 EBDFB7
#> check-pixel 437 58 142048
#> check-pixel 615 58 142048
#> check-pixel 600 58 142048
#> check-pixel 500 68 142048
# A press beside the items picks nothing: the window stays and the highlight is drawn away.
#> click 300 200
#> check-pixel 500 48 142048
#> check-pixel 438 58 142048
#> check-pixel 525 32 A8DC79
# A press on the top right corner of the second item: the highlight moves there and the item is
# filled inverted; the outline drawn twice is the background again.
#> press 614 68
#> check-pixel 600 78 EBDFB7
#> check-pixel 500 80 EBDFB7
#> check-pixel 600 68 142048
#> check-pixel 614 78 142048
#> check-pixel 600 58 142048
#> check-pixel 500 48 142048
#> check-pixel 600 98 142048
#> release 614 68
# The window is gone and the screen under it is back.
#> check-pixel 525 32 03030A
#> check-pixel 422 78 040610
#> check-pixel 600 78 1A112D
#> check-pixel 500 48 0A0815
#> click 100 400
#
# Second list: two short items make a window 3 x 16 + 32 = 80 wide (under 192: at 438, 32)
# and 72 high. The last click was outside it, so nothing is highlighted.
#> check-pixel 478 32 A8DC79
#> check-pixel 478 103 A8DC79
#> check-pixel 438 68 A8DC79
#> check-pixel 517 68 A8DC79
#> check-pixel 518 68 130E24
#> check-pixel 480 48 142048
#> check-pixel 454 58 142048
# A right press on the second item picks it; with a play record beyond the first ending (flag
# 131 = 1) it also switches automatic advance on, so the answer does not wait.
#> rclick 480 80
#> expect gameVar(37) = 2
#> expect autoAdvance = 1
#> expect shown chosen 2
#> expect shown text 3..3
#> expect shown text 6..6
VL 1 0
say face mina/01/00 pic 1
  どれにしますか。
end
choice
  option 一番目の長い項目です。 leave first a1
  option 二番目 leave first a2
  option 三番目 leave first a3
end
message a1
  一番。
end
message a2
  二番。
end
message a3
  三番。
end
HE 131 1
choice
  option はい leave first yes
  option いいえ leave first no
end
message yes
  はい。
end
message no
  いいえ。
end
say
  おわり。
end
END
