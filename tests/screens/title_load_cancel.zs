# "ＬＯＡＤしてプレイ" on the title menu opens the load list: "キャンセル" and the nine slot
# titles, 10 rows (232 pixels high) in the same place. The pointer is still on the second line,
# so that line is highlighted: a rectangle outline in exclusive-or. With every slot still "-",
# "キャンセル" starts a new game.
include "../../content/demo/cast.zs"
#> click 500 77
#> check-pixel 520 263 A8DC79
#> check-pixel 438 200 A8DC79
#> check-pixel 520 68 EBDFB7
#> check-pixel 598 80 EBDFB7
#> check-pixel 520 87 EBDFB7
#> check-pixel 520 75 142048
#> check-pixel 520 88 142048
#> click 500 57
#> expect shown text 1..1
VL 1 0
say face mina/01/00
  新しい航海の始まりです。
end
END
