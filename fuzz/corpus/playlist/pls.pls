[playlist]
NumberOfEntries=3
File1=/music/a.mp3
Title1=A
File2=b.mp3
file3=  spaced.mp3  
FileX=
Length1=60
Version=2
