#include "toolkit/commandbars/CommandBars.h"

#include "toolkit/commandbars/CommandBarsOptions.h"
#include "toolkit/commandbars/Control.h"
#include "toolkit/commandbars/CustomizeDropSource.h"

CQorCommandBars::CQorCommandBars()
    : m_pActions(new CQorControlActions(this)), m_bEnableActions(FALSE), m_bCustomizeMode(FALSE), m_bCustomizable(TRUE),
      m_hWndSite(nullptr), m_pDragControl(nullptr), m_pDropSource(nullptr),
      m_pOptions(new CQorCommandBarsOptions(this))
{}

CQorCustomizeDropSource* CQorCommandBars::GetDropSource()
{
    if (!m_pDropSource)
        m_pDropSource = new CQorCustomizeDropSource(this);
    return m_pDropSource;
}

CQorCommandBars::~CQorCommandBars()
{
    m_pActions->RemoveAll();
    m_pActions->InternalRelease();
    delete m_pDropSource;
    m_pOptions->InternalRelease();
}
