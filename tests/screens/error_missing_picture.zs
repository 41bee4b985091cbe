# A scene picture that is in neither form ends the game through the system error box with a line
# number and the file-not-found number 53; then the end handler closes the sound, music and
# movie devices.
include "../../content/demo/cast.zs"
#> trace-media
#> expect exit 1
#> expect shown box システムエラー: *行で、エラー番号 53が発生しました -> ok
#> expect shown media 11 CLOSE WAV1 -> 0
#> expect shown media 12 close MID_M *
#> expect shown media 13 close avideo *
VL 1 0
say face mina/01/00 pic 999
  ない絵です。
end
END
