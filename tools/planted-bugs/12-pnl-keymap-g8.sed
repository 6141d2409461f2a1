# panel/CKeyTable.cpp
# g 8 runs e^x instead of 10^x in RUN mode
s/{E(), I("LOG"), I("10^X"), I("RV")}/{E(), I("LOG"), I("E^X"), I("RV")}/
