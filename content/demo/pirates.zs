# Chapter four: the pirate ship. On the evening of the arrival a pirate ship is sighted near the
# station and the Akatsuki goes after it. One battle on the strategy panel: the player plans
# course, speed and interval on FORM3, the ship flies the interval in two-second steps while the
# crew reports the pirate's fire, and between intervals the guns fire. The pirate is beaten when
# it is destroyed (the plasma gun) or stopped and disarmed (the laser); the Akatsuki loses when
# she is lost or the pirate gets away (half an hour of battle). The battle ends in the mission
# record.
#
# Speakers: mina (高瀬ミナ), rinka (王鈴華, radar), scott (スコット, engineer), togo (東郷,
# helm), sakharov (サハロフ, guns), kuga (久我艦長).
#
# Variables of this chapter:
#   flag 160   the minute the pirate gets away


label pirates
MU 2
SU 1
say face rinka/04/00 pic 8
  艦長、レーダーに反応があります！
  ステーションの外縁に、所属不明の艦。
end
say face mina/04/00
  中央ステーションより緊急連絡です。
  「付近の艦は、海賊船を追跡せよ」
  ……以上です。
end
say face kuga/03/00 pic 2
  着いたばかりだというのに……。
  どうする、高瀬君？
end
choice
  header pirates_ask
  option 監査会に備える jump pirates_stay
  option 海賊船を追う jump pirates_sortie
end
J :pirates_sortie

label pirates_stay
say face kuga/01/00
  ……そうだな。追跡は警備隊に任せよう。
end
say face mina/02/00
  了解しました。
  今夜はゆっくり休めそうです。
end
CG
END

# --- the battle ---
label pirates_sortie
MU 3
say face kuga/02/00 pic 12
  総員、第一種戦闘配置！
  「あかつき」、海賊船を追う！
end
say face togo/01/00 pic 11
  了解！　機関、戦闘出力へ。
end
# An ordinary encounter. The pirate lies 150000 km off the bow side, a little above; the
# target point is not used.
IE 982 1
AD 0 + T150000 D4
AD 1 + T40000 D5
AD 2 + T10000 D6
DE 10 0
SP 76
SP 88
AH 43 + T30 H160
say face rinka/01/00
  海賊船を捕捉。戦術表示に出します。
end
say face kuga/01/00
  高瀬君、戦略パネルで針路と速度を
  決めてくれ。射程に入りしだい撃つ。
end

label pirates_turn
IF 43 >= H160 J:pirates_escaped
SP 79
SP 80
choice mask 1
  header pirates_orders
  option 針路と速度を決める jump pirates_plan
  option このまま進む jump pirates_run
  option レーザー砲、撃て jump pirates_laser
  option プラズマ砲、撃て jump pirates_plasma
  option 波導砲、撃て jump pirates_wave
  option 帰還する jump pirates_withdraw
  option 修理を待つ jump pirates_repair
  option 基地を離れる jump pirates_withdraw
end
J :pirates_turn

label pirates_plan
SP 77
IF 47 = T8 J:pirates_turn
say face togo/01/00
  針路、速度、設定完了。
end

# One interval, two seconds a step.
label pirates_run
SP 78
IF 47 >= T1 S:pirates_hit
FI 993 A T1 J:pirates_lost
FI 994 > T0 J:pirates_run
SP 84
IF 48 = T2 S:pirates_turns
J :pirates_turn

label pirates_hit
IF 47 = T2 J:pirates_hit_system
IF 47 = T3 J:pirates_hit_through
say face rinka/04/00
  敵の砲撃です！
  シールドで防ぎました。
end
SE
label pirates_hit_through
say face scott/04/00
  シールドが破られた！
  ……だが、主要な装置は無事だ。
end
SE
label pirates_hit_system
SU 2
say face scott/04/00
  @0
end
say face scott/03/00
  修理班を回す。少し持ちこたえてくれ。
end
SE

label pirates_turns
say face rinka/01/00
  敵艦、針路を変えました。
  仰角@2度、方位@1度。
end
SE

label pirates_laser
HE 37 3
J :pirates_fire
label pirates_plasma
HE 37 4
J :pirates_fire
label pirates_wave
HE 37 5
label pirates_fire
say face kuga/02/00
  撃て！
end
SP 81
say face sakharov/01/00
  @0
  @1
end
FI 992 A T1 J:pirates_sunk
FI 992 A T6 J:pirates_silenced
J :pirates_run

label pirates_repair
SP 86
say
  @0、修理が終わった。
end
say face scott/02/00
  待たせたな。これでまた戦えるぞ。
end
J :pirates_turn

label pirates_withdraw
SP 83
say face togo/01/00
  戦闘空域を離脱します。
end
J :pirates_escaped

# --- the end of the battle ---
label pirates_sunk
say face rinka/02/00
  海賊船、反応消失。撃沈です！
end
J :pirates_won
label pirates_silenced
say face rinka/02/00
  海賊船、停止しました。
  武装も沈黙しています！
end
label pirates_won
MU 2
say face kuga/02/00
  よくやった。後は警備隊に任せよう。
end
# The mission record of an Earth episode that succeeded (course A).
HE 121 1
HE 123 16
IE 980 4
SP 89
say face mina/02/00
  今日の戦闘、作戦記録に残しておきます。
end
SJ :pirates_records
CG
J :shipday

label pirates_lost
SU 2
say face scott/04/00
  だめだ、艦がもたない！
end
say face kuga/03/00
  ……総員、退艦準備。救難信号を出せ。
end
J :pirates_failed
label pirates_escaped
say face rinka/03/00
  海賊船、探知圏外へ……。
  逃げられました。
end
say face kuga/03/00
  追跡はここまでだ。
  ステーションに戻ろう。
end
# The mission record of an Earth episode that failed.
label pirates_failed
MU 4
HE 121 1
HE 123 0
IE 980 4
SP 89
say face mina/03/00
  作戦記録に残しておきます。
  ……次は、逃がしません。
end
SJ :pirates_records
CG
J :shipday

# The records of all plays so far, from the play records of the working folder.
label pirates_records
choice
  header pirates_records_ask
  option これまでの成績を見る jump pirates_records_show
  option 先へ進む jump pirates_records_done
end
label pirates_records_show
SP 90
say face mina/01/00
  まだ終わっていない航海は……
  @0
  @1
end
label pirates_records_done
SE

message pirates_records_ask face mina/01/00
  これまでの記録を見ておく？
end
message pirates_ask face kuga/01/00
  海賊船を追うか？
end
message pirates_orders face kuga/01/00
  次の指示は？
end
