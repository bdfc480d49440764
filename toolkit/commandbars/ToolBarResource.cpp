#include "toolkit/commandbars/ToolBarResource.h"

namespace {

const WORD kToolBarVersion = 1;
const DWORD kHeaderBytes = 4 * sizeof(WORD);

} // namespace

BOOL QorReadToolBarResource(HMODULE hModule, UINT nIDResource, QOR_TOOLBAR_RESOURCE& toolBar)
{
    if (nIDResource == 0 || hModule == nullptr)
        return FALSE;
    HRSRC hResource = ::FindResourceW(hModule, MAKEINTRESOURCEW(nIDResource), QOR_RT_TOOLBAR);
    if (hResource == nullptr)
        return FALSE;
    const DWORD nBytes = ::SizeofResource(hModule, hResource);
    HGLOBAL hData = ::LoadResource(hModule, hResource);
    const WORD* pWords = hData != nullptr ? static_cast<const WORD*>(::LockResource(hData)) : nullptr;
    // The count is checked against the resource's real size before a single id is read.
    if (pWords == nullptr || nBytes < kHeaderBytes || pWords[0] != kToolBarVersion)
        return FALSE;
    const DWORD nCount = pWords[3];
    if (kHeaderBytes + nCount * sizeof(WORD) > nBytes)
        return FALSE;
    QOR_TOOLBAR_RESOURCE result;
    result.nWidth = pWords[1];
    result.nHeight = pWords[2];
    result.ids.assign(pWords + 4, pWords + 4 + nCount);
    toolBar = std::move(result);
    return TRUE;
}
