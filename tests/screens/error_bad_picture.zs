# A scene picture whose bitmap and ".cmp" copy are both broken (a header cut short, then an
# absurd width) ends the game through the system error box with the invalid-picture number 481,
# as a missing one does with 53; it is never a crash.
include "../../content/demo/cast.zs"
#> expect exit 1
#> expect shown box システムエラー: *行で、エラー番号 481が発生しました -> ok
VL 1 0
say face mina/01/00 pic 78
  壊れた絵です。
end
END
