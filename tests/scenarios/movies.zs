# Without a movie folder a movie record shows its still picture (mode 1) or goes straight on
# (mode 2), and flag 99 says that the movie was not played.
#> expect gameVar(99) = 1
#> expect shown picture 11
#> expect not-shown picture 13
MG 3 10 11 1
MG 4 12 13 2
END
