# One hour of the crew's life (routine 29) replayed from a chosen random state. From state 641339
# the generator's draws, as whole numbers 0..6 (x7) or 0..5 (x6), are in this order:
#   10:00  member 1: 4 (x7), 3 (x6: corridor to canteen)   member 2: 4 (x7: to the cabin), 6
#          member 3: 5, 3 (x6: bridge to canteen)          member 4: 5 (no more: duty in cabin)
#          member 5: 4 (to cabin or bridge), 1 (bridge), 5 (asleep)
#   03:00  member 1: 6 (bath)   member 3: 0 (overridden: the cabin at night), 5 (asleep)
#   05:00  nothing is drawn
# and the next draw taken by RH (x 1000000) is 419075. A draw taken in another order, or one
# too many or too few, changes these results.
#> random-state 641339
#> max-records 300

# 10:00. Member 1 in the corridor (activity 1), 2 idle in the canteen, 3 on the bridge off its
# duty (activity 2), 4 on the bridge with the own cabin as duty, 5 idle in the canteen having
# done activity 1 already; only member 1 is in the bridge set. The heroine's activity is 2.
#> expect gameVar(150) = 8
#> expect gameVar(151) = 0
#> expect gameVar(152) = 4
#> expect gameVar(153) = 4
#> expect gameVar(154) = 8
#> expect gameVar(155) = 0
#> expect gameVar(156) = 1
#> expect gameVar(157) = 6
#> expect gameVar(158) = 0
#> expect gameVar(159) = 1
#> expect gameVar(160) = 3
#> expect gameVar(161) = 2
#> expect gameVar(162) = 12
#> expect gameVar(163) = 2
#> expect gameVar(164) = 0
HE 43 600
HE 6 9
HE 86 1
HE 11 8
HE 12 5
HE 16 1
HE 88 2
HE 21 1
HE 22 6
HE 26 8
HE 27 1
HE 96 1
HE 71 2
HE 85 2
SP 29
HH 150 6
HH 151 86
HH 152 12
HH 153 87
HH 154 17
HH 155 88
HH 156 21
HH 157 22
HH 158 89
HH 159 27
HH 160 90
HH 161 71
HH 162 85
HH 163 91
HH 164 7

# 03:00: the first draw is always 4, so members 1 and 3, idle in the canteen, go to their cabins
# (3 to its own cabin whatever it draws); activities 1 and 2 age to 11 and 12.
#> expect gameVar(165) = 3
#> expect gameVar(166) = 4
#> expect gameVar(167) = 5
#> expect gameVar(168) = 3
#> expect gameVar(169) = 11
#> expect gameVar(170) = 12
#> expect gameVar(171) = 22
#> expect gameVar(172) = 12
HE 43 180
HE 6 8
HE 7 0
HE 86 0
HE 11 2
HE 12 4
HE 87 1
HE 16 8
HE 17 0
HE 88 0
HE 89 2
HE 26 5
HE 27 7
HE 90 0
SP 29
HH 165 7
HH 166 86
HH 167 17
HH 168 88
HH 169 87
HH 170 89
HH 171 85
HH 172 91

# 05:00 with the heroine looking for company (needsOpen bit 256, not met): member 5, idle in the
# canteen, stays there off duty; 11 and 12 age to 21 and 22.
#> expect gameVar(27) = 0
#> expect gameVar(90) = 0
#> expect gameVar(26) = 8
#> expect gameVar(87) = 21
#> expect gameVar(89) = 22
#> expect gameVar(91) = 22
#> expect gameVar(180) = 419075
HE 43 300
IE 1508 256
HE 26 8
HE 27 3
HE 96 0
SP 29
RH 180 999999
END
