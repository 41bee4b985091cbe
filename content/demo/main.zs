# zav3 demo game: 哨戒艇「あかつき」
#
# An original short scenario that shows what the engine can do. The heroine, 高瀬ミナ, is the
# communications officer of the patrol ship Akatsuki on her rounds between Mars and the belt.

include "cast.zs"

VL 1 0
MA 00
HY 00
FK 00

label prologue
MU 1
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
  option 火星へ戻る leave first to_mars
  option 小惑星帯へ向かう jump belt first to_belt
  option もう少し考える keep first think repeat think_again
end

label belt
say face sota/01/00 pic 3
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
END

# --- subroutines and messages ---

label roll_call
insert 1 "ソウタ"
list
  艦長　　　　久我
  通信長　　　高瀬ミナ
  操舵手　　　@1
  船医　　　　リサ
end
SE

message captain_asks face kuga/02/00
  どうする、高瀬君？
end
message to_mars face kuga/01/00
  そうか。では火星へ戻ろう。
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
