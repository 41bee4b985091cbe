# A click ends the opening at once: one during the wait before picture 6 (at 60 s), and in the
# ending one while a credit line is being typed (at 30 s, after picture 3). Nothing of either
# show comes after its click, the song is closed and the script goes on.
include "../../content/demo/cast.zs"
#> at 60000
#> click 300 200
#> at 90000
#> click 300 200
#> expect shown opening picture 5 at 49.00 s *
#> expect shown opening ends by a click at 60.00 s
#> expect not-shown opening picture 6 *
#> expect shown ending picture 3 at 28.00 s *
#> expect shown ending ends by a click at 30.* s
#> expect not-shown ending picture 4 *
#> expect currentSong = 0
# After the shows the screen they found is back at the message: its frame and menu tab.
#> wait 1
#> check-pixel 163 300 8CA5DD
#> check-pixel 612 330 35528D
#> expect shown * [010100] 続きです。
SP 100
SP 101
say face mina/01/00
  続きです。
end
END
