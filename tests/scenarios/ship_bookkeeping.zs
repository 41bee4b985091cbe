# Ship-mode bookkeeping: the coded events and their table (23, 24), the event level (56) and the
# repair alarm (58), who is where (62, 97), the hours passed (60), the flag tests (25, 27), the
# radar-room job (32), the jobs found running (51), the value stack (53), the save request (49,
# 50), the crew report (103) and the switch panel's presses (108, 109). Results are copied aside
# and all of them are checked at the end.
#> max-records 2000

# A code below 330 gets only its "met" bit, even with the table bits set.
#> expect gameFlag(200) = 1
#> expect gameFlag(300) = 513
HE 61 1000
HE 62 7
HE 47 200
SP 23
IE 300 512
HE 47 300
SP 23
# Code 400 goes into the first slot with its value; a second call overwrites the value while bit
# 16 of the code is clear, not after. Routine 24 keeps its value 200 places above the key, under
# bit 32.
#> expect gameFlag(1000) = 400
#> expect gameFlag(1640) = 7
#> expect gameFlag(1100) = 8
#> expect gameFlag(1200) = 9
#> expect gameFlag(400) = 563
IE 400 512
HE 47 400
SP 23
II 1640 1100
HE 62 8
SP 23
IR 400 16
HE 62 9
SP 23
SP 24
IR 400 32
HE 62 10
SP 24
# Routine 24 makes a new entry for code 401 in the next slot; with flag 32 at 1 nothing is
# recorded at all.
#> expect gameFlag(1001) = 401
#> expect gameFlag(1201) = 11
#> expect gameFlag(1101) = 0
#> expect gameFlag(401) = 1026
#> expect gameFlag(402) = 512
HE 47 401
IE 401 1024
HE 62 11
SP 24
IE 32 1
IE 402 512
HE 47 402
SP 23
IE 32 0
# The next free slot past the key slots: the code is met but makes no entry; the values of the
# first entry (which a slot of 1100 would overwrite) stay.
#> expect gameFlag(403) = 513
#> expect gameVar(61) = 1100
#> expect shown event 403 not recorded: no free slot
HE 61 1100
IE 403 512
HE 47 403
HE 62 77
SP 23

# Event level: entries 1000 and 1002 have both values and codes with bit 512: the level goes from
# 9 to 10 and 11, the stage to 3 and then 4, with the change bit. A code with bit 1024 gives 13;
# at stage 7 nothing happens.
#> expect gameFlag(1641) = 11
#> expect gameFlag(1642) = 4
#> expect gameFlag(892) = 1
#> expect gameFlag(1643) = 13
#> expect gameFlag(890) = 5
IE 1002 404
IE 1102 1
IE 1202 1
IE 404 512
SP 56
II 1641 890
II 1642 891
IE 1003 405
IE 1103 1
IE 1203 1
IE 405 1024
SP 56
II 1643 890
IE 891 7
IE 890 5
SP 56

# Repair alarm: the heroine's counters above 4500 on average with job 0 idle raise bit 1; both
# crew jobs running under the story switch compare the rest with their timers (bit 2); from
# event bit 8 on nothing is checked.
#> expect gameVar(150) = 1
#> expect gameVar(151) = 1
#> expect gameVar(152) = 2
#> expect gameVar(153) = 0
HE 4 4000
HE 63 5000
HE 66 5000
SP 58
HH 150 59
HH 151 110
HE 59 0
HE 110 0
IE 901 6
IE 860 1300
IE 881 5
IE 882 10
SP 58
HH 152 110
HE 59 0
HE 110 8
SP 58
HH 153 59
HE 110 0

# Who is where: the heroine and crew members 1 and 5 on the bridge, member 2 at place 0 (its own
# cabin, 4), member 3 in the canteen; member 4's place 13 is no place and counts nowhere (gameVar
# 83, the broadcast count, keeps its value). Stale counts are cleared. Routine 97 adds the crew
# whose activity is 21.
#> expect gameVar(176) = 35
#> expect gameVar(72) = 0
#> expect gameVar(74) = 4
#> expect gameVar(78) = 8
#> expect gameVar(83) = 2
#> expect gameVar(11) = 4
#> expect gameVar(154) = 35
#> expect gameVar(54) = 51
HE 72 99
HE 83 2
HE 1 1
HE 6 1
HE 11 0
HE 16 8
HE 21 13
HE 26 1
SP 62
HH 154 54
HH 176 71
HE 86 21
HE 89 21
SP 97

# Hours since flag 921, only when more than last time; the minutes are rounded before the
# division (239.5 minutes are 4 hours).
#> expect gameVar(155) = 6
#> expect gameVar(156) = 0
#> expect gameVar(157) = 4
#> expect gameFlag(922) = 4
HE 43 500
IE 921 100
IE 922 5
SP 60
HH 155 47
SP 60
HH 156 47
HE 43 239.5
IE 921 0
IE 922 3
SP 60
HH 157 47

# Flag tests: 25 clears gameVar 48 when the flag named by gameVar 49 is set; 27 sets gameVar 49
# when the flag named by callArg lacks bit 16.
#> expect gameVar(158) = 0
#> expect gameVar(159) = 5
#> expect gameVar(160) = 0
#> expect gameVar(161) = 1
HE 49 700
IE 700 1
HE 48 5
SP 25
HH 158 48
IE 700 0
HE 48 5
SP 25
HH 159 48
HE 49 0
HE 47 701
IE 701 16
SP 27
HH 160 49
IE 701 0
SP 27
HH 161 49

# The radar-room job: three hours.
#> expect replyText(1) = "３"
#> expect gameVar(84) = 180
#> expect gameVar(175) = 9
#> expect gameVar(7) = 12
HE 37 3
SP 32
HH 175 6

# Jobs found running: of the people on duty (heroine and crew member 2), only the heroine's job
# has time left.
#> expect gameFlag(902) = 1
HE 71 5
IE 880 5
IE 881 5
IE 882 0
SP 51

# The value stack: empty, a pop gives 0 and leaves the pointer; then two values come off in turn.
#> expect gameVar(162) = 0
#> expect gameFlag(1644) = 0
#> expect shown value stack empty
#> expect gameVar(163) = 43
#> expect gameVar(164) = 42
#> expect gameFlag(862) = 1800
HE 47 9
SP 53
HH 162 47
II 1644 862
IE 1800 42
IE 1801 43
IE 862 1802
SP 53
HH 163 47
SP 53
HH 164 47

# The save prompt opens the save list only after a save request (here, without the option menu's
# list, it is only traced); the request is used up.
#> expect shown save menu
SP 50
SP 49
SP 50

# The crew report: on the bridge, asleep and bathing in the own cabin, in another member's cabin
# (no new report), moving; then in the radar room, bathing, in the cabin, in the toilet, and at
# place 13 (no new report).
#> expect shown 1 [000000] ブリッジにいます。｜自室で就寝中です。｜自室で入浴中です。｜前の報告｜移動中です。
#> expect shown 2 [000000] レーダー室にいます。｜自室で入浴中です。｜自室です。｜トイレにいます。｜移動中です。
insert 5 "前の報告"
HE 6 1
HE 11 4
HE 87 13
HE 16 5
HE 88 24
HE 21 4
HE 26 0
SP 103
say
  @2|@3|@4|@5|@6
end
HE 6 12
HE 87 5
HE 88 0
HE 21 10
HE 26 13
SP 103
say
  @2|@3|@4|@5|@6
end

# The switch panel. Its start clears the set of switches on with the switches (flag 1300 holds a
# receiver log code here). Choices 2, 5, 0 and 7 press switches 2, 5, 7 and 8: the key set 0xD2
# is made (1); a fifth switch is taken, a sixth refused (4); switching one off never reports 4;
# leaving the key set reports 2. Switches 2, 3, 6, 7 and 9 (0x166) solve the panel (3), which a
# refused press leaves solved; a choice that names no switch presses nothing.
#> expect gameFlag(1645) = 0
#> expect gameVar(165) = 0
#> expect gameVar(166) = 1
#> expect gameVar(167) = 0
#> expect gameVar(168) = 4
#> expect gameFlag(1646) = 211
#> expect gameVar(169) = 0
#> expect gameVar(170) = 2
#> expect gameVar(171) = 3
#> expect gameVar(172) = 3
#> expect gameVar(173) = 0
#> expect gameVar(174) = 0
#> expect gameFlag(1300) = 356
#> expect gameFlag(1312) = 356
#> expect gameFlag(1302) = 0
#> expect gameFlag(1303) = 1
#> expect gameFlag(1307) = 1
#> expect gameFlag(1309) = 1
IE 1300 1234
IE 1305 1
SP 108
II 1645 1300
HE 37 2
SP 109
HE 37 5
SP 109
HE 37 0
SP 109
HH 165 47
HE 37 7
SP 109
HH 166 47
HE 37 1
SP 109
HH 167 47
HE 37 3
SP 109
HH 168 47
II 1646 1300
HE 37 1
SP 109
HH 169 47
HE 37 5
SP 109
HH 170 47
HE 37 7
SP 109
HE 37 3
SP 109
HE 37 6
SP 109
HE 37 8
SP 109
HH 171 47
HE 37 4
SP 109
HH 172 47
HE 37 2
SP 109
HH 173 47
HE 37 11
SP 109
HH 174 47
END
