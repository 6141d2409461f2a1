# windows/dlgFile.cpp
# Select in the file dialog replaces a name the user typed with the highlighted file
s/if (!sFile.isEmpty() \&\& txtFilename->text().trimmed().isEmpty()) {/if (!sFile.isEmpty()) {/
