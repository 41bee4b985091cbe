# The clock routines on day and hour boundaries: the split shown by the date report (16), setting
# the clock from a packed day-hour-minute value (63), the hour window and the wait for an hour
# (73), office hours (4), the hour menu (31), the time-left report (48) and the broadcast origins
# (57). Each case copies its result aside so that all of them are checked at the end.
#> max-records 600

# Date report: the last minute of day 1, the first of day 2, midnight of day 1.
#> expect shown 1 [000000] ６月１日、２３時、５９分
#> expect shown 2 [000000] ６月２日、０時、０分
#> expect shown 3 [000000] ６月１日、０時、０分
#> expect shown 4 [000000] ６月３日、１２時、３０分
HE 43 1439
SP 16
say
  @1
end
HE 43 1440
SP 16
say
  @1
end
HE 43 0
SP 16
say
  @1
end

# Set clock: 31230 is day 3, 12:30; exactly 10000 leaves the clock alone but is still cleared.
#> expect gameVar(180) = 3630
#> expect gameVar(181) = 3
#> expect gameVar(182) = 0
#> expect gameVar(183) = 3630
#> expect gameVar(184) = 0
#> expect gameVar(185) = 1559
#> expect gameVar(186) = 2
HE 133 31230
SP 63
HH 180 43
HH 181 44
HH 182 133
SP 16
say
  @1
end
HE 133 10000
SP 63
HH 183 43
HH 184 133
HE 133 20159
SP 63
HH 185 43
HH 186 44

# Hour window across midnight (22 to 2): in at 23:10, 01:59 and 02:59, out at 03:00 and 21:59;
# a plain window (9 to 17) holds its last hour and not the next one.
#> expect gameVar(150) = 1
#> expect gameVar(151) = 1
#> expect gameVar(152) = 0
#> expect gameVar(153) = 1
#> expect gameVar(154) = 0
#> expect gameVar(167) = 1
#> expect gameVar(168) = 0
HE 47 22
HE 48 2
HE 43 1390
SP 73
HH 150 49
HE 43 119
SP 73
HH 151 49
HE 43 180
SP 73
HH 152 49
HE 43 179
SP 73
HH 167 49
HE 43 1319
SP 73
HH 168 49
HE 47 9
HE 48 17
HE 43 1079
SP 73
HH 153 49
HE 43 1080
SP 73
HH 154 49

# Wait for hour 9. Not yet waiting (flag 49 = 0): 09:00 sharp stays and starts waiting, 09:01
# moves to 09:00 of the next day, 08:00 and 10:00 stay. Waiting (1): 08:00 of day 2 moves to
# 09:00 the same day, 10:00 of day 1 to 09:00 of day 2. Flag 49 = 2 goes back to 09:00 today.
#> expect gameVar(155) = 540
#> expect gameVar(156) = 1
#> expect gameVar(157) = 1980
#> expect gameVar(158) = 480
#> expect gameVar(159) = 0
#> expect gameVar(160) = 600
#> expect gameVar(161) = 1980
#> expect gameVar(162) = 1980
#> expect gameVar(163) = 540
HE 47 9
HE 48 9
HE 49 0
HE 43 540
SP 73
HH 155 43
HH 156 49
HE 49 0
HE 43 541
SP 73
HH 157 43
HE 49 0
HE 43 480
SP 73
HH 158 43
HH 159 49
HE 43 600
SP 73
HH 160 43
HE 49 1
HE 43 1920
SP 73
HH 161 43
HE 49 1
HE 43 600
SP 73
HH 162 43
HE 49 2
HE 43 600
SP 73
HH 163 43

# Office hours: in at 09:00 and 16:59, out at 17:00; untouched unless flag 45 is 1.
#> expect gameFlag(1000) = 1
#> expect gameFlag(1001) = 1
#> expect gameFlag(1002) = 0
#> expect gameFlag(1003) = 7
HE 45 1
HE 43 540
SP 4
II 1000 1535
HE 43 1019
SP 4
II 1001 1535
HE 43 1020
SP 4
II 1002 1535
HE 45 0
IE 1535 7
HE 43 600
SP 4
II 1003 1535

# Hour menu: at 10:00 options 1..6 stay and 7 is hidden, while 8..10 keep what they were (here
# hidden: mask bits 1111000000); from 16:00 on only option 1 stays (bits 1111110); at 06:00 all
# ten stay.
#> expect gameFlag(1010) = 960
#> expect gameFlag(1011) = 126
#> expect gameFlag(1012) = 126
#> expect gameFlag(1013) = 0
QT 1023
HE 43 600
SP 31
KO 1010
QO
HE 43 960
SP 31
KO 1011
HE 43 1380
SP 31
KO 1012
QT 1023
HE 43 360
SP 31
KO 1013

# Time left for the wave gun fitting (1200 minutes less flag 46; halved with the radar job):
# whole hours have no minutes part, 60 minutes are not an hour yet, 61 are.
#> expect shown 5 [000000] ２０時間
#> expect shown 6 [000000] １時間１０分
#> expect shown 7 [000000] ６０分
#> expect shown 8 [000000] １時間１分
#> expect shown 9 [000000] １０時間
#> expect shown 10 [000000] ５９分
#> expect gameVar(164) = 0
#> expect gameVar(165) = 1
HE 46 0
HE 84 0
SP 48
say
  @0
end
HH 164 49
HE 46 1130
HE 84 0
SP 48
say
  @0
end
HE 46 1140
HE 84 0
SP 48
say
  @0
end
HE 46 1139
HE 84 0
SP 48
say
  @0
end
HE 46 0
HE 84 1
SP 48
say
  @0
end
HE 46 1081
HE 84 1
SP 48
say
  @0
end
HH 165 49

# Broadcast origins: the central station at noon of day 2 (slot 5, "午後" with hour 0) and
# Pluto at midnight of day 3 (slot 0); the origin code is (3 - 1) x 110 + 0 x 10 + 9.
#> expect shown 11 [000000] 中央ステーション｜２日、午後０時｜冥王星｜３日、午前０時
#> expect gameVar(166) = 229
IE 1538 3
IE 1539 2
IE 1540 5
IE 1541 9
IE 1542 3
IE 1543 0
SP 57
HH 166 125
say
  @0|@1|@2|@3
end
# A place outside 3..9 keeps the name slot as it was; slots 4, 6 and 10 are 9 a.m., 3 p.m. and
# 9 p.m.
#> expect shown 12 [000000] 前の名｜１日、午前９時｜火星｜１日、午後３時
#> expect shown 13 [000000] 前の名｜１日、午後９時｜木星のガニメデ｜１日、午前６時
insert 0 "前の名"
IE 1538 2
IE 1539 1
IE 1540 4
IE 1541 4
IE 1542 1
IE 1543 6
SP 57
say
  @0|@1|@2|@3
end
IE 1538 10
IE 1540 10
IE 1541 5
IE 1543 1
SP 57
say
  @0|@1|@2|@3
end
END
