# A scenario with one of each fault zavc lint finds; lint_faults.expected holds its report.
# It is only checked, never played. The record numbers in the comments count from 1.
speaker 1 ミナ as mina

# Records 1..6: a choice whose options all keep the list open; one runs a routine that does
# not exist.
choice
  option 考える keep first think
  option 待つ back first think routine 120
end
entry 300 = 5

SJ 300                      # into the choice block above
SJ 77                       # no label or entry defines 77
SP 35
IF 5 = T1 R111
IF 5 = T1 4                 # runs routine 0: the first character is not read
SP 0

# Insert 2 makes the first line too wide; nothing fills slot 5 before the second.
insert 2 "とても長い乗員の名前です"
say
  乗員の@2さんは、もう休みました。
  @5を確認してください。
end
say size big
  大きな文字では長すぎる一行です。
end

list
  乗員　@2
  船長　@4
end

# Routine 10 fills slot 0 only.
SP 10
say
  針路は@0、到着は@3です。
end

# Files the demo's game folder does not have.
KG 999
SU 99
MU 98
MG 97 0 0 0
say face mina/09/09 pic 998
  見えない顔です。
end

# Eleven options: the last is never offered.
choice
  option 一 leave
  option 二 leave
  option 三 leave
  option 四 leave
  option 五 leave
  option 六 leave
  option 七 leave
  option 八 leave
  option 九 leave
  option 十 leave
  option 十一 leave
end

J :tail
CG                          # after J, with no label: never runs
label tail
W 1
END
label orphan
SE

message think
  考え中。
end
