#include "toolkit/commandbars/ControlSimple.h"

IMPLEMENT_DYNCREATE(CQorControlLabel, CQorControl)
IMPLEMENT_DYNCREATE(CQorControlCheckBox, CQorControlButton)
IMPLEMENT_DYNCREATE(CQorControlRadioButton, CQorControlCheckBox)
