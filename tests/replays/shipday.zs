# The demo's day on board played from a fixed random state by a player who takes the first item
# of every list: the crew move by the hour and chance, the rooms show who is there, the radar
# room's briefing is skipped into the skip log, the switch panel is tried and given up, the
# engine room's menu is walked down to its exit, and the captain's destination menu is
# answered. Two runs must dump the same state, and the state (shipday.state) and the skip log
# (shipday.expected/SKIPメッセージ.TXT) must be the stored ones.
#> random-state 1
#> auto-click 500 55 1000
#> expect shown * [010100] どこへ行こう？
#> expect shown * [040100] いや、あとは私がやろう。
#> expect shown * [070200] 高瀬君、行こうか。
#> expect gameVar(170) = 12
#> expect gameVar(172) = 6
#> expect shown * [070100] しばらくは港で休ませてもらおう。
#> expect gameVar(132) = 0
#> expect gameFlag(1507) = 1676
#> expect gameFlag(1528) = 1
include "../../content/demo/cast.zs"
SP 26
J :shipday
include "../../content/demo/shipday.zs"
