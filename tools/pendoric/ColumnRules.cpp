#include "tools/pendoric/ColumnRules.h"

namespace pendoric {

namespace {

// Text read in an ANSI code page decodes to one UTF-16 unit per character (a double-byte
// character included), so a position in the wide string is a character position.
bool HasCommaAt(const std::wstring& line, size_t position)
{
    return position >= 1 && position <= line.size() && line[position - 1] == L',';
}

} // namespace

bool IsOffendingLine(CheckKind kind, const std::wstring& line)
{
    switch (kind) {
    case CheckKind::Column9:
        return !HasCommaAt(line, 9);
    case CheckKind::Columns11To13:
        return !HasCommaAt(line, 11) && !HasCommaAt(line, 12) && !HasCommaAt(line, 13);
    }
    return false;
}

const wchar_t* LogFileName(CheckKind kind)
{
    return kind == CheckKind::Column9 ? L"logfile1.txt" : L"logfile2.txt";
}

const wchar_t* CompletionMessage(CheckKind kind)
{
    return kind == CheckKind::Column9 ? L"汉化文本格式第9列逗号串字符检查完毕！"
                                      : L"汉化文本格式第11、12、13列逗号字符串检查完毕！";
}

} // namespace pendoric
