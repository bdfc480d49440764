// The font of Pendoric's own captions and log box: the system message font's size and weight
// in a face that has the Chinese characters, whatever locale the system was set up in.
#pragma once
#include <windows.h>
#include <string>

namespace pendoric {

// A face for the GB2312 character set: the message font's own face when it covers that set (as
// on a Chinese system), else the first other face that does. Empty when no face covers it; the
// font mapper then chooses by character set alone.
std::wstring ChineseFaceName(HDC dc, const LOGFONTW& messageFont);

// The message font made for the GB2312 character set in the face above. The caller deletes it.
HFONT CreateChineseFont();

} // namespace pendoric
