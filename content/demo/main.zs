# zav3 demo game: 哨戒艇「あかつき」
#
# An original short scenario that shows what the engine can do. The heroine, 高瀬ミナ, is the
# communications officer of the patrol ship Akatsuki on her rounds between Mars and the belt;
# in the second chapter (bridge.zs) the ship is called back to Earth; in chapter four
# (pirates.zs) she goes after a pirate ship; the next morning (shipday.zs) she spends a day
# on board, and the credits close the game.

include "cast.zs"

VL 1 0
MA 00
HY 00
FK 00

label prologue
# The opening: the story so far, told over the song of the title (a click skips it).
SP 100
# A new game: all variables cleared, the place table and the ship's start set up.
SP 26
MU 4
# The patrol ship passes Mars (movie 1 over scene picture 1; the still is the same picture).
MG 1 1 1 0
insert 0 "あかつき"
say pic 1
  西暦二一八七年、火星軌道。
  哨戒艇「@0」は、定時の巡回任務に
  就いていた。
end

# The ship's clock: day 1, 09:05.
HE 43 545
SP 16
say face mina/01/00
  通信長の高瀬ミナです。
  現在、@1。
  本日の当直を始めます。
end

SJ :roll_call

say face kuga/01/00 pic 2
  おはよう、高瀬君。
  今日は小惑星帯の外縁まで足を延ばす。
end

# How many times has the captain asked for the report? Flag 20 counts.
AH 20 + T1 H20
IF 20 >= T2 J:second_report
say face mina/02/00
  了解しました。
  航路図を表示します。
end
J :orders

label second_report
say face mina/03/00
  ……艦長、その報告は二度目です。
end

label orders
choice
  header captain_asks
  option 航路図を確認する back first chart
  option 乗員に様子を聞く ask 1 close kuga first whom
  option 艦長の考えを聞く keep first think repeat think_again
  option 火星へ引き返す until 5 first to_mars repeat to_mars_again
  option 小惑星帯へ向かう jump belt first to_belt
  option 通信を待つ leave first wait_signal
  persons kuga rinka beverly scott sakharov togo
  about 1 kuga about_kuga
  about 1 rinka about_rinka
  about 1 beverly about_beverly
  about 1 scott about_scott
  about 1 sakharov about_sakharov
  about 1 togo about_togo
end
J :belt

label belt
# The same line in each speaker's own way of speaking (routine 22 reads flag 48).
Y 6 5
Y 3 6
HE 48 6
SP 22
say face togo/02/00 pic 2
  航路の計算、全部でき@0
end
HE 48 3
SP 22
say face beverly/02/00
  医務室の準備もでき@0
end
say face togo/01/00 pic 3
  針路、小惑星帯外縁。
  巡航速度に移ります。
end
W 10
SU 1
say face mina/04/00
  ……受信機に微弱な信号。
  発信源は不明です。
end
CG
J :bridge_chapter

# --- subroutines and messages ---

label roll_call
insert 1 "東郷ソウタ准尉"
list
  艦長　　　　久我
  通信長　　　高瀬ミナ
  操舵手　　　@1
  レーダー手　王鈴華
  船医　　　　ビバリー
  技術士官　　スコット
  砲術長　　　サハロフ准尉
end
SE

message captain_asks face kuga/02/00
  どうする、高瀬君？
end
message to_mars face kuga/01/00
  引き返すにしても、外縁の確認が先だ。
end
message to_belt face kuga/03/00
  よし、予定通り行こう。
end
message think face kuga/01/00
  急ぐことはない。
end
message think_again face kuga/02/00
  まだ迷っているのか？
end
message chart face mina/01/00 pic 11
  外縁までは、およそ六時間の行程です。
end
message whom face mina/01/00
  誰に聞いてみようか。
end
message about_kuga face kuga/01/00
  私に聞いてどうする。決めるのは君だ。
end
message about_rinka face rinka/02/00
  レーダーは静かなものです。
  小石ひとつ映っていません。
end
message about_beverly face beverly/01/00
  みんな元気よ。少し寝不足だけど。
end
message about_scott face scott/02/00
  機関は絶好調だ。任せておけ。
end
message about_sakharov face sakharov/01/00
  砲塔、異常なし。……以上だ。
end
message about_togo face togo/02/00
  いつでも出られますよ、通信長！
end
message to_mars_again face kuga/03/00
  ……では、今回は引き返すとしよう。
end
message wait_signal face mina/03/00
  ……応答なし。やはり向かうしかない。
end

include "bridge.zs"
include "pirates.zs"
include "shipday.zs"
