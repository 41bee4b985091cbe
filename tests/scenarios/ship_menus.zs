# The ship-mode menus: which items the menu switches (1, 3, 34, 36, 38, 39, 64, 94), the entry
# tree (93), the destination menu (69) and the room menus (75) offer, with the sleep setting
# (37), the names for a visit (72), the crew counters (74) and the packed entry (91, 92). After
# each routine the hidden items are copied aside as a bit set (bit k - 1 for item k, by KO) and
# all of them are checked at the end.
#> max-records 2000

# Routine 1 with item 1 offered: item 2 is hidden, and with nobody about, the clock close to the
# heroine's counters and no story switch, so are 3..8 and 10; item 9 is left alone.
#> expect gameFlag(1600) = 766
QO
HE 43 100
SP 1
KO 1600
# With item 1 hidden (and 9 hidden before) item 2 is offered; crew members 1 and 2 present offer
# 3 and 4, counters more than 180 minutes behind offer 5 and 6, two people offer 8.
#> expect gameFlag(1601) = 321
QO
QT 257
HE 54 6
IE 1501 1
HE 43 1000
HE 3 800
HE 5 819
HE 98 1
SP 1
KO 1601
# Exactly 180 minutes offer neither 5 nor 6; the ship's arrival hides 4.
#> expect gameFlag(1602) = 121
QO
QT 1
HE 3 820
HE 5 820
HE 109 1
SP 1
KO 1602
HE 109 0

# Routine 3: item 7 is offered while the taken items pass 2 ^ (flag 1533 - 1) and a visit is set;
# otherwise it keeps its state and the visit is dropped, unless flag 1534 hides it.
#> expect gameFlag(1603) = 525
#> expect gameVar(150) = 1
#> expect gameFlag(1604) = 526
#> expect gameVar(151) = 0
#> expect gameFlag(1605) = 590
QO
QT 1
HE 54 2
HE 3 0
HE 5 0
HE 98 0
IE 1533 3
IE 1500 5
HE 100 1
SP 3
KO 1603
HH 150 100
QO
IE 1500 4
SP 3
KO 1604
HH 151 100
QO
IE 1534 1
SP 3
KO 1605

# Routine 34 offers 2..10, hides 10 without its story bits, and keeps the hidden set in 1526.
#> expect gameFlag(1606) = 513
#> expect gameFlag(1526) = 1
#> expect gameFlag(1510) = 0
IE 1510 5
QT 1023
SP 34
II 1606 1526
IE 1506 512
QT 1023
SP 34

# Routine 36: item 2 and 5/6 by the costume; 4 by the cabin story bits; 7 and 8 only hidden.
#> expect gameFlag(1607) = 997
#> expect gameFlag(1608) = 152
#> expect gameFlag(1609) = 130
QT 1023
HE 111 0
IE 1527 1
IE 1508 2
IE 1506 0
SP 36
KO 1607
QO
HE 111 6
IE 1527 0
IE 1508 258
IE 1509 1
SP 36
KO 1608
QO
HE 111 3
IE 1509 256
IE 1506 256
SP 36
KO 1609

# Routine 37: the sleep time in minutes; the kind of rest from callArg (8 - callArg above 4).
#> expect gameVar(97) = 120
#> expect gameVar(152) = 3
#> expect gameVar(100) = 2
HE 48 2
HE 47 3
SP 37
HH 152 100
HE 47 6
SP 37

# Routine 38.
#> expect gameFlag(1610) = 28
#> expect gameFlag(1611) = 6
QO
IE 1509 128
HE 85 0
HE 54 1
IE 1527 1
SP 38
KO 1610
QO
IE 1509 0
HE 85 22
HE 54 3
IE 1527 0
SP 38
KO 1611

# Routine 39: with nobody chosen, the crew present (1, 3 and 5) are offered; a chosen member
# becomes the member's bit.
#> expect gameFlag(1612) = 10
#> expect gameFlag(1613) = 4
QO
IE 910 0
HE 54 42
SP 39
KO 1612
IE 910 3
SP 39
II 1613 910

# Routine 94: all ten, less the pairs of the room variant.
#> expect gameFlag(1614) = 0
#> expect gameFlag(1615) = 144
#> expect gameFlag(1616) = 80
QT 1023
IE 1614 99
SP 94
KO 1614
IE 1358 1
HE 126 7
SP 94
KO 1615
HE 126 8
SP 94
KO 1616

# Routine 64: item 4 with company and no job held.
#> expect gameFlag(1617) = 1015
#> expect gameFlag(1618) = 8
QT 1023
HE 54 3
SP 64
KO 1617
QO
IE 870 1
SP 64
KO 1618
IE 870 0

# Routine 93 at place 5 (bit 256) for crew member 2. In group 2, entry 1360 is available, group 7
# has nothing available (another member's place, no place, used up for member 2), 1370 is
# available and 1372 is not: items 1 and 3 are offered, 2 and 4 stay hidden, the group stays.
#> expect gameFlag(1620) = 1018
#> expect gameFlag(1621) = 2
HE 1 5
IE 910 2
IE 1361 258
IE 1363 264
IE 1365 2
IE 1366 128
IE 1367 258
IE 1371 258
QO
IE 1359 2
SP 93
KO 1620
II 1621 1359
# The top group: group 2 through 1360, group 3 through 9 and 10 (1384, three levels down);
# nothing else.
#> expect gameFlag(1622) = 1020
#> expect gameFlag(1623) = 1
IE 1385 258
IE 1359 1
SP 93
KO 1622
II 1623 1359
# Nothing left below the top group: everything hidden and the group 0; group 0, 26 and the empty
# group 25 hide everything too, and only the top group is cleared.
#> expect gameFlag(1624) = 1023
#> expect gameFlag(1625) = 0
#> expect gameFlag(1626) = 1023
#> expect gameFlag(1627) = 1023
#> expect gameFlag(1628) = 1023
#> expect gameFlag(1629) = 25
IE 1361 0
IE 1371 0
IE 1385 0
QO
SP 93
KO 1624
II 1625 1359
QO
SP 93
KO 1626
QO
IE 1359 26
SP 93
KO 1627
QO
IE 1359 25
SP 93
KO 1628
II 1629 1359
# On the bridge the place bit is 32: in group 24 for member 16, 1486 is available, 1488 used
# up, 1490 for place 3 and 1492 for another member.
#> expect gameFlag(1630) = 1022
HE 1 1
IE 910 16
IE 1487 48
IE 1489 48
IE 1488 1024
IE 1491 80
IE 1493 40
IE 1359 24
SP 93
KO 1630

# Routine 69: item 1 always; 2 and 3 by the places open and the drive; 4 only with both; 5 and 6
# by the course.
#> expect gameFlag(1631) = 960
#> expect gameFlag(970) = 0
#> expect gameFlag(1632) = 1004
#> expect gameFlag(1633) = 1002
#> expect gameFlag(1634) = 1008
QO
IE 970 3
IE 31 2
HE 34 1
HE 36 9
SP 69
KO 1631
HE 34 0
HE 36 4
IE 852 4
SP 69
KO 1632
IE 31 0
HE 34 1
HE 36 6
IE 950 16
SP 69
KO 1633
IE 31 2
HE 34 2
HE 36 7
SP 69
KO 1634
IE 852 0
IE 950 0

# Routine 75, callArg 1, in room context 6 with the wave gun being fitted: item 7 is hidden at
# 16:00 and 08:59, offered at 09:00 and 15:59. A menu with some item left offers leaves gameVar
# 49 at 0; one with every item hidden counts them (7).
#> expect gameFlag(1635) = 97
#> expect gameFlag(1636) = 33
#> expect gameFlag(1637) = 97
#> expect gameFlag(1638) = 33
#> expect gameVar(153) = 0
#> expect gameVar(154) = 2
#> expect gameVar(155) = 7
HE 47 1
HE 40 6
HE 84 0
HE 45 1
IE 981 2
HE 43 960
QO
SP 75
KO 1635
HH 153 49
HH 154 41
HE 43 540
QO
SP 75
KO 1636
HE 43 539
QO
SP 75
KO 1637
HE 43 959
QO
SP 75
KO 1638
HE 40 0
IE 998 1
SP 75
HH 155 49
# callArg 2 in room context 4 with all jobs held and encounter stage 3; then every item hidden.
#> expect gameFlag(1639) = 211
#> expect gameVar(156) = 0
#> expect gameVar(157) = 3
#> expect gameVar(158) = 8
IE 998 0
HE 47 2
HE 40 4
IE 870 63
IE 982 3
QO
SP 75
KO 1639
HH 156 49
HH 157 41
IE 870 0
HE 40 1
IE 998 1
SP 75
HH 158 49
IE 998 0
# callArg above 2: items 1..4, 2 and 3 hidden at stage 3, else 4.
#> expect gameFlag(1640) = 1014
#> expect gameFlag(1641) = 1016
HE 47 3
QT 1023
SP 75
KO 1640
IE 982 0
QT 1023
SP 75
KO 1641

# Routine 72 does nothing unless the course is place 6; there it names the visit.
#> expect gameVar(159) = 3
#> expect gameVar(160) = 7
#> expect gameVar(115) = 7
#> expect gameVar(116) = 0
#> expect gameVar(111) = 8
#> expect gameVar(112) = 8
#> expect replyText(7) = "神山礼子"
#> expect replyText(8) = "ルフィ"
#> expect replyText(9) = "ルフィ・チェコフ"
HE 111 3
HE 116 4
HE 36 5
HE 108 1
IE 961 5
SP 72
HH 159 111
HE 36 6
SP 72
HH 160 111
HE 108 0
IE 961 6
SP 72
HE 108 2
SP 72

# Routines 91 and 92: the entry at flag 1700 unpacked into its three fields (and 1354..1359
# cleared), then packed again with a changed third field. On the bridge the counters decay by 0.9
# and 0.8 taken in single precision (10 x 0.9 is 9, where double precision would give 8), those
# of crew member 1 only when it is chosen; elsewhere by 0.6 and 0.4.
#> expect gameFlag(1351) = 43
#> expect gameFlag(1352) = 672
#> expect gameFlag(1353) = 5
#> expect gameFlag(1359) = 0
#> expect gameFlag(1642) = 6
#> expect gameFlag(1700) = 10933
#> expect gameVar(161) = 9
#> expect gameVar(162) = 8
#> expect gameVar(163) = 90
#> expect gameVar(164) = 5
#> expect gameVar(165) = 50
#> expect gameVar(170) = 5
#> expect gameVar(171) = 3
#> expect gameVar(172) = 30
#> expect gameVar(173) = 4
#> expect gameVar(174) = 90
#> expect gameVar(175) = 5
IE 1350 1700
IE 1700 12981
IE 1359 5
SP 91
II 1642 1353
IE 1353 5
HE 1 1
IE 910 1
HE 63 10
HE 66 10
HE 64 100
HE 67 7
HE 65 50
HE 68 10
SP 92
HH 161 63
HH 162 66
HH 163 64
HH 164 67
HH 165 65
HE 1 5
IE 910 2
SP 92
HH 170 63
HH 171 66
HH 172 65
HH 173 68
HH 174 64
HH 175 67

# Routine 74: 5.5 minutes passed; halved after rounding (6 \ 2 = 3) for the first counters of
# crew members 1 and 2, whole for the others.
#> expect gameVar(166) = 3
#> expect gameVar(167) = 35.5
#> expect gameVar(168) = 95.5
#> expect gameVar(169) = 3
HE 43 1000
HE 120 994.5
HE 14 0
HE 9 0
SP 74
HH 166 14
HH 167 65
HH 168 64
HH 169 9
# With visitor 2 the second crew member's counters go on (once and twice the time) and, from
# story bit 16 on, the heroine's and the first crew member's counters fall by twice her duty
# less her place, not below 0; she is then on the bridge.
#> expect gameVar(14) = 8.5
#> expect gameVar(4) = 92
#> expect gameVar(63) = 0
#> expect gameVar(9) = 0
#> expect gameVar(1) = 1
#> expect gameVar(2) = 1
IE 961 2
IE 950 16
HE 4 100
HE 2 5
HE 1 1
SP 74
END
