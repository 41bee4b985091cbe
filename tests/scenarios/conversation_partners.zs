# Conversation partners (routines 20 and 21): the crew members present, searched in the order of
# callArg, lend their faces (member i has face code i + 1) to face source entries 0 and 1; flag
# 55 tells in which group of the order they were found. Each case copies flags 55..58 aside.
#> max-records 200

# 20 with nobody present: no partner, the entries keep what they held.
#> expect gameVar(150) = 0
#> expect gameVar(151) = 0
#> expect gameVar(152) = 9
Y 0 9
Y 1 9
HE 54 1
HE 47 1
SP 20
HH 150 55
HH 151 56
HH 152 57

# 20, order 1 (1, 3 | 4, 2, 5) with members 4 and 5: member 4, after the mark.
#> expect gameVar(153) = 1
#> expect gameVar(154) = 1
#> expect gameVar(155) = 5
HE 54 49
SP 20
HH 153 55
HH 154 56
HH 155 57

# 20, order 3 (3, 1, 2 | 5, 4) with members 1 and 2: member 1, in the first group; order 1 for
# a callArg of 0, with member 3: found at once.
#> expect gameVar(156) = 0
#> expect gameVar(157) = 2
#> expect gameVar(158) = 0
#> expect gameVar(159) = 4
HE 54 6
HE 47 3
SP 20
HH 156 55
HH 157 57
HE 54 8
HE 47 0
SP 20
HH 158 55
HH 159 57

# 21, order 1 (1, 3 | 4 || 2, 5) with members 1 and 3: both in the first group, the search ends
# at the check after member 4 and flag 55 ends 0.
#> expect gameVar(160) = 0
#> expect gameVar(161) = 2
#> expect gameVar(162) = 2
#> expect gameVar(163) = 4
HE 54 10
HE 47 1
SP 21
HH 160 55
HH 161 56
HH 162 57
HH 163 58

# 21 with a callArg of 7 takes order 1: members 2 and 5 are both found past the second mark.
#> expect gameVar(164) = 2
#> expect gameVar(165) = 2
#> expect gameVar(166) = 3
#> expect gameVar(167) = 6
HE 54 36
HE 47 7
SP 21
HH 164 55
HH 165 56
HH 166 57
HH 167 58

# 21, order 5 (4, 5, 2 | 1 || 3): members 4 and 5 fill both entries; member 2, third of the
# first group, is not tried any more. Order 2 (2, 4 | 3 || 1, 5) with member 3 alone: one
# partner, found after the first mark; the second mark still turns 55 to 3, which ends as 2.
#> expect gameVar(168) = 0
#> expect gameVar(169) = 5
#> expect gameVar(170) = 6
#> expect gameVar(171) = 2
#> expect gameVar(172) = 1
#> expect gameVar(173) = 4
HE 54 52
HE 47 5
SP 21
HH 168 55
HH 169 57
HH 170 58
HE 54 8
HE 47 2
SP 21
HH 171 55
HH 172 56
HH 173 57
END
