# Speech-style endings: the set follows the face source entry of the character in flag 48, less
# one; entries 0 and 1, and those past set 5, fall back to set 1. Each message shows the ten
# endings in order, five to a line.
#> max-records 200
# Speaker 3 uses the faces of speaker 4: set 3.
#> expect shown 1 [000000] たわ。るわ。ないわ。です。ないわよ。
#> expect shown 2 [000000] くれませんか。でしょ。ですか？のよ。のね？
Y 3 4
HE 48 3
SP 22
say
  @0@1@2@3@4
  @5@6@7@8@9
end
# Entry 0 (never set) and entry 1: set 1.
#> expect shown 3 [000000] ました。ます。ません。です。ありませんよ。
#> expect shown 4 [000000] ください。でしょ。ですか？の。の？
#> expect shown 5 [000000] ました。ます。ません。です。ありませんよ。
#> expect shown 6 [000000] ください。でしょ。ですか？の。の？
HE 48 9
SP 22
say
  @0@1@2@3@4
  @5@6@7@8@9
end
Y 5 1
HE 48 5
SP 22
say
  @0@1@2@3@4
  @5@6@7@8@9
end
# Entry 3: set 2, set 1's twin with its own emphatic, request and explanation forms.
#> expect shown 7 [000000] ました。ます。ません。です。ないわよ。
#> expect shown 8 [000000] くれない。でしょ。ですか？んです。んですね？
Y 6 3
HE 48 6
SP 22
say
  @0@1@2@3@4
  @5@6@7@8@9
end
# Entries 5 and 6: sets 4 and 5, the last; entry 7 is past them and falls back to set 1.
#> expect shown 9 [000000] たぜ。るぜ。ないぜ。だ。ないぜ。
#> expect shown 10 [000000] くれ。だろ。か？んだ。んだな？
#> expect shown 11 [000000] ましたわ。ますわ。ませんわ。ですわ。ありませんわ。
#> expect shown 12 [000000] くださらないかしら。じゃありませんか。かしら？のですわ。んですのね？
#> expect shown 13 [000000] ました。ます。ません。です。ありませんよ。
#> expect replyText(9) = "の？"
Y 7 5
HE 48 7
SP 22
say
  @0@1@2@3@4
  @5@6@7@8@9
end
Y 8 6
HE 48 8
SP 22
say
  @0@1@2@3@4
  @5@6@7@8@9
end
Y 10 7
HE 48 10
SP 22
say
  @0@1@2@3@4
end
END
