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

// Makes pHeld the new target, holding a reference on it, and lets go of the one held before
// (either may be null).
template <class T> void QorReplaceHeldReference(T*& pHeld, T* pNew)
{
    if (pNew)
        pNew->InternalAddRef();
    if (pHeld)
        pHeld->InternalRelease();
    pHeld = pNew;
}
