# Arithmetic, copies and bit operations on the three kinds of variables.
#> expect gameVar(1) = 7
#> expect gameVar(2) = 21
#> expect gameFlag(1) = 8
#> expect gameFlag(2) = 15
#> expect shipState(2) = .375
#> expect gameFlag(3) = 2
#> expect gameFlag(4) = 4
#> expect gameVar(9) = 0
#> expect exit 0
HE 1 10
# the later mark wins: 10 - 3
AH 1 +- T3 H1
# B keeps its value (3): 7 * 3
AH 1 * X H2
IE 1 12
# 12 AND 10
AI 1 A T10 I1
IE 2 12
# 12 OR 3
AI 2 R T3 I2
DE 1 1.5
AD 1 / T4 D2
HE 5 2.5
# 2.5 rounds to even: 2
IH 3 5
HE 6 3.5
# 3.5 rounds to 4
IH 4 6
# an unknown destination stores nothing
AH 1 + T1 Q9
END
