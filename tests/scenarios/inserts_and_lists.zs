# Insert texts of both forms and a list display that uses them.
#> expect replyText(1) = "艦長"
#> expect replyText(2) = "１２"

#> expect shown list 火星　　艦長 | 報告　　１２
insert 1 "艦長"
HE 5 -12
insert 2 H5
list
  火星　　@1
  報告　　@2
end
END
