# The radar scope over scene picture 1 (routine 99): set up on spot 2 (the generator's first
# draw from state 204 is 0), then the centre, then removed. The two outlines are drawn in
# exclusive-or mode, colour 11 (flips 00FFFF) and colour 7 (flips C0C0C0), so each checked pixel
# is the picture's own (as the last wait shows it again) with those bits flipped: where both
# outlines cross, both.
include "../../content/demo/cast.zs"
#> random-state 204
# Spot 2: first outline (520, 64)-(539, 83), second (500, 74)-(529, 93); inside both, untouched.
#> check-pixel 520 64 17EFD7
#> check-pixel 500 80 C9C9D7
#> check-pixel 525 74 D4CEE6
#> check-pixel 520 74 D0321E
#> check-pixel 510 85 0B0A1A
#> check-pixel 493 114 FFFFFF
#> click 500 55
# The centre: (493, 114)-(512, 133) and (488, 109)-(517, 138); spot 2 is gone.
#> check-pixel 520 64 171028
#> check-pixel 493 114 FF0000
#> check-pixel 488 109 78B3A2
#> check-pixel 500 120 FFFFFF
#> click 500 55
# Removed: the picture as it was.
#> check-pixel 493 114 FFFFFF
#> check-pixel 488 109 B87362
#> check-pixel 520 74 100D21
#> check-pixel 525 74 140E26
#> click 500 55
# Every call draws a spot, whatever it does: 2, 4 and 2, and nothing else draws.
#> expect gameVar(118) = 2
#> expect shown random state 382968233
VL 1 0
KG 1
HE 47 0
SP 99
say face mina/01/00
  一
end
HE 47 2
SP 99
say face mina/01/00
  二
end
HE 47 3
SP 99
say face mina/01/00
  三
end
END
