# Room scene pictures chosen by who is present, the visit selector, the room state and the hour
# (routines 40, 41, 42, 44, 45, 61, 95, 96), the song rule of the common room and the speakers'
# costumes (43). Each routine shows its picture; the events keep every picture shown, every
# forced preparation of the scene copy and every song started.
#> max-records 400

# Room state 0 and 6 (44, 45): 233 and 86, 234 and 92; another state leaves the picture.
#> expect gameVar(150) = 0
#> expect gameVar(151) = 6
#> expect count 1 picture 86
#> expect count 2 picture 92
#> expect count 1 picture 234
HE 37 2
SP 44
HH 150 111
SP 45
HE 37 5
SP 44
HH 151 111
SP 45
HE 111 3
SP 45
HE 37 2
SP 44

# 40: crew members 2 and 3 present (m = 12) on visit 1 have no picture of their own: 233 stays
# and is shown again. m = 14 on visit 2 and m = 6 on visit 4 are prepared once more as well;
# m = 10 on visit 3 and visit 5 keep the picture; m = 2 on visit 0 is 76.
#> expect count 4 picture 233
#> expect shown prepare picture 63
#> expect shown prepare picture 57
#> expect not-shown prepare picture 233
#> expect count 3 picture 57
#> expect count 1 prepare picture 57
#> expect count 1 picture 76
HE 54 13
HE 108 1
SP 40
HE 54 15
HE 108 2
SP 40
HE 54 7
HE 108 4
SP 40
HE 54 11
HE 108 3
SP 40
HE 108 5
SP 40
HE 54 3
HE 108 0
SP 40

# 42, the canteen: members 1 and 3 resting there (activity 12) are left out of the heroine's
# company; alone in room state 6 she is picture 100, in state 0 picture 101, resting herself the
# picture kept in flag 128. Member 3 resting in the canteen but not in the company changes
# nothing (a subtraction would make it picture 95).
#> expect gameVar(152) = 1
#> expect gameVar(153) = 11
#> expect shown picture 100
#> expect shown picture 101
#> expect shown picture 433
#> expect count 1 picture 103
#> expect not-shown picture 95
HE 54 11
HE 6 8
HE 86 12
HE 16 8
HE 88 12
HE 111 6
SP 42
HH 152 108
HH 153 78
HE 111 0
SP 42
HE 85 12
HE 128 433
SP 42
HE 85 0
HE 54 3
HE 86 0
SP 42

# 41, the common room. The heroine busy (activity 11) is 202 alone, whatever the story; alone
# she is 75; members 2 and 3 are 80; the heroine with member 4 is 82; everyone during an arrival
# is 10. Song 2 becomes 4 only while an arrival, an event or the story switch is on, song 4 is
# not started again and song 1 stays.
#> expect gameVar(154) = 1
#> expect shown picture 202
#> expect shown picture 75
#> expect shown picture 80
#> expect shown picture 82
#> expect shown picture 10
#> expect count 1 music 4
#> expect currentSong = 1
MU 2
HE 85 11
HE 54 62
HE 109 1
SP 41
HH 154 54
HE 85 0
HE 109 0
SP 41
HE 54 13
SP 41
HE 54 17
SP 41
HE 54 63
HE 110 1
SP 41
SP 41
MU 1
SP 41
HE 110 0

# 61, the cabin of member 3 (place 5): away from its duty 309, activity 1 303, activity 3 310;
# at its duty with activity 0, or with an activity of 10 or more, the picture stays (and 95
# below shows it once more).
#> expect count 1 picture 309
#> expect count 1 picture 303
#> expect count 4 picture 310
HE 1 5
HE 16 5
HE 17 1
HE 88 0
SP 61
HE 88 1
SP 61
HE 88 3
SP 61
HE 88 13
SP 61
HE 17 5
HE 88 0
SP 61

# 95 maps 310 to nothing (it stays) and 233 to 266, marks the visit and ends the heroine's
# activity, and adds need 8 to the needs met.
#> expect shown picture 266
#> expect gameVar(127) = 1
#> expect gameVar(85) = 0
#> expect gameFlag(1509) = 9
IE 1509 1
HE 85 4
SP 95
HE 37 2
SP 44
SP 95

# 96 by the hour in a cycle of five and the visit: 10:00 on visit 1 is 218 (kept in flag 128),
# 03:00 on visit 4 is 315, the 24th hour on visit 6 is 557, visit 7 keeps the picture; from
# visit 2 on the window is cleared and the picture prepared once more.
#> expect shown picture 218
#> expect gameVar(155) = 218
#> expect shown prepare picture 315
#> expect count 2 prepare picture 557
#> expect count 3 clear window
HE 43 600
HE 108 1
SP 96
HH 155 128
HE 43 180
HE 108 4
SP 96
HE 43 1440
HE 108 6
SP 96
HE 108 7
SP 96
#> expect gameVar(128) = 218

# 43: speakers 1 to 6 take their costumes from flags 111..116, rounded half to even.
#> expect personTableA(1) = 2
#> expect personTableA(2) = 4
#> expect personTableA(6) = 7
HE 111 2.5
HE 112 3.5
HE 113 1
HE 116 7
SP 43
END
