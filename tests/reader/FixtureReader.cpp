#include "tests/reader/FixtureReader.h"
#include <windows.h>
#include "tests/common/WineTestSupport.h"

namespace readertest {

bool MakeFixtureReader(const bookpacker::CBookPacker& packer, const std::wstring& exePath)
{
    std::vector<BYTE> settings;
    if (!packer.BuildSettingsResource(settings))
        return false;
    const std::wstring reader = testsupport::ExecutableFolder() + L"FolionyxReader.exe";
    if (!CopyFileW(reader.c_str(), exePath.c_str(), FALSE))
        return false;
    return bookpacker::EmbedBookInExecutable(exePath, settings, packer.PackedFiles());
}

} // namespace readertest
