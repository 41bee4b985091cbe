# The option menu of the message click wait on the real screen: it opens from the MENU button
# of the message frame (x 597..625, y 304..432), shows the panel at 438, 10, draws a pressed
# button from OPTION2 and an up one from OPTION1, keeps the toggle buttons down, changes and
# limits textDelay, and gives the screen back when it closes.
include "../../content/demo/cast.zs"
#
# A panel point (x, y) lies on the screen at (438 + x, 10 + y). The points checked, inside the
# buttons and off their lettering: +1 at 550, 202; music off / on at 462, 124 / 519, 124; typing
# sound off at 462, 164; the title at 481, 13; close at 481, 295.
#
# The scene and the message frame where the panel will lie.
#> check-pixel 550 202 BD6232
#> check-pixel 438 10 020308
#> check-pixel 587 309 142050
#> check-pixel 481 295 B0C8F9
# Just left of the button: the click goes on with the game.
#> click 596 304
# Its top left corner opens the menu: music on and typing sound on are down (a new game
# presses them), the other buttons up; the speed display shows 200 (the foot of the 2).
#> click 597 304
#> check-pixel 505 216 FFFFFF
#> check-pixel 438 10 A8BFEF
#> check-pixel 481 13 475E92
#> check-pixel 550 202 6585C0
#> check-pixel 462 124 617FB9
#> check-pixel 519 124 0D1A3A
#> check-pixel 462 164 617FB9
#> check-pixel 519 164 0D1A3A
#> check-pixel 481 295 617FB9
# textDelay + 1, pressed on the button's top left corner: down while held, up when released.
#> press 548 200
#> check-pixel 550 202 101E3D
#> release 548 200
#> check-pixel 550 202 6585C0
# Its bottom right corner is still the button (202); one pixel right of it is nothing.
#> click 567 224
#> click 568 212
# The title does nothing: the panel stays.
#> press 481 13
#> check-pixel 481 13 0E1B3C
#> release 481 13
#> check-pixel 481 13 475E92
#> check-pixel 438 10 A8BFEF
# Music off stays down after the release and puts music on up; music on goes down and puts
# music off up again.
#> press 462 124
#> check-pixel 462 124 0D1A3A
#> release 462 124
#> check-pixel 462 124 0D1A3A
#> check-pixel 519 124 617FB9
#> click 519 124
#> check-pixel 519 124 0D1A3A
#> check-pixel 462 124 617FB9
# Typing sound off.
#> click 462 164
#> check-pixel 462 164 0D1A3A
#> check-pixel 519 164 617FB9
# textDelay from 202: - 100 three times stops at 0; + 1 five times; - 10 from 5 gives 0;
# + 10; + 100 nine times stops at 900; + 1 stays 900; - 1 leaves 899.
#> click 470 265
#> click 470 265
#> click 470 265
#> click 550 212
#> click 550 212
#> click 550 212
#> click 550 212
#> click 550 212
#> click 470 240
#> click 550 240
#> click 540 265
#> click 540 265
#> click 540 265
#> click 540 265
#> click 540 265
#> click 540 265
#> click 540 265
#> click 540 265
#> click 540 265
#> click 550 212
#> click 465 212
# The speed display shows 899: the middle strokes of the two 9s are lit, and the foot of the 2
# of 200 is gone.
#> check-pixel 510 209 FFFFFF
#> check-pixel 518 209 FFFFFF
#> check-pixel 505 216 20222A
# Close: the screen under the panel is back.
#> click 481 295
#> check-pixel 550 202 BD6232
#> check-pixel 438 10 020308
#> check-pixel 587 309 142050
#> check-pixel 481 295 B0C8F9
# The same message still waits; a click goes on.
#> click 500 55
#> expect shown text 2..2
#> expect shown text 3..3
#> expect textDelay = 899
#> expect musicOption = 1
#> expect typingSoundOption = 0
VL 1 0
say face mina/01/00 pic 1
  メニューの外を押します。
end
say
  メニューを開きます。
end
say
  閉じました。
end
END
