# windows/frmEdit.cpp
# a line's look leaves out its fault, so a fixed line keeps its refusal mark
s/return (Fault(nLine).isEmpty() ? 0 : 1) | (IsFillerTail(nLine) ? 2 : 0);/return IsFillerTail(nLine) ? 2 : 0;/
