#include "reader/FolionyxReaderView.h"

IMPLEMENT_DYNCREATE(CFolionyxReaderView, CView)

CFolionyxReaderView::CFolionyxReaderView() = default;

CFolionyxReaderView::~CFolionyxReaderView() = default;

void CFolionyxReaderView::OnDraw(CDC*)
{
}
