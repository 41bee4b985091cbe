# Conditions jump, call or run a routine; the operator marks are searched in order.
#> expect gameFlag(1) = 0
#> expect gameFlag(2) = 1
#> expect gameFlag(3) = 1
#> expect gameFlag(4) = 0
#> expect shown routine 33
#> expect not-shown routine 34
HE 5 2.6
# 2.6 rounds to 3
IF 5 <= T3 J:le_holds
IE 1 1
label le_holds
IE 10 5
# read as "<"
FI 10 "= <" T6 J:lt_holds
IE 4 1
label lt_holds
IE 2 1
IE 11 6
# all bits of 6: a call
FI 11 A T6 S:all_bits
# no bit 1 in 6: routine 33
FI 11 N+ T1 R33
# some bit of 1 in 6: false
FI 11 A+ T1 R34
END
label all_bits
IE 3 1
SE
