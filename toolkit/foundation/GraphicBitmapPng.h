// A PNG file or "PNG" resource decoded into a 32-bit top-down DIB section, so that the rest
// of the toolkit handles only GDI bitmaps. Pixels are straight (not premultiplied); whoever
// keeps the bitmap for alpha drawing premultiplies it once.
#pragma once
#include "platform/framework/File.h"
#include "platform/framework/Gdi.h"

class CQorGraphicBitmapPng : public CBitmap
{
public:
    CQorGraphicBitmapPng() = default;

    // FALSE when the file cannot be opened or is not a sound PNG.
    BOOL LoadFromFile(LPCTSTR lpszFileName);
    // FALSE when the resource is missing, cannot be loaded or locked, holds 9 bytes or fewer,
    // or is not a sound PNG.
    BOOL LoadFromResource(HRSRC hResource, HMODULE hModule);
    // Decodes from the file's current position. Any bitmap attached before is deleted first;
    // on failure nothing is attached.
    BOOL Decode(CFile* pFile);

    // TRUE when the image had an alpha channel (four channels after palette and tRNS
    // expansion). A bKGD chunk composites the image over its background and removes it.
    BOOL IsAlpha() const { return m_bAlpha; }

private:
    BOOL m_bAlpha = FALSE;
};
