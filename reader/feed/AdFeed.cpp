#include "reader/feed/AdFeed.h"
#include "reader/app/FileUtil.h"
#include "reader/book/TextFileLoader.h"
#include "reader/book/XMLDocument.h"
#include <new>
#include <utility>

BOOL LoadFeed(LPCWSTR path, CAdFeedEntries& entries)
{
    entries.clear();
    // Measured before it is read: a file beyond the bound is not a feed.
    if (path == nullptr || ::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES ||
        GetFileSizeOfPath(path) > ADFEED_MAX_BYTES)
        return FALSE;
    CString text;
    if (!LoadTextFile(path, text))
        return FALSE;
    CQorXMLDocument document;
    CQorXMLNode ads;
    if (!document.LoadXML(text) || !document.FindTopElement(L"Ads", ads))
        return FALSE;
    std::vector<CQorXMLNode> children;
    if (!ads.GetChildNodes(children))
        return FALSE;
    for (const CQorXMLNode& child : children) {
        if (entries.size() >= ADFEED_MAX_ENTRIES)
            break;
        ADFEEDENTRY entry;
        entry.strTitle = child.GetStringAttribute(L"Title", L"");
        entry.strURL = child.GetStringAttribute(L"URL", L"");
        if (!entry.strTitle.IsEmpty() && !entry.strURL.IsEmpty())
            entries.push_back(entry);
    }
    return TRUE;
}

BOOL IsOpenableFeedAddress(LPCWSTR address)
{
    return address && (_wcsnicmp(address, L"http://", 7) == 0 || _wcsnicmp(address, L"https://", 8) == 0);
}

CAdFeed::CAdFeed() : m_nCurrent(-1), m_hWnd(nullptr) {}

void CAdFeed::StartFeed(LPCWSTR lpszCachePath, LPCWSTR lpszFeedAddress, HWND hWnd)
{
    m_download.Stop();
    m_strCachePath = lpszCachePath ? lpszCachePath : L"";
    m_strFeedAddress = lpszFeedAddress ? lpszFeedAddress : L"";
    m_hWnd = hWnd;
    ApplyFeed(CAdFeedEntries());

    FEEDDOWNLOADREQUEST request;
    request.hWnd = hWnd;
    request.strAddress = m_strFeedAddress;
    request.strDestination = GetDownloadPath();
    request.nDoneMessage = WM_QOR_FEED_DOWNLOADED;
    request.nMaxBytes = ADFEED_MAX_BYTES;
    request.fnBeforeDownload = [this] { HandOverCachedFeed(); };
    request.fnAccept = [this](const CString&) { return AcceptDownload(); };
    m_download.Start(request);
}

void CAdFeed::HandOverCachedFeed()
{
    CAdFeedEntries entries;
    if (!LoadFeed(m_strCachePath, entries))
        return;
    HandOver(std::move(entries));
    if (m_hWnd != nullptr)
        ::PostMessageW(m_hWnd, WM_QOR_FEED_DOWNLOADED, 0, 0);
}

BOOL CAdFeed::AcceptDownload()
{
    const CString downloaded = GetDownloadPath();
    CAdFeedEntries entries;
    // A server's error text or a broken file must not empty the entries of the last good feed.
    const BOOL accepted = LoadFeed(downloaded, entries) &&
                          ::MoveFileExW(downloaded, m_strCachePath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
    ::DeleteFileW(downloaded);
    if (accepted)
        HandOver(std::move(entries));
    return accepted;
}

void CAdFeed::HandOver(CAdFeedEntries&& entries)
{
    std::unique_ptr<CAdFeedEntries> ready(new (std::nothrow) CAdFeedEntries);
    if (!ready)
        return;
    *ready = std::move(entries);
    CSingleLock lock(&m_lock, TRUE);
    m_pReady = std::move(ready);
}

BOOL CAdFeed::OnFeedDownloaded()
{
    std::unique_ptr<CAdFeedEntries> ready;
    {
        CSingleLock lock(&m_lock, TRUE);
        ready = std::move(m_pReady);
    }
    if (!ready)
        return FALSE;
    ApplyFeed(*ready);
    return TRUE;
}

void CAdFeed::ApplyFeed(const CAdFeedEntries& entries)
{
    m_entries = entries;
    m_nCurrent = -1;
    Rotate();
}

void CAdFeed::Rotate()
{
    // A single entry is shown too, and stays.
    if (m_entries.empty())
        m_nCurrent = -1;
    else
        m_nCurrent = (m_nCurrent + 1) % int(m_entries.size());
}

const ADFEEDENTRY* CAdFeed::GetCurrentEntry() const
{
    return m_nCurrent >= 0 && m_nCurrent < int(m_entries.size()) ? &m_entries[size_t(m_nCurrent)] : nullptr;
}
