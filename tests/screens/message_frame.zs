# A spoken message on the real screen: the scene picture, the face in its frame and the text.
include "../../content/demo/cast.zs"
# While the two lines wait for the click: the text field's dark blue, the face frame's edge and
# scene picture 1 of the demo.
#> check-pixel 400 420 0B1434
#> check-pixel 12 372 6D83BC
#> check-pixel 320 100 090918
#> click 500 55
#> expect shown text 1..2
VL 1 0
say face mina/01/00 pic 1
  一行目です。
  二行目です。
end
END
