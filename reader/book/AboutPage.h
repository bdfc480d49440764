// The book's own about page: the author's HTML written as a UTF-16 page into the work folder.
#pragma once
#include <windows.h>
#include "platform/framework/Strings.h"

// Every LF that does not follow a CR gets a CR before it.
CString ConvertLineBreaks(const CString& text);
// Writes FF FE and the text as UTF-16LE to folder + tick count + ".htm"; empty when the file
// cannot be written. Pages the reader makes itself are written this way.
CString WriteUtf16PageFile(const CString& html, const CString& folder);
// Writes FF FE and the text (line breaks converted) as UTF-16LE to folder + tick count +
// ".htm"; empty when the file cannot be written.
CString WriteAboutPage(const CString& html, const CString& folder);
