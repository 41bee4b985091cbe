# The whole opening in game time: each picture is on screen once its time on the song's clock
# has come and its wipe has run (0.6 s later), and the show ends after the song with the title
# picture. A pixel of each picture, one where it differs from the picture before it, is checked.
include "../../content/demo/cast.zs"
#> expect shown opening music from game time 0 ms
#> expect shown opening picture 23 at 207.* s *
#> expect shown opening ends at 21*.* s
#> expect count 28 opening picture *
#> expect not-shown warning: *
#> at 8600
#> check-pixel 40 30 1B1A24
#> at 12600
#> check-pixel 40 30 02040C
#> at 30600
#> check-pixel 40 30 040712
#> at 41600
#> check-pixel 40 30 0D0B0E
#> at 49600
#> check-pixel 40 30 020208
#> at 72600
#> check-pixel 40 30 273042
#> at 76600
#> check-pixel 40 30 5F6776
#> at 80600
#> check-pixel 40 30 0A0D13
#> at 86600
#> check-pixel 40 30 040712
#> at 91600
#> check-pixel 40 30 333A49
#> at 95600
#> check-pixel 40 30 0D0B0E
#> at 100600
#> check-pixel 40 30 111721
#> at 108600
#> check-pixel 40 30 020208
#> at 112600
#> check-pixel 40 30 535C6A
#> at 126600
#> check-pixel 40 30 050A17
#> at 144600
#> check-pixel 40 30 04050F
#> at 150600
#> check-pixel 40 30 060609
#> at 156600
#> check-pixel 40 30 504539
#> at 162600
#> check-pixel 40 30 010103
#> at 168600
#> check-pixel 40 30 11171F
#> at 174600
#> check-pixel 40 30 070C13
#> at 180600
#> check-pixel 40 30 010207
#> at 185600
#> check-pixel 40 30 140E19
#> at 187600
#> check-pixel 40 30 040814
#> at 194600
#> check-pixel 40 30 140E19
#> at 208400
#> check-pixel 320 100 261A1B
SP 100
say face mina/01/00
  おわり
end
END
