// PackBook: turns a book source (description file and the files it names) into
// the settings resource and the packed-file resource of the reader.
//
//   PackBook <description file> <settings output> <packed files output>
#include "books/packer/BookDescription.h"
#include <stdio.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4) {
        fwprintf(stderr, L"usage: PackBook <description file> <settings output> <packed files output>\n");
        return 2;
    }
    bookpacker::CBookPacker packer;
    std::wstring error;
    if (!bookpacker::LoadBookDescription(argv[1], packer, error)) {
        fwprintf(stderr, L"PackBook: %ls\n", error.c_str());
        return 1;
    }
    std::vector<BYTE> settings;
    if (!packer.BuildSettingsResource(settings)) {
        fwprintf(stderr, L"PackBook: the password cannot be sealed\n");
        return 1;
    }
    if (!bookpacker::WriteWholeFile(argv[2], settings) || !bookpacker::WriteWholeFile(argv[3], packer.PackedFiles())) {
        fwprintf(stderr, L"PackBook: cannot write the output files\n");
        return 1;
    }
    wprintf(L"PackBook: %u files, %u bytes packed, %u bytes of settings\n", unsigned(packer.Records().size()),
            unsigned(packer.PackedFiles().size()), unsigned(settings.size()));
    return 0;
}
