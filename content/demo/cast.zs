# The crew of the patrol ship Akatsuki: the heroine, the five who keep the watches with her (in
# the order the ship's routines count them), and the captain.
speaker 1 ミナ voice 1 as mina
speaker 2 鈴華 voice 6 as rinka
speaker 3 ビバリー voice 4 as beverly
speaker 4 スコット voice 5 as scott
speaker 5 サハロフ voice 7 as sakharov
speaker 6 東郷 voice 3 as togo
speaker 7 久我艦長 voice 2 as kuga
