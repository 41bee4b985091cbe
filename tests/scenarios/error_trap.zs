# A variable number beyond its table ends the game through the error box, and the run fails.
#> expect exit 1
#> expect gameFlag(1) = 1
IE 1 1
IE 2001 1
IE 1 2
END
