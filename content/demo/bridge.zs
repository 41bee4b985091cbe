# Chapter two: the recall to Earth. The ship lies stopped at Mars; the player picks the
# destination and the speed on the bridge, the ship flies to Earth in three-minute steps while
# the receiver picks up Earth's hourly broadcasts, and the chapter ends on arrival.
#
# Variables of this chapter (the navigation routines own the others they read):
#   flag 150   travel calls since the last progress report
#   flag 151   logged broadcasts before the current travel call
#   int 100    speed options already ordered (bit 2^(level - 1)); hidden from the speed menu

label bridge_chapter
MC 2
# Day 2, 07:30. The ship is stopped, the receiver still tuned to the Mars station.
HE 43 1890
HE 42 1
HE 38 4
HE 150 0
IE 100 0
# The receiver log starts empty; the next code goes to int 1300.
IE 860 1300
# The leg starts at Mars now; an estimate made while stopped puts the ship at its start.
IE 1529 4
IE 1530 1890
HE 36 4
SP 13
SP 16
say pic 1
  翌朝、火星軌道。
  外縁の調査を終えた「あかつき」は、
  火星の港で補給を受けていた。
end
say face mina/01/00 pic 2
  @1。
  通信長、高瀬ミナ、当直に入ります。
end
SU 1
say face mina/04/00
  艦長、地球の中央ステーションから
  暗号電文が届いています。
end
say face kuga/01/00
  読んでくれ。
end
say face mina/01/00
  「哨戒艇あかつきは直ちに地球へ帰還し、
  本日十五時までに中央ステーションへ
  出頭せよ」……以上です。
end
say face kuga/03/00
  十五時か。のんびりしてはいられんな。
  高瀬君、航路の準備を頼む。
end

# --- where to ---
QO
label nav_where
choice mask 1
  header nav_ask
  option 現在位置を確認する jump nav_position
  option 地球へ向かう jump nav_earth
  option 木星までの距離を調べる jump nav_jupiter
  option 海賊基地を探す back first nav_pirates
end
J :nav_earth

label nav_position
SP 12
say face mina/01/00
  現在位置を報告します。
  太陽から見た方位@1度、仰角@2度。
  座標Ｘ@3、
  　　Ｙ@4、
  　　Ｚ@5。
  太陽からの距離、@6。
end
say face kuga/01/00
  火星の港の真上、というわけだ。
end
J :nav_where

label nav_jupiter
HE 49 5
HE 48 1
SP 68
say face mina/01/00
  木星の座標、千キロ単位で
  Ｘ@1、
  Ｙ@2、
  Ｚ@3。
  ここから@4です。
end
HE 47 5
SP 19
say face mina/01/00
  @1、
  @2
end
say face kuga/03/00
  寄り道をしている暇はないな。
end
J :nav_where

label nav_earth
HE 36 3
SP 10
SP 13
say face mina/02/00
  針路、@0に向けます。
  @1、
  @2
end
say face kuga/01/00
  十五時には間に合いそうだな。
end

# --- the receiver ---
SP 9
say face mina/01/00 pic 8
  受信機を確認します。
  @1
end
HE 38 3
SP 9
say face mina/03/00
  ……失礼しました。合わせ直します。
  受信機の設定、@1
end

# --- the speed ---
say face kuga/01/00 pic 2
  東郷、発進準備だ。
end
say face togo/02/00
  いつでも行けますよ、艦長！
end
label speed_menu
SP 55
QI 100
choice mask 1
  header speed_ask
  option 停止 jump speed_1
  option 微速前進 jump speed_2
  option 前進 jump speed_3
  option 巡航速度 jump speed_4
  option 光速の６４分の１ jump speed_5
  option 光速の３２分の１ jump speed_6
  option 光速の１６分の１ jump speed_7
  option 光速の８分の１ jump speed_8
end
J :speed_menu

label speed_1
IR 100 1
J :speed_order
label speed_2
IR 100 2
J :speed_order
label speed_3
IR 100 4
J :speed_order
label speed_4
IR 100 8
J :speed_order
label speed_5
IR 100 16
J :speed_order
label speed_6
IR 100 32
J :speed_order
label speed_7
IR 100 64
J :speed_order
label speed_8
IR 100 128

label speed_order
SP 11
say face kuga/01/00
  @1。
end
say face togo/01/00
  @2
end
# A refused order leaves the level as it was; "stop" is refused because the ship is stopped.
IF 42 <> H37 J:speed_refused
IF 42 = T1 J:speed_refused
SP 13
say face mina/01/00
  @1、
  @2
end
IF 42 >= T6 J:speed_ok
say face kuga/03/00
  それでは十五時に間に合わん。
end
IF 42 >= T5 J:speed_menu
# From now on the menu offers only the light-fraction speeds.
IR 100 14
say face kuga/02/00
  光速航行に切り替えるぞ、東郷。
end
say face togo/04/00
  りょ、了解です！
end
J :speed_menu

label speed_refused
say face kuga/03/00
  ……では、別の速度で行こう。
end
J :speed_menu

label speed_ok
say face kuga/02/00
  よし、それで行こう。
  「あかつき」、発進！
end
IH 1530 43
MG 2 11 11 0
SP 14
say face togo/02/00 pic 11
  @1、
  @2
end
# When will the next broadcast from Earth come in?
HE 47 3
SP 8
say face mina/01/00
  @1の次の定時放送は、@2の回です。
  受信まで、あと@3ほどです。
end

# --- under way: one travel call is up to five three-minute steps ---
label cruise
HH 151 83
SP 28
IF 109 > T0 J:arrived
IF 83 > H151 J:on_air
AH 150 + T1 H150
IF 150 >= T8 J:progress
J :cruise

label progress
HE 150 0
SP 54
say face mina/01/00 pic 11
  針路、@1へ。航行に異常ありません。
end
HE 49 3
HE 48 0
SP 68
SP 71
say face mina/01/00
  地球まで、あと@6。
  到着は@1の予定です。
end
J :cruise

label on_air
HE 150 0
SU 1
# The newest log entry: int 1300 + count - 1.
AH 83 - T1 I1532
SP 2
SP 16
say face mina/04/00 pic 8
  @1。
  地球の定時放送を受信しました。
end
SJ :broadcast_news
J :cruise

# The broadcast whose log code is in flag 62, in full.
label broadcast_news
IF 62 = T1143 J:news_8
IF 62 = T1153 J:news_9
IF 62 = T1163 J:news_12
say face mina/01/00
  ……雑音が多くて、内容までは
  聞き取れませんでした。
end
SE
label news_8
say face mina/01/00
  「おはようございます、中央放送です。
  本日の地球圏は全域で航行良好、
  太陽活動も穏やかな一日となります」
end
say face kuga/01/00
  朝のニュースか。平和なものだ。
end
SE
label news_9
say face mina/01/00
  「中央ステーションより業務連絡。
  十五時より定例の監査会を行います。
  関係各艦は遅れないように」
end
say face kuga/03/00
  ……呼び出しの理由は、それか。
end
SE
label news_12
say face mina/02/00
  「正午の時報をお知らせします。
  続いて、火星産トマトの豊作の話題を
  お送りします」
end
say face togo/02/00
  トマトか……腹が減ってきましたね。
end
SE

# One line per logged broadcast (code in flag 62), for the review on arrival.
label broadcast_headline
IF 62 = T1143 J:headline_8
IF 62 = T1153 J:headline_9
IF 62 = T1163 J:headline_12
say face mina/01/00
  雑音の多い放送が一件。
end
SE
label headline_8
say face mina/01/00
  八時、朝のニュース。
end
SE
label headline_9
say face mina/01/00
  九時、監査会の業務連絡。
end
SE
label headline_12
say face mina/01/00
  正午、時報とトマトの話題。
end
SE

# --- arrival ---
label arrived
MU 4
SP 16
say face mina/02/00 pic 9
  @1。
  中央ステーションの管制圏に入りました。
end
say face togo/02/00
  主機停止。あかつき、到着です！
end
insert 1 H83
say face kuga/01/00
  ご苦労。高瀬君、道中の受信記録は？
end
say face mina/01/00
  受信した放送は@1件です。
end
label log_review
IF 83 <= T0 J:log_done
SP 30
HH 62 47
SJ :broadcast_headline
J :log_review
label log_done
say face kuga/02/00
  十五時には十分間に合うな。
  監査会の資料は、私がまとめておこう。
end
say face mina/02/00
  了解しました。
  ……地球に帰ってくるのは、久しぶりです。
end
CG
J :pirates

message nav_ask face kuga/01/00
  行き先はどうする？
end
message nav_pirates face kuga/03/00
  海賊基地の捜索は命令にない。却下だ。
end
message speed_ask face kuga/01/00
  速度は――
end
