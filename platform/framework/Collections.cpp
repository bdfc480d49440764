#include "platform/framework/Collections.h"
#include "platform/framework/Exceptions.h"

namespace framework_collections {

void ThrowInvalidIndex()
{
    AfxThrowInvalidArgException();
}

namespace {

// Multiply-by-33 string hash over the code units.
template <typename XCHAR> UINT HashText(const XCHAR* text)
{
    UINT hash = 0;
    if (text) {
        for (; *text; ++text)
            hash = (hash << 5) + hash + static_cast<std::make_unsigned_t<XCHAR>>(*text);
    }
    return hash;
}

} // namespace
} // namespace framework_collections

template <> UINT HashKey<LPCWSTR>(LPCWSTR key)
{
    return framework_collections::HashText(key);
}
template <> UINT HashKey<LPCSTR>(LPCSTR key)
{
    return framework_collections::HashText(key);
}
template <> UINT HashKey<const CString&>(const CString& key)
{
    return framework_collections::HashText(key.GetString());
}
template <> UINT HashKey<const CStringA&>(const CStringA& key)
{
    return framework_collections::HashText(key.GetString());
}

IMPLEMENT_DYNAMIC(CByteArray, CObject)
IMPLEMENT_DYNAMIC(CWordArray, CObject)
IMPLEMENT_DYNAMIC(CDWordArray, CObject)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_DYNAMIC(CObArray, CObject)
IMPLEMENT_DYNAMIC(CStringArray, CObject)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_DYNAMIC(CObList, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapStringToString, CObject)
