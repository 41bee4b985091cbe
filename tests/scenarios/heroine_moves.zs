# The heroine's musings (routines 5 and 6) from the masks of open and visited places and of felt
# and met needs, the nine-line limit of the reply slots, a new visiting cycle (7) and the
# visiting check (33). Each case shows its reply lines in a message, so that all of them are
# checked at the end.
#> max-records 400

# 鈴華's cabin and the engine room open, nothing visited: two lines, in table order.
#> expect shown 1 [000000] 鈴華の部屋に行ってみようかな。｜機関室で状況を尋ねてみよう。
#> expect gameVar(150) = 2
IE 1506 516
SP 5
HH 150 47
say
  @1|@2
end

# The canteen is suggested only while the heroine is neither hungry nor looking for company,
# even when that need has been met already; then nothing is left.
#> expect shown 2 [000000] 用はないけど食堂に行ってみようか。
#> expect shown 3 [000000] お腹減ったぁ・・・。｜
#> expect shown 4 [000000] 食堂で誰かと話して時間を潰そうかな。｜
#> expect shown 5 [000000] さて次は何処に行こうかなぁ・・・。｜
#> expect gameVar(151) = 1
#> expect gameVar(152) = 1
#> expect gameVar(153) = 1
#> expect not-shown * [000000] お腹減ったぁ・・・。｜用はないけど*
IE 1506 128
SP 5
say
  @1
end
insert 2 ""
IE 1508 128
SP 5
HH 151 47
say
  @1|@2
end
IE 1508 256
SP 6
HH 152 47
say
  @1|@2
end
IE 1508 128
IE 1509 128
SP 5
HH 153 47
say
  @1|@2
end

# Routine 6 goes back to the own cabin while no need of sleep, bath or rest is felt, never
# suggests the toilet, and wants the rest in the cabin; routine 5 never suggests the own cabin.
#> expect shown 6 [000000] ビバリーの部屋に行ってみようか。｜部屋でのんびりしたい気分だわ｜
#> expect shown 7 [000000] ビバリーの部屋に行ってみようか。｜廊下のトイレに行ってみようか。｜のんびりしたい気分だわ
#> expect shown 8 [000000] とりあえず部屋に戻ろうか。｜ビバリーの部屋に行ってみようか。
#> expect shown 9 [000000] ビバリーの部屋に行ってみようか。｜廊下のトイレに行ってみようか。
#> expect gameVar(154) = 2
#> expect gameVar(155) = 3
#> expect gameVar(156) = 2
IE 1506 266
IE 1508 8
IE 1509 0
insert 3 ""
SP 6
HH 154 47
say
  @1|@2|@3
end
SP 5
HH 155 47
say
  @1|@2|@3
end
IE 1508 0
SP 6
HH 156 47
say
  @1|@2
end
SP 5
say
  @1|@2
end

# Everything visited and met: both routines have nothing left.
#> expect shown 10 [000000] さて次は何処に行こうかなぁ・・・。
#> expect shown 11 [000000] さて次は何処に行こうかなぁ・・・。
#> expect gameVar(157) = 1
#> expect gameVar(158) = 1
IE 1506 516
IE 1507 516
IE 1508 6
IE 1509 7
SP 5
HH 157 47
say
  @1
end
SP 6
HH 158 47
say
  @1
end

# Every place and need open: thirteen lines for routine 5, of which the slots take the first
# nine (the eight places, then the first need); callArg says 9 and slot 9 is the last written.
#> expect gameVar(159) = 9
#> expect replyText(1) = "鈴華の部屋に行ってみようかな。"
#> expect replyText(8) = "レーダー室で状況を尋ねてみよう。"
#> expect replyText(9) = "ねぇ～むぅ～い～っ！"
#> expect gameVar(47) = 9
IE 1506 2046
IE 1507 0
IE 1508 398
IE 1509 0
SP 5
HH 159 47

# A new visiting cycle clears the activities, the visited places, the met needs and the round,
# and sets the rest counter; the open places and needs stay.
#> expect gameVar(160) = 0
#> expect gameVar(161) = 0
#> expect gameVar(162) = 8
#> expect gameFlag(1000) = 0
#> expect gameFlag(1001) = 0
#> expect gameFlag(1002) = 0
#> expect gameFlag(1003) = 2046
#> expect gameFlag(1004) = 398
#> expect gameFlag(1005) = 5
#> expect gameVar(84) = 4
IE 1507 12
IE 1509 12
IE 1528 2
IE 1529 5
HE 84 4
HE 85 12
HE 96 3
HE 97 1
SP 7
HH 160 85
HH 161 96
HH 162 97
II 1000 1507
II 1001 1509
II 1002 1528
II 1003 1506
II 1004 1508
II 1005 1529

# The visiting check: the round stays open while a place or a need is left, is done (1) when
# nothing is, and then alternates between 2 and 1 on every call.
#> expect gameFlag(1010) = 0
#> expect gameFlag(1011) = 0
#> expect gameFlag(1012) = 1
#> expect gameFlag(1013) = 2
#> expect gameFlag(1014) = 1
#> expect gameFlag(1015) = 2
IE 1506 516
IE 1507 4
IE 1508 2
IE 1509 2
SP 33
II 1010 1528
IE 1507 1540
IE 1509 0
SP 33
II 1011 1528
IE 1509 6
SP 33
II 1012 1528
SP 33
II 1013 1528
SP 33
II 1014 1528
IE 1528 5
SP 33
II 1015 1528
END
