# The demo's pirate battle lost from a new game: a captain who only ever goes on ("このまま進む")
# with the 60 s interval of the reset, the ship stopped, while the pirate roams about its start
# and shoots whenever it passes; half an hour later it has got away, and the mission record
# says the episode failed. Two runs give the same state and the same COPYRIGHT.TXT
# (battle.pirates_lose, tests/battle_replay.cmake).
#> click 500 55
#> click 500 55
#> click 500 55
# The sortie.
#> click 500 78
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
# Orders: go on.
#> click 500 78
# Orders: go on.
#> click 500 78
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
#> click 500 55
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
# Orders: go on.
#> click 500 78
#> click 500 55
#> click 500 55
#> click 500 55
# The mission record on screen.
#> check-pixel 60 84 60A0FF
#> check-pixel 198 84 9098A8
#> click 500 55
#> expect gameFlag(992) = 0
#> expect gameVar(121) = 1
#> expect gameVar(123) = 0
#> expect shown * 逃げられました。
#> expect not-shown * 撃沈です！
#> expect shown routine 89
include "../../content/demo/cast.zs"
SP 26
J :pirates
include "../../content/demo/pirates.zs"
include "../../content/demo/shipday.zs"
