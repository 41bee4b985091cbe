# The message window filling up: five chained lines fit without scrolling, an inserted text with
# a line break runs past the window's last line, and a sixth chained line scrolls the text area
# up one line in two half-line steps; the same with the large font's three lines. Each line
# carries a block ■ one column further right, so the pixel checks can tell the lines apart.
# Last, a message with @T stays in the window after it.
include "../../content/demo/cast.zs"
# At the pause after the fifth line: the first line's block at the top left, the fifth line's
# block on the fifth line, and the inserted text's second block on a sixth line below the window's
# five (its first block ends the fifth line).
#> snapshot five_lines.png
#> check-pixel 183 319 FFFFFF
#> check-pixel 259 399 FFFFFF
#> check-pixel 335 399 FFFFFF
#> check-pixel 183 419 FFFFFF
#> click 500 55
# After the sixth line: everything moved up one line. The first line is gone (its place shows the
# window background from one line lower), the second is on top, the block below the window moved
# to the fifth line, the fifth line is fourth, and the sixth line is written on the fifth too.
# The two half-line steps leave the window's bottom half line where it was and copy it into the
# half line above, so the old block under the window is gone; a one-step scroll would have left
# it there.
#> snapshot six_lines.png
#> check-pixel 183 319 101B44
#> check-pixel 202 319 FFFFFF
#> check-pixel 259 379 FFFFFF
#> check-pixel 278 399 FFFFFF
#> check-pixel 183 399 FFFFFF
#> check-pixel 183 419 0B1332
#> check-pixel 183 429 0B1332
#> click 500 55
# The large font holds three lines of 36 pixels: after the third the first is in place, and the
# fourth scrolls by two half lines of 18. The window's bottom half line (the background's
# darkest band) is then copied into the half line above it, where a one-step scroll would have
# kept the lighter background of that place.
#> snapshot three_large_lines.png
#> check-pixel 190 325 FFFFFF
#> check-pixel 260 400 FFFFFF
#> click 500 55
#> snapshot four_large_lines.png
#> check-pixel 183 325 0F193F
#> check-pixel 225 325 FFFFFF
#> check-pixel 290 400 FFFFFF
#> check-pixel 183 400 0B1434
#> click 500 55
#> expect shown text 1..6
#> expect shown text 7..10
#> expect shown 5 [010100] 　　　　■五行目■@*■
insert 1 "■@*■"
VL 1 0
say face mina/01/00 pic 1
  ■一行目
  　■二行目
  　　■三行目
  　　　■四行目
  [S] 　　　　■五行目@1
  　　　　　■六行目
end
say face mina/01/00 size big
  ■大
  　■大
  [S] 　　■大
  　　　■大
end

# A message with @T ends without a click and stays in the window: at the click of TK its block
# is still there. Without @T the window is cleared after the message, before TK.
#> check-pixel 183 319 FFFFFF
#> click 500 55
#> click 500 55
#> check-pixel 183 319 121E4B
#> click 500 55
#> expect shown 11 [010100] ■残る@T
say face mina/01/00
  ■残る@T
end
TK 1
say face mina/01/00
  ■消える
end
TK 1
END
