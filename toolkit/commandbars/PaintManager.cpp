#include "toolkit/commandbars/PaintManager.h"

CQorPaintManager::CQorPaintManager() : m_bEnableAnimation(FALSE) {}

CQorPaintManager::~CQorPaintManager() = default;

CQorPaintManager* GetGlobalPaintManager()
{
    static CQorPaintManager* s_pPaintManager = new CQorPaintManager;
    return s_pPaintManager;
}
