// The gallery paint manager every paint manager owns. It starts empty: the gallery control
// brings its scroll-bar sizes, style handle and colours.
#pragma once

class CQorControlGalleryPaintManager
{
public:
    CQorControlGalleryPaintManager() = default;
    virtual ~CQorControlGalleryPaintManager() = default;
    CQorControlGalleryPaintManager(const CQorControlGalleryPaintManager&) = delete;
    CQorControlGalleryPaintManager& operator=(const CQorControlGalleryPaintManager&) = delete;

    // Runs at the end of every refresh of the owning paint manager.
    virtual void RefreshMetrics() {}
};
