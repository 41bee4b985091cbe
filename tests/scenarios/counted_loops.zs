# Counted loops run their body once before they first test their bound: a pause of 0 steps still
# pauses once, and a list display of 0 lines still takes the next record as its one line.
#> max-records 40
#> expect shown pause 100
#> expect shown list ただひとつ
#> expect gameVar(1) = 1
W 0
H 0
record "ただひとつ＾"
HE 1 1
END
