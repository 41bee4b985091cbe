# A day on board, after the pirate chapter. The morning after the pirate chase the Akatsuki lies at the
# central station until the audit at 15:00, and the heroine walks the ship: her musing offers
# the places still worth a visit, the crew are where the hour and chance have put them, each
# room shows who is there, whoever sits in the canteen talks with her through a tree of topics, the crew report tells
# where everyone is, a long briefing can be skipped into the skip log, and
# the engine room's menu follows the hour and the ship's work (she helps スコット with the switch
# panel). The day ends with a save prompt and the captain's choice of the next patrol from the
# destinations open to the ship.
#
# Variables of this chapter:
#   flag 170   switch presses on the panel
#   flag 171   the panel solved (1)
#   flag 172   what the heroine has done in the engine room (bits of its menu items)
#   int 1660   the place menu's mask

label shipday
CG
MU 4
HE 43 2040
SP 16
say face mina/01/00 pic 9
  翌朝。「あかつき」は中央ステーションに
  停泊している。現在、@1。
end
say face kuga/01/00 pic 6
  監査会は十五時からだ。
  それまでに艦内を回って、
  皆の様子を見てきてくれ。
end
say face mina/02/00
  了解しました、艦長。
end
# A new round of visits: two cabins, the canteen, the engine room and the radar room are open,
# and the heroine skipped breakfast.
SP 7
IE 1506 1676
IE 1508 128
HE 1 9
# Where the crew start the morning: 鈴華 and ビバリー in the corridor, the other three on the
# bridge; from there the hours and chance take them.
HE 6 9
HE 11 9
HE 16 1
HE 21 1
HE 26 1
HE 170 0
HE 171 0
HE 172 0
# The new wave gun is being fitted in the engine room today.
HE 45 1
# The place menu's mask is built in I1660: a visited place stays hidden.
IE 1660 0
# The canteen's topics, an entry tree: group 1 holds the chase (group 2), group 2 the pirate ship,
# the ship itself (group 7: the engines, the radar), the audit and the lunch. Each topic exists
# in the canteen (place bit 2048) for all five crew (bits 1..16) and is used up once talked about.
IE 1361 2079
IE 1363 2079
IE 1365 2079
IE 1371 2079
IE 1373 2079

label sd_walk
# One hour of the crew's life, who is where, and the heroine's musing.
SP 29
SP 62
SP 103
insert 1 ""
insert 2 ""
SP 5
say face mina/03/00 pic 5
  @1
  @2
end
KI 1660
choice mask 1
  header sd_where
  option 鈴華の部屋 jump sd_rinka
  option ビバリーの部屋 jump sd_beverly
  option 食堂 jump sd_canteen
  option 機関室 jump sd_engine
  option レーダー室 jump sd_radar
  option みんなの居場所を確かめる keep first sd_report repeat sd_report
end

# After each visit an hour passes and the round is checked.
label sd_next
AH 43 + T60 H43
SP 33
FI 1528 = T1 J:sd_evening
J :sd_walk

# --- the cabins ---
label sd_rinka
IR 1660 1
IR 1507 4
HE 1 3
SP 62
SP 61
IF 6 = T3 J:sd_rinka_in
say face mina/02/00
  鈴華は留守みたい。
  ……机の上に、星図が広げっぱなしだわ。
end
J :sd_next
label sd_rinka_in
say face rinka/01/00
  あ、ミナさん。
  昨日の海賊船の航跡、まとめていたんです。
  監査会で聞かれそうですから。
end
J :sd_next

label sd_beverly
IR 1660 2
IR 1507 8
HE 1 4
SP 62
SP 61
IF 11 = T4 J:sd_beverly_in
say face mina/02/00
  ビバリーはいない。
  部屋の中はきちんと片づいている。
end
J :sd_next
label sd_beverly_in
say face beverly/01/00
  ミナ、いいところに来たわね。
  医務室の在庫表、一緒に数えてくれない？
end
say face mina/01/00
  ……お昼のあとでね。
end
J :sd_next

# --- the canteen: whoever sits there talks with the heroine ---
label sd_canteen
IR 1660 4
IR 1507 128
IR 1509 128
HE 1 8
SP 62
SP 42
say face mina/01/00
  まずは腹ごしらえ。今日の定食は……
  カレーね。
end
HE 47 1
SP 20
IF 56 = T0 J:sd_canteen_alone
IF 57 = T2 J:sd_talk_rinka
IF 57 = T3 J:sd_talk_beverly
IF 57 = T4 J:sd_talk_scott
IF 57 = T5 J:sd_talk_sakharov
say face togo/01/00
  よう、通信長。昨日の操艦、見てたか？
  ……見てないか。そうか。
end
insert 7 "東郷"
IE 910 16
J :sd_topics
label sd_talk_rinka
say face rinka/02/00
  ここのカレー、辛さが日替わりなんですよ。
  今日は当たりです。
end
insert 7 "鈴華"
IE 910 1
J :sd_topics
label sd_talk_beverly
say face beverly/02/00
  野菜も食べなさいね、ミナ。
  艦医として言っておくわ。
end
insert 7 "ビバリー"
IE 910 2
J :sd_topics
label sd_talk_scott
say face scott/01/00
  食べ終わったら機関室に来てくれないか。
  配電盤の切り替えに手が要るんだ。
end
insert 7 "スコット"
IE 910 4
J :sd_topics
label sd_talk_sakharov
say face sakharov/01/00
  昨日のプラズマ砲、いい音でした。
  ……食事中にする話じゃありませんね。
end
insert 7 "サハロフ"
IE 910 8
J :sd_topics
# Talking over lunch: the topics still open for the partner, group by group.
label sd_topics
IE 1359 1
SP 93
FI 1359 = T0 J:sd_next
TQ 64
choice mask 1
  header sd_topic_ask
  option 昨日の追跡のこと jump sd_group2
  option - jump sd_next
  option - jump sd_next
  option - jump sd_next
  option - jump sd_next
  option - jump sd_next
  option ごちそうさま jump sd_next
end
J :sd_next
label sd_group2
IE 1359 2
SP 93
TQ 16
choice mask 1
  header sd_topic_ask
  option 海賊船のこと jump sd_topic_pirate
  option 艦のこと jump sd_group7
  option 監査会のこと jump sd_topic_audit
  option 今日の定食 jump sd_topic_lunch
  option ほかの話 jump sd_topics
end
J :sd_topics
# Group 7 is only offered while one of its topics is open; one topic, then back to group 2.
label sd_group7
IE 1359 7
SP 93
choice mask 1
  header sd_topic_ask
  option 機関の調子 jump sd_topic_engine
  option レーダーの感度 jump sd_topic_radar
end
J :sd_group2
label sd_topic_pirate
IR 1360 1984
say
  @7と、逃げ足の速い海賊船の話をした。
  あの船は、どこで造られたのだろう。
end
J :sd_group2
label sd_topic_audit
IR 1370 1984
say
  @7と、監査会の話をした。
  艦長の資料は、もう出来ているらしい。
end
J :sd_group2
label sd_topic_lunch
IR 1372 1984
say
  @7と、今日のカレーの辛さを比べた。
  ……意見は割れた。
end
J :sd_group2
label sd_topic_engine
IR 1362 1984
say
  @7によれば、主機は快調。
  ただし、配電盤に手が要るという。
end
J :sd_group2
label sd_topic_radar
IR 1364 1984
say
  @7によれば、レーダーは昨日の戦闘で
  少し調整がずれたらしい。
end
J :sd_group2
label sd_canteen_alone
say face mina/03/00
  誰もいない。静かな食堂も、たまにはいいか。
end
J :sd_next

# --- the radar room: the scope, and a briefing that may be skipped ---
label sd_radar
IR 1660 16
IR 1507 1024
HE 1 12
KG 8
HE 47 0
SP 99
HE 47 1
SP 99
HE 47 2
SP 99
say face rinka/01/00
  ステーション周辺、異常なしです。
  定時の報告、読み上げますか？
end
choice
  header sd_radar_ask
  option 記録だけもらう jump sd_radar_skip
  option 聞いておく jump sd_radar_listen
end
label sd_radar_skip
HE 48 1
SP 104
SJ :sd_briefing
SP 105
HE 47 3
SP 99
J :sd_next
label sd_radar_listen
SJ :sd_briefing
HE 47 3
SP 99
J :sd_next
label sd_briefing
say face rinka/03/00
  〇六〇〇、貨物船二隻が第三ゲートを出港。
  〇七一五、警備隊の巡視艇が帰港。
end
say face rinka/03/00
  〇八〇〇、海賊船の残骸の回収を開始。
  以上です。
end
SE

# --- the engine room: the switch panel ---
label sd_engine
IR 1660 8
IR 1507 512
HE 1 11
KG 7
say face scott/01/00
  来てくれたか。新しい波導砲の取り付けで
  手が足りないんだ。
end
# The engine room's menu (room context 6): what is offered follows the hour and the ship's
# work; watching the wave gun being fitted is only offered in working hours.
label sd_engine_menu
HE 40 6
HE 47 1
SP 75
FI 49 > T0 J:sd_next
QH 172
choice mask 1
  header sd_engine_ask
  option - jump sd_next
  option 配電盤を手伝う jump sd_engine_panel
  option 機関の様子を聞く jump sd_engine_talk
  option - jump sd_next
  option 機関室を出る jump sd_next
  option - jump sd_next
  option 取り付け作業を見る jump sd_engine_gun
end
J :sd_next
label sd_engine_talk
AH 172 R T4 H172
say face scott/02/00
  主機は快調だ。昨日はだいぶ回したがね。
  問題は配電盤のほうさ。
end
J :sd_engine_menu
label sd_engine_gun
AH 172 R T64 H172
say face scott/01/00
  砲身はもう据え付けた。あとは照準系の
  調整だ。今日の定時までには終わらせる。
end
say face mina/01/00
  これが「あかつき」の新しい切り札……。
end
J :sd_engine_menu
label sd_engine_panel
AH 172 R T2 H172
say face scott/01/00
  配電盤の回路を組み直す。
  入れるのは二、三、六、七、九番の五つだ。
  一度に入れられるのは五つまでだ。
end
SP 108
label sd_panel
SP 110
IF 171 = T1 J:sd_panel_done
IF 170 >= T12 J:sd_panel_giveup
choice
  header sd_panel_ask
  option スイッチ１ jump sd_sw1
  option スイッチ２ jump sd_sw2
  option スイッチ３ jump sd_sw3
  option スイッチ５ jump sd_sw5
  option スイッチ６ jump sd_sw6
  option スイッチ７ jump sd_sw7
  option スイッチ９ jump sd_sw9
  option スイッチ１０ jump sd_sw10
  option やめる jump sd_panel_giveup
end
label sd_sw1
HE 37 1
J :sd_press
label sd_sw2
HE 37 2
J :sd_press
label sd_sw3
HE 37 3
J :sd_press
label sd_sw5
HE 37 5
J :sd_press
label sd_sw6
HE 37 6
J :sd_press
label sd_sw7
HE 37 0
J :sd_press
label sd_sw9
HE 37 8
J :sd_press
label sd_sw10
HE 37 9
J :sd_press
label sd_press
AH 170 + T1 H170
SP 109
SU 1
IF 47 = T4 J:sd_press_full
IF 47 = T3 J:sd_press_solved
IF 47 = T1 J:sd_press_main
J :sd_panel
label sd_press_full
say face scott/02/00
  おっと、それ以上は入らない。
  どれか切ってからだ。
end
J :sd_panel
label sd_press_main
say face scott/01/00
  主回路に電気が来た。その調子だ。
end
J :sd_panel
label sd_press_solved
SP 110
HE 171 1
say face scott/02/00
  よし、全部の灯が緑だ！　助かったよ。
end
J :sd_panel
label sd_panel_done
say face mina/01/00
  どういたしまして。
end
J :sd_engine_menu
label sd_panel_giveup
say face scott/01/00
  いや、あとは私がやろう。
  付き合わせて悪かったな。
end
J :sd_engine_menu

# --- the evening ---
label sd_evening
say face mina/02/00 pic 5
  これで全員に会えた。
  そろそろ監査会の時間ね。
end
choice
  header sd_save_ask
  option このまま監査会へ jump sd_audit
  option ここまでを記録する jump sd_save
end
label sd_save
SP 49
SP 50
label sd_audit
say face kuga/02/00 pic 6
  高瀬君、行こうか。
  ……皆、いい顔をしていたろう？
end
say face mina/01/00
  はい。いい船です、「あかつき」は。
end
# After the audit the captain chooses the next patrol from the destinations open to the ship.
IE 31 2
SP 69
say face kuga/01/00 pic 6
  監査は無事に済んだ。次の哨戒先を決めよう。
end
choice mask 1
  header sd_route_ask
  option ステーションで待機 jump sd_route_stay
  option 火星航路の警備 jump sd_route_mars
  option 木星までの長距離哨戒 jump sd_route_jupiter
  option 小惑星帯の掃討 jump sd_route_belt
end
label sd_route_stay
say face kuga/01/00
  しばらくは港で休ませてもらおう。
  皆、よく働いてくれた。
end
J :sd_end
label sd_route_mars
say face kuga/02/00
  火星航路か。海賊の残党がいるかもしれん。
  東郷、明朝出港だ。
end
J :sd_end
label sd_route_jupiter
say face kuga/02/00
  木星まで足を延ばす。長い旅になるぞ。
end
J :sd_end
label sd_route_belt
say face kuga/02/00
  小惑星帯の掃討だ。
  新しい波導砲の出番かもしれんな。
end
label sd_end
CG
# The credits over the song of the ending; then the game is over.
SP 101
END

message sd_where face mina/01/00
  どこへ行こう？
end
message sd_report face mina/01/00
  鈴華：@2
  ビバリー：@3
  スコット：@4
  サハロフ：@5
  東郷：@6
end
message sd_topic_ask face mina/01/00
  何の話をしよう？
end
message sd_radar_ask face mina/01/00
  報告はどうする？
end
message sd_panel_ask face scott/01/00
  どのスイッチを入れる？
  （もう一度押すと切れる）
end
message sd_engine_ask face mina/01/00
  機関室で何をしよう？
end
message sd_route_ask face kuga/01/00
  次の行き先は……
end
message sd_save_ask face mina/01/00
  ここまでを記録しておく？
end
