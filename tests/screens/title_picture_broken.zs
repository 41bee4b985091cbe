# A title picture that cannot be read is left out with a warning: the title menu shows over the
# screen as start-up leaves it.
include "../../content/demo/cast.zs"
#> check-pixel 320 150 000000
#> click 500 55
say face mina/01/00
  はじめます。
end
END
