# Without music (the songs of the opening and the ending cannot be opened): the opening shows
# pictures 7, 2, 3, 4 and 5, each until a click; the ending keeps its times on the game clock
# and never waits for a song, so it ends by itself.
include "../../content/demo/cast.zs"
#> click 300 200
#> click 300 200
#> click 300 200
#> click 300 200
#> click 300 200
#> expect shown box ＭＣＩ関連エラー: *
#> expect shown opening without music at 0.00 s
#> expect count 5 opening picture *
#> expect shown opening picture 7 *
#> expect shown opening picture 5 *
#> expect not-shown opening picture 1 *
#> expect shown ending picture 11 at 111.00 s *
#> expect shown ending ends at 11*.* s
#> expect not-shown ending music from *
SP 100
SP 101
END
