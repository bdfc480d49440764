// The maker's announcements: a feed of entries (title and address) cached as "Ad.xml" in the
// settings folder and refreshed by one background download per run. Both the cached file and
// the download are read, checked and parsed in the download's worker thread, which hands the
// finished entries to the window by a posted message; the window's thread never waits on a
// feed. The status bar's advertisement pane owns the model and shows the current entry.
#pragma once
#include <windows.h>
#include <memory>
#include <vector>
#include "platform/framework/Strings.h"
#include "platform/framework/Sync.h"
#include "reader/feed/FeedDownload.h"

// The message the feed's worker posts to its window when entries are ready: once for the cached
// feed, once for a downloaded one that was accepted.
#define WM_QOR_FEED_DOWNLOADED 2024

// A feed is a short list the pane shows one title at a time, every 30 s: a thousand entries
// already last over eight hours. The bound on its file leaves room for that many entries of
// about 130 characters even as UTF-16, and keeps a hostile or broken answer from occupying the
// worker (or memory) for long.
enum { ADFEED_MAX_BYTES = 256 * 1024, ADFEED_MAX_ENTRIES = 1000 };

struct ADFEEDENTRY
{
    CString strTitle;
    CString strURL;
};
typedef std::vector<ADFEEDENTRY> CAdFeedEntries;

// Reads a feed file: the children of its top element "Ads" (any letter case) that carry a
// non-empty "Title" and "URL", in file order, at most ADFEED_MAX_ENTRIES of them. FALSE, and no
// entries, when the file is missing, larger than ADFEED_MAX_BYTES, cannot be read, does not
// parse or has no "Ads" element; a feed without entries is a feed.
BOOL LoadFeed(LPCWSTR path, CAdFeedEntries& entries);

// Whether an entry's address may be opened: only web addresses (http and https), never a
// file, drive, share or program that a tampered feed could name.
BOOL IsOpenableFeedAddress(LPCWSTR address);

class CAdFeed
{
public:
    CAdFeed();

    // Starts the worker: it reads the cached feed and hands it over, then downloads a fresh one
    // and hands that over when it is a feed. Each hand-over posts WM_QOR_FEED_DOWNLOADED to `hWnd`.
    void StartFeed(LPCWSTR lpszCachePath, LPCWSTR lpszFeedAddress, HWND hWnd);
    // On the window's thread, at WM_QOR_FEED_DOWNLOADED: shows the entries the worker handed
    // over last; FALSE (and nothing changes) when none wait.
    BOOL OnFeedDownloaded();
    // Ends a running download (at once when it answers, else after a second by force).
    void Stop() { m_download.Stop(); }

    // The worker's two steps, on the calling thread. Reads the cached feed and hands it over.
    void HandOverCachedFeed();
    // Checks the downloaded file: a feed replaces the cache and is handed over; anything else
    // leaves the cache as it was. The downloaded file is gone afterwards either way.
    BOOL AcceptDownload();

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
    void HandOver(CAdFeedEntries&& entries);

    CAdFeedEntries m_entries;
    int m_nCurrent;
    CString m_strCachePath;
    CString m_strFeedAddress;
    HWND m_hWnd;
    // Entries the worker finished and the window has not taken yet.
    CCriticalSection m_lock;
    std::unique_ptr<CAdFeedEntries> m_pReady;
    // Last: destroyed first, so that the worker ends before what it uses goes.
    CFeedDownload m_download;
};
