# Typing blips and faces of the message window. Every speaker here has voices of its own, so
# the blip commands (slots v x 1000 + 1 to + 850, alternating with v + 1) tell who typed:
# punctuation and the full-width blank type silently, and so does a face whose expression ends
# in 5 (after which a sound effect is not played either). A face is drawn only when its code
# differs from the one on show.
include "../../content/demo/cast.zs"
speaker 8 ナナ voice 8 as nana
speaker 9 ハチ voice 5 as hachi
speaker 10 クク voice 9 as kuku
#> trace-media
# Speaker 8 has no face picture: the empty frame is shown with the face code written at its top
# left (a white pixel of the first "0"), and the frame's dark inside where a face would be.
#> snapshot missing_face.png
#> check-pixel 19 310 FFFFFF
#> check-pixel 60 400 0C1537
#> auto-click 500 55 20
#> max-records 100
VL 1 0
# Only punctuation: not a blip of voice 8 (nor of 9, the other slot).
#> expect not-shown media 11 PLAY WAV1 FROM 8001 TO 8850 -> 0
#> expect not-shown media 11 PLAY WAV1 FROM 9001 TO 9850 -> 0
say face nana/01/00 pic 1
  『』、。・！？　
end
# Two sounding characters around a comma: one blip from each slot of voice 5.
#> expect shown media 11 PLAY WAV1 FROM 5001 TO 5850 -> 0
#> expect shown media 11 PLAY WAV1 FROM 6001 TO 6850 -> 0
#> expect shown media 11 STOP WAV1 -> 0
say face hachi/01/00
  あ、い
end
# Expression 05: a silent line, whatever it says.
#> expect not-shown media 11 PLAY WAV1 FROM 9001 TO 9850 -> 0
#> expect not-shown media 11 PLAY WAV1 FROM 10001 TO 10850 -> 0
say face kuku/05/00
  かきくけこ
end
# The face on show stays: the same code on the next message, on the next line of a message and
# through costume FF (speaker 1 with its own faces, in its remembered costume 00) draws nothing;
# a new code is drawn, and after the window and face are cleared the same code is drawn again.
#> expect shown face 010100 for record 4
#> expect not-shown face 010100 for record 5
#> expect not-shown face 010100 for record 6
#> expect not-shown face 010100 for record 7
#> expect shown face 010200 for record 8
#> expect shown face 010200 for record 9
say face mina/01/00
  一つ目
end
say face mina/01/00
  同じ顔
  次の行も同じ顔
end
Y 1 1
say face mina/01/FF
  覚えた衣装の同じ顔
end
say face mina/02/00
  別の顔
end
CK
say face mina/02/00
  消した後の同じ顔
end

# Face codes are resolved before they are compared and drawn: costume FF takes the speaker whose
# faces are borrowed and that speaker's remembered costume (speaker 0 borrows speaker 2's, worn
# in costume 03); a costume flag puts its value in place of the costume; 000000 takes the
# defaults set by MA, HY and FK.
#> expect shown face 020103 for record 10
#> expect shown face 040107 for record 11
#> expect shown face 030200 for record 12
Y 0 2
FU 2 3
say face 0001FF
  借りた顔
end
FS 4 70
HE 70 7
say face scott/01/00
  衣装は旗から
end
MA 03
HY 02
FK 00
say
  決まりの顔
end

# A sound effect right after a silent line is not played; after a sounding line it is.
#> expect not-shown sound 1
#> expect shown sound 2
say face kuku/05/00
  けこ
end
SU 1
say face hachi/01/00
  う
end
SU 2
END
