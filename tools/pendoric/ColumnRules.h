// The comma rules of the two checks and the texts that belong to each check.
#pragma once
#include <string>

namespace pendoric {

enum class CheckKind {
    Column9,      // a comma is expected at the 9th character
    Columns11To13 // a comma is expected at one of the 11th, 12th and 13th characters
};

// True when the line breaks the rule of the check. Positions count characters from 1;
// a position past the end of the line holds no comma.
bool IsOffendingLine(CheckKind kind, const std::wstring& line);

// Name of the log that the check writes in the current folder.
const wchar_t* LogFileName(CheckKind kind);

// Message shown once the check has written its log.
const wchar_t* CompletionMessage(CheckKind kind);

} // namespace pendoric
