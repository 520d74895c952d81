first line of modified.c
second line
third line
locally modified
