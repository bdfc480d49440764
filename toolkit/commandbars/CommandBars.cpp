#include "toolkit/commandbars/CommandBars.h"

#include "toolkit/commandbars/Control.h"

CQorCommandBars::CQorCommandBars()
    : m_pActions(new CQorControlActions(this)), m_bEnableActions(FALSE), m_bCustomizeMode(FALSE), m_bCustomizable(TRUE),
      m_hWndSite(nullptr)
{}

CQorCommandBars::~CQorCommandBars()
{
    m_pActions->RemoveAll();
    m_pActions->InternalRelease();
}
