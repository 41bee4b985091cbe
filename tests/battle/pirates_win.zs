# The demo's pirate battle played to a win from a new game: a human's way of fighting it, line
# by line. Each turn the orders are picked from the list (plan, go on, the guns as far as they
# reach); a plan sets the 10 s interval, zooms the view out, picks a speed, selects the
# pirate's track point after one interval (BUTTON13) and heads there (BUTTON15). Three laser
# shots (two turrets, then the navigation radar: the pirate stops), an approach at 1000 km/s
# and the plasma gun. The other lines answer the messages. Two runs give the same state and
# the same COPYRIGHT.TXT (battle.pirates_win, tests/battle_replay.cmake).
#> click 500 55
#> click 500 55
#> click 500 55
# The sortie.
#> click 500 78
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
# Orders: plan.
#> click 500 58
#> check-pixel 61 55 3FA070
#> check-pixel 700 86 C0C0C0 FORM3
#> button BUTTON14
#> check-pixel 700 86 FFFFFF FORM3
#> scroll VSCROLL4 0
#> scroll VSCROLL3 19000
#> select COMBO1 5
#> button BUTTON13
#> button BUTTON15
#> button BUTTON8
#> click 500 55
#> click 500 55
# Orders: the laser.
#> click 500 98
#> click 500 55
#> click 500 55
# Orders: plan.
#> click 500 58
#> scroll VSCROLL4 0
#> scroll VSCROLL3 19000
#> select COMBO1 5
#> button BUTTON13
#> button BUTTON15
#> button BUTTON8
#> click 500 55
#> click 500 55
# Orders: plan.
#> click 500 58
#> scroll VSCROLL4 0
#> scroll VSCROLL3 19000
#> select COMBO1 0
#> button BUTTON13
#> button BUTTON15
#> button BUTTON8
#> click 500 55
#> click 500 55
#> click 500 55
# Orders: the laser.
#> click 500 98
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
# Orders: plan.
#> click 500 58
#> scroll VSCROLL4 0
#> scroll VSCROLL3 19000
#> select COMBO1 0
#> button BUTTON13
#> button BUTTON15
#> button BUTTON8
#> click 500 55
#> click 500 55
#> click 500 55
# Orders: the laser.
#> click 500 98
#> click 500 55
#> click 500 55
# Orders: plan.
#> click 500 58
#> scroll VSCROLL4 0
#> scroll VSCROLL3 19000
#> select COMBO1 3
#> button BUTTON15
#> button BUTTON8
#> click 500 55
#> click 500 55
#> click 500 55
# Orders: plan.
#> click 500 58
#> scroll VSCROLL4 0
#> scroll VSCROLL3 19000
#> select COMBO1 3
#> button BUTTON15
#> button BUTTON8
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
# Orders: plan.
#> click 500 58
#> scroll VSCROLL4 0
#> scroll VSCROLL3 19000
#> select COMBO1 3
#> button BUTTON15
#> button BUTTON8
#> click 500 55
#> click 500 55
#> click 500 55
# Orders: the plasma gun.
#> click 500 118
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
# The mission record on screen.
#> check-pixel 60 84 60A0FF
#> check-pixel 198 84 FFD040
#> click 500 55
#> expect gameFlag(992) = 1
#> expect gameVar(121) = 1
#> expect gameVar(123) = 16
#> expect gameFlag(980) = 4
#> expect shown * 敵艦は完全に破壊されました。
#> expect shown routine 89
#> expect count 1 routine 88
include "../../content/demo/cast.zs"
SP 26
J :pirates
include "../../content/demo/pirates.zs"
include "../../content/demo/shipday.zs"
