#include "reader/app/LanguageModule.h"
#include "reader/app/FileUtil.h"

HMODULE ExtractLanguageModule(HMODULE source, LANGID language, const CString& folder)
{
    CString name;
    // The modules are numbered resources; "#" addresses a resource by its number.
    name.Format(L"#%u", static_cast<unsigned>(language));
    HRSRC info = FindResourceW(source, name, L"LANGUAGES");
    if (info == nullptr)
        return nullptr;
    HGLOBAL handle = LoadResource(source, info);
    const void* bytes = handle != nullptr ? LockResource(handle) : nullptr;
    if (bytes == nullptr)
        return nullptr;
    CString path;
    path.Format(L"%s%lu.tmp", static_cast<LPCWSTR>(folder), static_cast<unsigned long>(GetTickCount()));
    if (!WriteBytesToFile(path, bytes, SizeofResource(source, info)))
        return nullptr;
    return LoadLibraryW(path);
}
