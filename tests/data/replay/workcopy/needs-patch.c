first line of needs-patch.c
second line
third line
