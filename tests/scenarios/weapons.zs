# The weapons through the routine table: the player 10000 km straight behind the enemy and
# flying towards it; aiming (79) gives direction code 4 (behind) and all three range bits, the
# wave gun (81 with fire code 5) then takes only the enemy's slow travel, and the plasma gun
# destroys it.
#> expect gameFlag(996) = 4
#> expect gameFlag(995) = 13
#> expect gameFlag(991) = 2
#> expect gameFlag(992) = 1
#> expect gameVar(150) = 2064
#> expect shown * 敵艦の補助エンジンに損害を与えた模様。
#> expect replyText(0) = "敵艦は完全に破壊されました。"
#> expect replyText(1) = ""
SP 26
DE 0 -10000
DE 1 0
DE 2 0
DE 4 0
DE 5 0
DE 6 0
SP 79
HE 37 5
SP 81
HI 150 992
say
  @0
end
HE 37 4
SP 81
END
