# A skip log that cannot be written (here a folder stands where the log would be) is reported
# once as a warning and the game goes on: the skipped messages are shown, skip mode ends and the
# next message waits for its click as always; no error box, and the run ends normally.
include "../../content/demo/cast.zs"
#> rclick 100 100
#> rclick 100 100
#> click 500 55
#> expect shown warning: the skip log * cannot be written (error 75: *); the game goes on without it
#> expect not-shown box *
#> expect shown text 3..3
#> expect exit 0
VL 1 0
HE 48 1
SP 104
say face mina/01/00 pic 1
  書けない記録。
end
say face kuga/01/00
  もう一つ。
end
SP 105
say face mina/01/00
  それでも続きます。
end
END
