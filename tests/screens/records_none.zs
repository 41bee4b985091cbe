# The records screen without any play record: no episode done, every count 0, and every
# episode that is listed when open named for the next message.
include "../../content/demo/cast.zs"
#> click 300 200
#> snapshot records_none.png
#> check-pixel 168 94 800080
#> check-pixel 342 130 FF00FF
#> expect shown * [010100] 地球編、火星編、木星編、土星編
#> expect shown * [010100] 天王星編、海王星編、冥王星編
#> expect gameVar(47) = 1
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
