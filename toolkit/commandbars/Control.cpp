#include "toolkit/commandbars/Control.h"

IMPLEMENT_DYNCREATE(CQorControl, CCmdTarget)

CQorControl::CQorControl() : m_pParent(nullptr) {}

CQorControl::~CQorControl() = default;

void CQorControl::OnCustomizeDragOver(CQorControl*, CPoint) {}
