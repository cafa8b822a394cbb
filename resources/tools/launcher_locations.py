# Placeholder for the launcher and settings script of a real installation.
# The stand-in interpreter in private/tools/python314 recognises this file by its name
# and plays the script itself; the content of this file is not read.
