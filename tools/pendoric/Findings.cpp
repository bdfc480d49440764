#include "tools/pendoric/Findings.h"
#include "tools/pendoric/TextLines.h"

namespace pendoric {

std::wstring MakeLogLine(const std::wstring& line, size_t lineNumber)
{
    return line + L"[行号：" + std::to_wstring(lineNumber) + L"]";
}

Findings::Findings() : m_entries(1) {}

void Findings::Check(CheckKind kind, const std::wstring& text)
{
    std::vector<std::wstring> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsOffendingLine(kind, lines[i]))
            m_entries.push_back(MakeLogLine(lines[i], i + 1));
    }
}

std::wstring Findings::BuildLog() const
{
    size_t length = 0;
    for (const std::wstring& entry : m_entries)
        length += entry.size() + 2;
    std::wstring log;
    log.reserve(length);
    for (const std::wstring& entry : m_entries) {
        log += entry;
        log += L"\r\n";
    }
    return log;
}

} // namespace pendoric
