first line of up-to-date.c
second line
third line
