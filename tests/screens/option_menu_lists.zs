# The load and save buttons of the option menu open the slot list (9 columns and 10 rows: 176 x
# 232 at 438, 32) in front of everything, the panel gone, and "キャンセル" closes it and the
# menu with the screen given back.
include "../../content/demo/cast.zs"
#
# The scene where the list will lie.
#> check-pixel 438 148 EA6129
#> check-pixel 526 32 03030A
#> check-pixel 550 202 BD6232
#> check-pixel 438 10 020308
# Menu, then load (panel 20, 30 .. 129, 54).
#> click 610 360
#> click 500 50
# The list's frame on all four sides; inside it the background, not the panel; the pointer is
# still on "キャンセル", so that item is highlighted.
#> check-pixel 526 32 A8DC79
#> check-pixel 526 262 7DA856
#> check-pixel 526 263 A8DC79
#> check-pixel 438 148 A8DC79
#> check-pixel 439 148 DCFFBE
#> check-pixel 612 148 7DA856
#> check-pixel 613 148 A8DC79
#> check-pixel 550 202 142048
#> check-pixel 438 10 020308
#> check-pixel 500 48 EBDFB7
#> check-pixel 454 58 EBDFB7
#> check-pixel 598 58 EBDFB7
#> click 500 55
# Back at the message: no list, no panel.
#> check-pixel 438 148 EA6129
#> check-pixel 526 32 03030A
#> check-pixel 550 202 BD6232
#> check-pixel 438 10 020308
# Menu, then save (panel 20, 70 .. 129, 94): the same list, the third item under the pointer.
#> click 610 360
#> click 500 90
#> check-pixel 526 32 A8DC79
#> check-pixel 613 148 A8DC79
#> check-pixel 550 202 142048
#> check-pixel 500 48 142048
#> check-pixel 500 88 EBDFB7
#> click 500 55
#> check-pixel 438 148 EA6129
#> check-pixel 526 32 03030A
#> check-pixel 550 202 BD6232
#> check-pixel 438 10 020308
#> click 500 55
#> expect shown text 2..2
VL 1 0
say face mina/01/00 pic 1
  ロードとセーブの一覧を開きます。
end
say
  おわり。
end
END
