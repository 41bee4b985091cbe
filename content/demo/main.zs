# The zav3 demo game.
VL 1 0
END
