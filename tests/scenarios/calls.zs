# Nested calls: the eleventh call overwrites the deepest slot; returns unwind to slot 0.
#> expect gameFlag(1) = 13
#> expect returnDepth = 0
#> expect gameFlag(2) = 1
#> max-records 200
SJ :deeper
IE 2 1
END
label deeper
AI 1 + T1 I1
FI 1 < T13 S:deeper
SE
