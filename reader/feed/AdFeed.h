// The maker's announcements: a feed of entries (title and address) cached as "Ad.xml" in the
// settings folder, shown from the cache at once and refreshed by one background download per
// run. The status bar's advertisement pane owns the model, hands it the download's message and
// shows the current entry.
#pragma once
#include <windows.h>
#include <vector>
#include "platform/framework/Strings.h"
#include "reader/feed/FeedDownload.h"

// The message a finished feed download posts to its window.
#define WM_QOR_FEED_DOWNLOADED 2024

struct ADFEEDENTRY
{
    CString strTitle;
    CString strURL;
};
typedef std::vector<ADFEEDENTRY> CAdFeedEntries;

// Reads a feed file: the children of its top element "Ads" (any letter case) that carry a
// non-empty "Title" and "URL", in file order. FALSE, and no entries, when the file cannot be
// read, does not parse or has no "Ads" element; a feed without entries is a feed.
BOOL LoadFeed(LPCWSTR path, CAdFeedEntries& entries);

// Whether an entry's address may be opened: only web addresses (http and https), never a
// file, drive, share or program that a tampered feed could name.
BOOL IsOpenableFeedAddress(LPCWSTR address);

class CAdFeed
{
public:
    CAdFeed();

    // Shows the cached feed and starts the download of a fresh one, which posts
    // WM_QOR_FEED_DOWNLOADED to `hWnd` when it has arrived.
    void StartFeed(LPCWSTR lpszCachePath, LPCWSTR lpszFeedAddress, HWND hWnd);
    // The downloaded file replaces the cache only when it is a feed; the ".tmp" goes either way.
    void OnFeedDownloaded();
    // Ends a running download (at once when it answers, else after a second by force).
    void Stop() { m_download.Stop(); }

    // Replaces the entries and shows the first one.
    void ApplyFeed(const CAdFeedEntries& entries);
    // Moves on to the next entry, after the last one back to the first.
    void Rotate();

    const CAdFeedEntries& GetEntries() const { return m_entries; }
    int GetCurrent() const { return m_nCurrent; }
    const ADFEEDENTRY* GetCurrentEntry() const;
    const CString& GetCachePath() const { return m_strCachePath; }
    CString GetDownloadPath() const { return m_strCachePath + L".tmp"; }
    CFeedDownload& GetDownload() { return m_download; }

private:
    CAdFeedEntries m_entries;
    int m_nCurrent;
    CString m_strCachePath;
    CString m_strFeedAddress;
    CFeedDownload m_download;
};
