#include "reader/feed/AdFeed.h"
#include "reader/book/TextFileLoader.h"
#include "reader/book/XMLDocument.h"

BOOL LoadFeed(LPCWSTR path, CAdFeedEntries& entries)
{
    entries.clear();
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

CAdFeed::CAdFeed() : m_nCurrent(-1) {}

void CAdFeed::StartFeed(LPCWSTR lpszCachePath, LPCWSTR lpszFeedAddress, HWND hWnd)
{
    m_strCachePath = lpszCachePath ? lpszCachePath : L"";
    m_strFeedAddress = lpszFeedAddress ? lpszFeedAddress : L"";
    CAdFeedEntries entries;
    LoadFeed(m_strCachePath, entries);
    ApplyFeed(entries);

    FEEDDOWNLOADREQUEST request;
    request.hWnd = hWnd;
    request.strAddress = m_strFeedAddress;
    request.strDestination = GetDownloadPath();
    request.nDoneMessage = WM_QOR_FEED_DOWNLOADED;
    m_download.Start(request);
}

void CAdFeed::OnFeedDownloaded()
{
    const CString downloaded = GetDownloadPath();
    CAdFeedEntries entries;
    // A server's error text or a broken file must not empty the entries of the last good feed.
    if (LoadFeed(downloaded, entries) && ::CopyFileW(downloaded, m_strCachePath, FALSE))
        ApplyFeed(entries);
    ::DeleteFileW(downloaded);
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
