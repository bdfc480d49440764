#include "tests/reader/ResourceModule.h"

namespace readertest {

namespace {

std::wstring TempFileName()
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    wchar_t file[MAX_PATH] = {};
    GetTempFileNameW(folder, L"rsm", 0, file);
    std::wstring path = file;
    DeleteFileW(file);
    return path + L".exe";
}

bool IsDecimal(const std::wstring& text)
{
    if (text.empty())
        return false;
    for (wchar_t c : text)
        if (c < L'0' || c > L'9')
            return false;
    return true;
}

} // namespace

ResourceModule::~ResourceModule()
{
    if (m_module != nullptr)
        FreeLibrary(m_module);
    if (!m_path.empty())
        DeleteFileW(m_path.c_str());
}

bool ResourceModule::Create(const std::vector<ResourceItem>& items, const std::wstring& source, bool load)
{
    std::wstring from = source;
    if (from.empty()) {
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        from = self;
    }
    m_path = TempFileName();
    if (!CopyFileW(from.c_str(), m_path.c_str(), FALSE))
        return false;
    HANDLE update = BeginUpdateResourceW(m_path.c_str(), FALSE);
    if (update == nullptr)
        return false;
    for (const ResourceItem& item : items) {
        LPCWSTR name = IsDecimal(item.name) ? MAKEINTRESOURCEW(_wtoi(item.name.c_str())) : item.name.c_str();
        if (!UpdateResourceW(update, item.type.c_str(), name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                             const_cast<char*>(item.bytes.data()), static_cast<DWORD>(item.bytes.size()))) {
            EndUpdateResourceW(update, TRUE);
            return false;
        }
    }
    if (!EndUpdateResourceW(update, FALSE))
        return false;
    if (load) {
        m_module = LoadLibraryExW(m_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (m_module == nullptr)
            return false;
    }
    return true;
}

} // namespace readertest
