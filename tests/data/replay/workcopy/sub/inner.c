first line of sub/inner.c
second line
third line
