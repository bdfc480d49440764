// A copy of FolionyxReader.exe that carries a test's own book instead of the sample book.
#pragma once
#include <string>
#include "books/packer/BookPacker.h"

namespace readertest {

// Copies the reader beside the test executable to `exePath` and embeds the packer's book.
bool MakeFixtureReader(const bookpacker::CBookPacker& packer, const std::wstring& exePath);

} // namespace readertest
