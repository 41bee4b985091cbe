# The crew of the patrol ship Akatsuki.
speaker 1 ミナ voice 1 as mina
speaker 2 久我艦長 voice 2 as kuga
speaker 3 ソウタ voice 3 as sota
speaker 4 リサ voice 4 as risa
