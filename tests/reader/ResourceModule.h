// A throw-away copy of a program with resources of the test's choosing, for code
// that reads its data from a module's resources.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace readertest {

struct ResourceItem
{
    std::wstring type;
    std::wstring name; // a decimal name is stored as a number id
    std::string bytes;
};

class ResourceModule
{
public:
    ResourceModule() = default;
    ~ResourceModule();
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    // Copies `source` (default: this test executable) to a temporary file, adds
    // or replaces the given resources, and (when `load`) maps it as a data file.
    bool Create(const std::vector<ResourceItem>& items, const std::wstring& source = L"", bool load = true);
    HMODULE Handle() const { return m_module; }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
    HMODULE m_module = nullptr;
};

} // namespace readertest
