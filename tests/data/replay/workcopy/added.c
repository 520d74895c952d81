a new file
