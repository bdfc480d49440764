// A name-based back end of the property exchange for tests: values are text under
// "section/name" keys of one map. Strings travel as they are, the whole-number kinds (I2, UI1,
// I4 and the rest read as int) as decimal text; a missing value is left as it was.
#pragma once

#include <stdlib.h>

#include <map>

#include "toolkit/foundation/PropExchange.h"

class CTextExchange : public CQorPropExchange
{
public:
    CTextExchange(std::map<CString, CString>& values, BOOL bLoading, const CString& prefix = CString())
        : m_values(values), m_prefix(prefix)
    {
        m_bLoading = bLoading;
    }

    BOOL ExchangeProp(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void*) override
    {
        OnBeforeExchange();
        CString key = m_prefix + pszPropName;
        if (!IsLoading()) {
            CString text;
            if (vtProp == QOR_PROP_STRING)
                text = *static_cast<const CString*>(pvProp);
            else
                text.Format(L"%d", ReadNumber(vtProp, pvProp));
            m_values[key] = text;
            return TRUE;
        }
        auto found = m_values.find(key);
        if (found == m_values.end())
            return FALSE;
        if (vtProp == QOR_PROP_STRING)
            *static_cast<CString*>(pvProp) = found->second;
        else
            WriteNumber(vtProp, pvProp, _wtoi(found->second));
        return TRUE;
    }

    CQorPropExchange* GetSection(LPCTSTR pszSection) override
    {
        CTextExchange* pSection = new CTextExchange(m_values, IsLoading(), m_prefix + pszSection + L"/");
        pSection->InheritFrom(*this);
        return pSection;
    }

private:
    static int ReadNumber(VARTYPE vtProp, const void* pvProp)
    {
        if (vtProp == QOR_PROP_I2)
            return *static_cast<const short*>(pvProp);
        if (vtProp == QOR_PROP_UI1)
            return *static_cast<const BYTE*>(pvProp);
        return *static_cast<const int*>(pvProp);
    }

    static void WriteNumber(VARTYPE vtProp, void* pvProp, int nValue)
    {
        if (vtProp == QOR_PROP_I2)
            *static_cast<short*>(pvProp) = static_cast<short>(nValue);
        else if (vtProp == QOR_PROP_UI1)
            *static_cast<BYTE*>(pvProp) = static_cast<BYTE>(nValue);
        else
            *static_cast<int*>(pvProp) = nValue;
    }

    std::map<CString, CString>& m_values;
    CString m_prefix;
};
