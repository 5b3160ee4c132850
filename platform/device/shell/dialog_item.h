#pragma once

class QWidget;

// Controls by id. Controls of a dialog template are found through their window's ControlHost;
// controls a window creates at run time carry the id given to SetDlgCtrlID.

void SetDlgCtrlID(QWidget* control, int id);

// The child of `parent` with control id `id`; null when there is none.
QWidget* FindDlgItem(QWidget* parent, int id);
