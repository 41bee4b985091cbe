# A scene picture that is in neither form ends the game through the system error box with a line
# number and the file-not-found number 53.
include "../../content/demo/cast.zs"
#> expect exit 1
#> expect shown box システムエラー: *行で、エラー番号 53が発生しました -> ok
VL 1 0
say face mina/01/00 pic 77
  ない絵です。
end
END
