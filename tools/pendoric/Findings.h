// The offending lines found by the checks of one run, and the log built from them.
#pragma once
#include "tools/pendoric/ColumnRules.h"
#include <string>
#include <vector>

namespace pendoric {

// Log line of an offending line: its own text tagged with its number in the checked file.
std::wstring MakeLogLine(const std::wstring& line, size_t lineNumber);

// Findings accumulate over every check of a run: a later log also lists what earlier checks
// found. Entry 0 is never filled and stands as an empty first line in every log.
class Findings
{
public:
    Findings();

    // Tests every line of a checked file's text and appends the offending ones.
    void Check(CheckKind kind, const std::wstring& text);

    size_t Count() const { return m_entries.size() - 1; }
    const std::vector<std::wstring>& Entries() const { return m_entries; }

    // All entries from index 0, each followed by CR LF.
    std::wstring BuildLog() const;

private:
    std::vector<std::wstring> m_entries;
};

} // namespace pendoric
