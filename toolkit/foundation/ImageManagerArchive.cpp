// Storing and loading the image manager through the property exchange. An icon's images go
// as bitmaps: a BITMAPINFO and the pixels GetDIBits gives. Loaded records are checked before
// any memory is taken: a damaged or hostile archive ends in the archive's format error.
#include "toolkit/foundation/ImageManagerInternal.h"
#include "toolkit/foundation/PropExchange.h"
#include "platform/framework/Exceptions.h"
#include <memory>

namespace {

const wchar_t kCheckSum[] = L"CQorImageManagerIcons";
const LONG kMaxDimension = 4096;

[[noreturn]] void ThrowFormatError()
{
    AfxThrowArchiveException(CArchiveException::badSchema, CString());
}

// Colour table or masks after the 40-byte header: 16 entries for 4 bits, 256 for 8, else 3.
DWORD TableBytes(WORD nBitCount)
{
    return (nBitCount == 4 ? 16 : nBitCount == 8 ? 256 : 3) * sizeof(DWORD);
}

ULONGLONG ImageBytes(const BITMAPINFOHEADER& bih)
{
    const ULONGLONG nStride = ((static_cast<ULONGLONG>(bih.biWidth) * bih.biBitCount + 31) / 32) * 4;
    return nStride * static_cast<ULONGLONG>(std::llabs(static_cast<LONGLONG>(bih.biHeight)));
}

void WriteBitmap(CArchive& ar, HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (hBitmap == nullptr || !::GetObjectW(hBitmap, sizeof(bm), &bm)) {
        ar.WriteCount(0);
        return;
    }
    const WORD nBitCount = bm.bmBitsPixel;
    const DWORD nInfoBytes = sizeof(BITMAPINFOHEADER) + TableBytes(nBitCount);
    std::vector<BYTE> info(nInfoBytes, 0);
    BITMAPINFOHEADER& bih = *reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = bm.bmWidth;
    bih.biHeight = bm.bmHeight;
    bih.biPlanes = 1;
    bih.biBitCount = nBitCount;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = static_cast<DWORD>(ImageBytes(bih));
    std::vector<BYTE> pixels(bih.biSizeImage, 0);
    HDC hdc = ::GetDC(nullptr);
    const int nLines = ::GetDIBits(hdc, hBitmap, 0, bm.bmHeight, pixels.data(),
                                   reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    if (nLines != bm.bmHeight) {
        ar.WriteCount(0);
        return;
    }
    ar.WriteCount(nInfoBytes);
    ar.Write(info.data(), nInfoBytes);
    ar.WriteCount(pixels.size());
    ar.Write(pixels.data(), static_cast<UINT>(pixels.size()));
}

// A bitmap record, or null for a count of 0.
HBITMAP ReadBitmap(CArchive& ar)
{
    const DWORD_PTR nInfoBytes = ar.ReadCount();
    if (nInfoBytes == 0)
        return nullptr;
    BITMAPINFOHEADER bih = {};
    if (nInfoBytes < sizeof(bih) || ar.Read(&bih, sizeof(bih)) != sizeof(bih))
        ThrowFormatError();
    const WORD nBitCount = bih.biBitCount;
    const bool bKnownDepth =
        nBitCount == 1 || nBitCount == 4 || nBitCount == 8 || nBitCount == 16 || nBitCount == 24 || nBitCount == 32;
    const LONGLONG cy = std::llabs(static_cast<LONGLONG>(bih.biHeight));
    if (bih.biSize != sizeof(bih) || bih.biPlanes != 1 || !bKnownDepth || bih.biCompression != BI_RGB ||
        bih.biWidth <= 0 || bih.biWidth > kMaxDimension || cy == 0 || cy > kMaxDimension ||
        nInfoBytes != sizeof(bih) + TableBytes(nBitCount))
        ThrowFormatError();
    std::vector<BYTE> info(static_cast<size_t>(nInfoBytes), 0);
    memcpy(info.data(), &bih, sizeof(bih));
    const UINT nTable = static_cast<UINT>(nInfoBytes - sizeof(bih));
    if (ar.Read(info.data() + sizeof(bih), nTable) != nTable)
        ThrowFormatError();
    const ULONGLONG nImageBytes = ImageBytes(bih);
    const DWORD_PTR nPixelBytes = ar.ReadCount();
    if (nPixelBytes != nImageBytes)
        ThrowFormatError();
    reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biSizeImage = static_cast<DWORD>(nImageBytes);
    void* pBits = nullptr;
    HBITMAP hBitmap =
        ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &pBits, nullptr, 0);
    CBitmap owner;
    if (hBitmap == nullptr || !owner.Attach(hBitmap))
        AfxThrowMemoryException();
    if (ar.Read(pBits, static_cast<UINT>(nImageBytes)) != nImageBytes)
        ThrowFormatError();
    return static_cast<HBITMAP>(owner.Detach());
}

// Two bitmaps made into an icon as they are: a 32-bit colour bitmap keeps its alpha, and the
// mask stays the stored one, so that storing the icon again gives the same bytes.
HICON MakeIcon(HBITMAP hColor, HBITMAP hMask)
{
    ICONINFO ii = {};
    ii.fIcon = TRUE;
    ii.hbmColor = hColor;
    ii.hbmMask = hMask;
    return ::CreateIconIndirect(&ii);
}

} // namespace

void CQorImageManagerIcon::SerializeImage(CArchive& ar, CQorImageManagerImage& image)
{
    if (ar.IsStoring()) {
        ICONINFO ii = {};
        if (image.hIcon != nullptr && ::GetIconInfo(image.hIcon, &ii)) {
            CBitmap color, mask;
            color.Attach(ii.hbmColor);
            mask.Attach(ii.hbmMask);
            WriteBitmap(ar, ii.hbmColor);
            WriteBitmap(ar, ii.hbmMask);
        } else {
            WriteBitmap(ar, image.hBitmap);
            WriteBitmap(ar, nullptr);
        }
        return;
    }
    CBitmap first, second;
    first.Attach(ReadBitmap(ar));
    second.Attach(ReadBitmap(ar));
    ReleaseIconImage(image);
    image.bOwns = TRUE;
    if (first.GetSafeHandle() != nullptr && second.GetSafeHandle() != nullptr)
        image.hIcon = MakeIcon(first, second);
    else if (first.GetSafeHandle() != nullptr)
        image.hBitmap = static_cast<HBITMAP>(first.Detach());
}

void CQorImageManagerIcon::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nHeight << static_cast<int>(kArchiveSchema);
        for (Slot slot : {slotNormal, slotDisabled, slotHot, slotChecked, slotPressed})
            SerializeImage(ar, m_images[slot]);
        return;
    }
    int nSchema = 0;
    ar >> m_nHeight >> nSchema;
    SerializeImage(ar, m_images[slotNormal]);
    SerializeImage(ar, m_images[slotDisabled]);
    SerializeImage(ar, m_images[slotHot]);
    if (nSchema > 7)
        SerializeImage(ar, m_images[slotChecked]);
    if (nSchema > 16)
        SerializeImage(ar, m_images[slotPressed]);
    ReleaseDerivedImages();
}

void CQorImageManagerIconSet::DoPropExchange(CQorPropExchange* pPX)
{
    CString strCheckSum = kCheckSum;
    pPX->ExchangeProp(L"CheckSum", QOR_PROP_STRING, &strCheckSum, nullptr);
    if (pPX->IsLoading()) {
        if (strCheckSum != kCheckSum)
            ThrowFormatError();
        RemoveAll();
    }
    CArray<CQorImageManagerIcon*, CQorImageManagerIcon*> arrIcons;
    if (!pPX->IsLoading())
        GetUnscaledIcons(arrIcons);
    std::unique_ptr<CQorPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(L"Icon"));
    POSITION pos = pEnumerator->GetPosition(static_cast<DWORD>(arrIcons.GetSize()), FALSE);
    for (INT_PTR i = 0; pos != nullptr; ++i) {
        CQorPropExchange* pSection = pEnumerator->GetNext(pos);
        try {
            int nWidth = pPX->IsLoading() ? 16 : arrIcons[i]->GetWidth();
            const int nDefault = 16;
            pSection->ExchangeProp(L"Width", QOR_PROP_I4, &nWidth, &nDefault);
            if (pPX->IsLoading() && (nWidth <= 1 || nWidth > kMaxDimension))
                ThrowFormatError(); // widths 0 and 1 mean "any" to lookups; no icon has them
            CQorImageManagerIcon* pIcon = pPX->IsLoading() ? CreateIcon(nWidth) : arrIcons[i];
            CArchive* pArchive = pSection->GetArchive(L"Data");
            if (pArchive != nullptr) {
                try {
                    pIcon->Serialize(*pArchive);
                } catch (...) {
                    pSection->ReleaseArchive(L"Data", pArchive);
                    throw;
                }
                pSection->ReleaseArchive(L"Data", pArchive);
            }
        } catch (...) {
            pSection->InternalRelease();
            throw;
        }
        pSection->InternalRelease();
    }
}

void CQorImageManager::DoPropExchange(CQorPropExchange* pPX)
{
    CArray<UINT, UINT> arrIds;
    if (!pPX->IsLoading()) {
        POSITION pos = m_mapSets.GetStartPosition();
        while (pos != nullptr) {
            UINT nId = 0;
            CQorImageManagerIconSet* pSet = nullptr;
            m_mapSets.GetNextAssoc(pos, nId, pSet);
            INT_PTR i = 0;
            while (i < arrIds.GetSize() && arrIds[i] < nId)
                ++i;
            arrIds.InsertAt(i, nId); // stored in id order, so the same icons store the same bytes
        }
    }
    // Loading reads into new sets and swaps them in only when the whole archive was read: a
    // damaged archive leaves the icons that were loaded before.
    CMap<UINT, UINT, CQorImageManagerIconSet*, CQorImageManagerIconSet*> mapLoaded;
    try {
        std::unique_ptr<CQorPropExchangeEnumerator> pEnumerator(pPX->GetEnumerator(L"IconSet"));
        POSITION pos = pEnumerator->GetPosition(static_cast<DWORD>(arrIds.GetSize()), FALSE);
        for (INT_PTR i = 0; pos != nullptr; ++i) {
            CQorPropExchange* pSection = pEnumerator->GetNext(pos);
            try {
                int nId = pPX->IsLoading() ? 0 : static_cast<int>(arrIds[i]);
                pSection->ExchangeProp(L"Id", QOR_PROP_I4, &nId, nullptr);
                CQorImageManagerIconSet* pSet = nullptr;
                if (!pPX->IsLoading()) {
                    pSet = GetIconSet(static_cast<UINT>(nId));
                } else if (!mapLoaded.Lookup(static_cast<UINT>(nId), pSet)) {
                    pSet = new CQorImageManagerIconSet(this, static_cast<UINT>(nId));
                    mapLoaded.SetAt(static_cast<UINT>(nId), pSet);
                }
                pSet->DoPropExchange(pSection);
            } catch (...) {
                pSection->InternalRelease();
                throw;
            }
            pSection->InternalRelease();
        }
    } catch (...) {
        qorimage::ReleaseValues(mapLoaded);
        throw;
    }
    POSITION posLoaded = mapLoaded.GetStartPosition();
    while (posLoaded != nullptr) {
        UINT nId = 0;
        CQorImageManagerIconSet* pSet = nullptr;
        mapLoaded.GetNextAssoc(posLoaded, nId, pSet);
        CQorImageManagerIconSet* pOld = GetIconSet(nId);
        m_mapSets.SetAt(nId, pSet);
        if (pOld != nullptr)
            pOld->InternalRelease();
    }
}

void CQorImageManager::Serialize(CArchive& ar)
{
    CQorPropExchangeArchive px(ar);
    DoPropExchange(&px);
}
