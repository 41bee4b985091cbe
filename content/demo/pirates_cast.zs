# The crew members chapter four speaks with that cast.zs does not declare yet, by the aliases of
# the ship's full crew. They stand on speaker numbers the crew leaves free; when cast.zs declares
# them, this file and its include go.
speaker 8 鈴華 voice 6 as rinka
speaker 9 スコット voice 5 as scott
speaker 10 東郷 voice 3 as togo
speaker 11 サハロフ voice 7 as sakharov
