[playlist]
NumberOfEntries=3
file1=x.mp3
Title1=Station X
FILE3=\music\b.mp3
title3=  
File=
Title=no number
file2
File5=http://host/stream
Length5=-1
TITLE5=Jazz, Blues & More
Version=2
