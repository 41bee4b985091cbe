# Message records and list lines as the interpreter and the message window walk them: a record
# naming no picture while none is prepared, the message font after a list window, list lines two
# bytes a column, and a choice block that declares no option line.
include "../../content/demo/cast.zs"
#
# After CG nothing is prepared: each record of picture 0 runs the picture routine, which closes
# the scene again and clears the message window, so the second line is typed over the first
# (a full-width blank) and the block of the first line is gone.
#> check-pixel 184 319 121E4B
#> check-pixel 184 339 101B44
#> click 500 300
# A large-font message, then a list window, which sets the picture's font to 16; the next
# large-font message keeps its size code, so its block is drawn in the list's 16 points (with
# the large line height): inside a 32-point block but outside a 16-point one is background.
#> check-pixel 200 335 FFFFFF
#> click 500 300
#> click 500 300
#> check-pixel 184 319 FFFFFF
#> check-pixel 200 335 111C45
#> click 500 300
# A list line of two ASCII bytes and three blocks: the two bytes take one column, so the first
# block is in the second column (x 470..485), where a byte a column would put the "B", and the
# fifth column is left to the window's corner piece.
#> check-pixel 480 56 FFFFFF
#> check-pixel 526 56 546067
#> click 500 300
# A choice block that declares no option line still reads one and offers it.
#> click 500 55
#> click 500 300
#> expect shown chosen 1
#> expect shown   5 [010100] ひとつだけでした。
VL 1 0
CG
say face mina/01/00
  ■
  　
end
say face mina/01/00 size big
  ■
end
list
  一覧
end
say face mina/01/00 size big
  ■
end
list
  \x41\x42■■■
end
Q "" 0 0 0
record "ひとつだけ？"
"=" first:only last:only
"QE"
message only face mina/01/00
  ひとつだけでした。
end
END
