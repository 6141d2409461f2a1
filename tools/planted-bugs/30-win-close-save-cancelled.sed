# windows/CPanelWindow.cpp
# closing with changed work closes even when the save it asked for was cancelled
s/case QMessageBox::Save: return oMain_.SaveStateChosen();/case QMessageBox::Save: oMain_.SaveStateChosen(); return true;/
