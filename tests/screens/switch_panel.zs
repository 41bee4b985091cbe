# The switch panel over a scene: its start loads the sheet CONCENT into P15, and drawing it puts
# each switch's button (25 x 25) and lamp (20 x 20) on the screen, unlit or lit by the switch.
# Then the sound cues of the blip file and the save prompt, which opens the save list only
# after a save request.
include "../../content/demo/cast.zs"
#> trace-media
#> click 500 55
# Switches 1 and 11 on (choices 1 and 10), the others off: button 1 (the green column 50) and
# lamp 1 lit, button 2 and lamp 2 dark, switch 11's master lamp lit.
#> snapshot panel_on.png
#> check-pixel 319 87 ADFFD8
#> check-pixel 377 106 FFFFFF
#> check-pixel 194 254 143353
#> check-pixel 194 212 15375A
#> check-pixel 113 141 FFB6AC
#> check-pixel 156 178 FFFFFF
#> click 500 55
# Switch 1 off again: its button and lamp are dark; switch 11 stays lit.
#> check-pixel 319 87 144521
#> check-pixel 377 106 164A24
#> check-pixel 156 178 FFFFFF
#> click 500 55
# The sound cues: row 1 and row 5 of the table play their byte ranges; no row plays nothing;
# each waits for the end through the music control.
#> expect shown media * PLAY WAV1 FROM 12000 TO 21999 -> 0
#> expect shown media * PLAY WAV1 FROM 16000 TO 21999 -> 0
#> expect shown media 12 status WAV1 mode -> 0 "playing"
#> expect not-shown media * PLAY WAV1 FROM 0 TO *
# The save prompt without a request: no list, the scene is still there.
#> check-pixel 526 32 03030A
#> click 500 55
# After the request: the save list (its frame at the top), left with "キャンセル".
#> check-pixel 526 32 A8DC79
#> click 500 55
#> check-pixel 526 32 03030A
#> click 500 55
#> expect shown text 4..4
#> expect shown save menu
VL 1 0
say face mina/01/00 pic 1
  配電盤です。
end
SP 108
HE 37 1
SP 109
HE 37 10
SP 109
SP 110
say
  スイッチを入れました。
end
HE 37 1
SP 109
SP 110
say
  一つ切りました。
end
HE 129 1
SP 102
HE 129 5
SP 102
HE 129 0
SP 102
SP 50
say
  保存しますか。
end
SP 49
SP 50
say
  おわり。
end
END
