// Holds one reference on a reference-counted command target for a scope, so that code which may
// release the object's last other reference (a command, a loop) does not free it underneath.
#pragma once

#include "platform/framework/CmdTarget.h"

class CQorCmdTargetReference
{
public:
    explicit CQorCmdTargetReference(CCmdTarget* pTarget) : m_pTarget(pTarget)
    {
        if (m_pTarget)
            m_pTarget->InternalAddRef();
    }
    ~CQorCmdTargetReference()
    {
        if (m_pTarget)
            m_pTarget->InternalRelease();
    }
    CQorCmdTargetReference(const CQorCmdTargetReference&) = delete;
    CQorCmdTargetReference& operator=(const CQorCmdTargetReference&) = delete;

private:
    CCmdTarget* m_pTarget;
};
