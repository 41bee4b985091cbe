# Choice blocks played through the list window: a block passed over while flag 0 is set, a kept
# option picked twice, an option that leaves only once its linked option is hidden, the person
# list with nine and with ten persons offered, hidden options over a run of mask mode 2 blocks, a
# jump option, an option's routine and a block's costume. Options are picked at x 460,
# y 58 + 20 per line; other clicks end the answers' messages.
include "../../content/demo/cast.zs"
speaker 8 フユ voice 4
speaker 9 ユキ voice 1
speaker 10 ソラ voice 2
speaker 11 ウミ voice 3
speaker 12 モリ voice 4
#> max-records 300
VL 1 0

# With flag 0 set the whole block is passed over: nothing of it is shown and flag 37 keeps the
# value it had.
#> expect not-shown 1 [010100] 飛ばされる問い
#> expect gameVar(60) = 5
HE 37 5
HE 0 1
choice
  header skipped_q
  option 見えない leave first skipped_a
end
HE 0 0
HH 60 37
message skipped_q face mina/01/00
  飛ばされる問い
end
message skipped_a face mina/01/00
  飛ばされる答え
end

# Option 1 is kept: picked twice, it answers first with its first message and then with its
# repeat message. Option 3 leaves once option 2 is hidden: picked after option 2, it shows its
# first message, then its repeat message, and the block is left.
#> click 460 58
#> click 500 55
#> click 460 58
#> click 500 55
#> click 460 78
#> click 500 55
#> snapshot two_options_left.png
#> click 460 78
#> click 500 55
#> click 500 55
#> click 500 55
#> expect shown 4 [010100] 考えた
#> expect shown 5 [010200] また考えた
#> expect shown 6 [010100] 見た
#> expect shown 7 [010100] 行く
#> expect shown 8 [010100] さようなら
#> expect shown 9 [010100] ブロックの後
#> expect gameVar(61) = 3
message q face mina/01/00
  どうしますか
end
message think face mina/01/00
  考えた
end
message think2 face mina/02/00
  また考えた
end
message look face mina/01/00
  見た
end
message go face mina/01/00
  行く
end
message bye face mina/01/00
  さようなら
end
choice
  header q
  option 考える keep first think repeat think2
  option 見る back first look
  option 去る until 2 first go repeat bye
end
HH 61 37
say face mina/01/00
  ブロックの後
end

# The same option picked while its linked option is still shown: its first message, then the
# list again without it; its repeat message is never shown.
#> click 460 78
#> click 500 55
#> click 460 58
#> expect shown 10 [010100] まだ行かない
#> expect not-shown 11 [010100] 行かなかった
#> expect gameVar(62) = 1
message stay face mina/01/00
  まだ行かない
end
message gone face mina/01/00
  行かなかった
end
choice
  option 残る leave
  option 去る until 1 first stay repeat gone
end
HH 62 37

# Nine persons fit the list: its ninth line is the ninth person, and asking about her closes
# the block.
#> click 460 58
#> click 500 55
#> snapshot nine_persons.png
#> click 460 218
#> click 500 55
#> expect shown 13 [070100] ユキのこと
message whom face kuga/01/00
  誰のこと
end
message a9 face kuga/01/00
  ユキのこと
end
message a10 face kuga/01/00
  ソラのこと
end
choice
  option 聞く ask 1 close 9 first whom
  persons mina rinka beverly scott sakharov togo kuga 8 9
  about 1 9 a9
end

# Ten persons do not: the list shows eight and "↓（次候補）" on its ninth line (two white pixels
# of "補", well right of any name), which turns to a page with the last two.
#> click 460 58
#> click 500 55
#> snapshot ten_persons.png
#> check-pixel 528 213 FFFFFF
#> check-pixel 529 218 FFFFFF
#> click 460 218
#> snapshot ten_persons_next.png
#> click 460 78
#> click 500 55
#> expect shown 14 [070100] ソラのこと
choice
  option 聞く ask 1 close 10 first whom
  persons mina rinka beverly scott sakharov togo kuga 8 9
  persons 10
  about 1 10 a10
end

# A run of mask mode 2 blocks clears the hidden options once: option 1, hidden in the first
# block, is still hidden in the second (only its option 3 is offered). A mode 0 block clears them
# again; its jump option shows its answer and goes on at the label, past the line between.
#> click 460 58
#> click 500 55
#> click 460 58
#> click 460 58
#> click 460 58
#> click 500 55
#> click 500 55
#> expect gameFlag(1020) = 3
#> expect gameFlag(1021) = 7
#> expect gameVar(63) = 3
#> expect shown 16 [010100] 跳ぶ
#> expect not-shown 17 [010100] 跳ばされた
#> expect shown 18 [010100] 跳んだ先
message one face mina/01/00
  一つ目を選んだ
end
choice mask 2
  option 一 back first one
  option 二 leave
end
KO 1020
choice mask 2
  option 一 leave
  option 二 leave
  option 三 leave
end
KO 1021
HH 63 37
message hop face mina/01/00
  跳ぶ
end
choice
  option 跳ぶ jump over first hop
  option 残る leave
end
say face mina/01/00
  跳ばされた
end
label over
say face mina/01/00
  跳んだ先
end

# An option's routine runs after its first answer: the answer still shows the old insert text
# 1, and the answer to the second pick shows the date the routine wrote there.
#> click 460 58
#> click 500 55
#> click 460 58
#> click 500 55
#> click 460 78
#> expect shown 19 [010100] 日付は前のまま
#> expect shown 20 [010100] 日付は６月１日、０時、０分
#> expect not-shown 20 [010100] 日付は前のまま
insert 1 "前のまま"
message date1 face mina/01/00
  日付は@1
end
message date2 face mina/01/00
  日付は@1
end
choice
  option 日付 keep first date1 repeat date2 routine 16
  option 終わる leave
end

# A block's costume becomes speaker 1's remembered costume, which costume FF then wears.
#> click 460 58
#> click 500 55
#> expect shown face 010103 for record 21
choice costume 3
  option 着替える leave
end
Y 1 1
say face mina/01/FF
  着替えた
end
END
