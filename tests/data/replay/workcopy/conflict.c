first line of conflict.c
<<<<<<< conflict.c
changed in this copy
=======
changed in the other copy
>>>>>>> 1.2
third line
