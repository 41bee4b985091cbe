# Skip mode writes every skipped message into the skip log SKIPメッセージ.TXT of the working
# folder, in Shift-JIS: an empty line and the speaker's name in brackets when the face changes,
# then the text line by line (ソ holds a backslash as its second byte). Switching skip mode on again starts the log anew; lines skipped
# after the log was closed (skip mode set by the script alone) are appended to it. The log must
# end as skip_log.expected/SKIPメッセージ.TXT holds it.
include "../../content/demo/cast.zs"
# A message before skip mode, then one event per skipped message (a right click does not leave
# skip mode).
#> click 500 55
#> rclick 100 100
#> rclick 100 100
#> rclick 100 100
#> rclick 100 100
#> click 500 55
#> expect shown text 7..7
#> expect gameVar(132) = 0
VL 1 0
say face mina/01/00 pic 1
  記録の前です。
end
HE 48 1
SP 104
say face kuga/01/00
  最初の記録は
  消えます。
end
SP 105
SP 104
say face togo/01/00
  ソナーの新しい記録。
end
say face togo/01/00
  同じ顔です。
end
SP 105
HE 132 30
say face beverly/01/00
  あとから足した行。
end
HE 132 0
SP 105
say face mina/01/00
  おわり。
end
END
