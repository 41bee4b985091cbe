# A save keeps the scene title and whether a picture is current; a load brings back exactly that.
include "../../content/demo/cast.zs"
#
# Message 一 under VL 3 2 with picture 1: saved into slot 1 through the option menu.
#> click 610 360
#> click 500 90
#> click 500 78
#> click 500 300
# Message 二 after CG: the scene is closed, no picture is current. Saved into slot 2.
#> click 610 360
#> click 500 90
#> click 500 98
#> click 500 300
# Message 三 under VL 1 0 with picture 2 shown: load slot 2.
#> check-pixel 320 135 0C1437
#> click 610 360
#> click 500 50
#> click 500 98
# Slot 2 held no current picture: the scene is closed again (the shutter's tile), not picture 1,
# and the caption is left as it was; message 二 shows again. Then load slot 1.
#> check-pixel 320 135 142048
#> check-pixel 5 5 142048
#> click 610 360
#> click 500 50
#> click 500 78
# Slot 1: picture 1 and the saved version in the caption; message 一 shows again.
#> check-pixel 320 135 060916
#> close
#> expect shown text 1..1
#> expect windowTitle = "SYSTEM Ver4.6  Ｚａｖ３ＡＤＶ Ｑｕｏｒｎ　シナリオ Ver.3 Lev.2"
#> expect sceneTitle = "シナリオ Ver.3 Lev.2"
#> expect currentPicture = 1
VL 3 2
say face mina/01/00 pic 1
  一
end
CG
say face mina/01/00
  二
end
VL 1 0
KG 2
say face mina/01/00
  三
end
END
