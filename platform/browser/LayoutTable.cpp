// Table formatting: the grid of rows and cells with their spans, column widths from the cells'
// intrinsic and specified widths, and rows as tall as their tallest cell.
#include "platform/browser/LayoutInternal.h"

namespace fxb {

struct LayoutTree::Engine::Grid
{
    std::vector<LayoutBox*> rows;
    std::vector<LayoutBox*> cells; // all cells with col set
    std::vector<int> rowOf;        // row index of each cell
    int columns = 0;
};

// What the cells ask of each column: narrowest, widest, fixed width (-1 for none) and percentage.
struct LayoutTree::Engine::ColumnLimits
{
    std::vector<int> colMin, colMax, colFixed;
    std::vector<float> colPercent;
};

void LayoutTree::Engine::BuildGrid(LayoutBox* table, Grid& g)
{
    std::vector<std::vector<bool>> occupied;
    for (auto& child : table->children)
        if (child->kind == LayoutBox::Kind::Row)
            g.rows.push_back(child.get());
    occupied.resize(g.rows.size());
    for (size_t r = 0; r < g.rows.size(); ++r) {
        int col = 0;
        for (auto& cell : g.rows[r]->children) {
            while (col < kMaxColumns && col < static_cast<int>(occupied[r].size()) && occupied[r][col])
                ++col;
            if (col >= kMaxColumns)
                break;
            cell->col = col;
            int span = std::min(cell->colspan, kMaxColumns - col);
            cell->colspan = span;
            int rs = std::min<int>(cell->rowspan, static_cast<int>(g.rows.size() - r));
            cell->rowspan = std::max(1, rs);
            for (int rr = 0; rr < cell->rowspan; ++rr) {
                auto& occ = occupied[r + rr];
                if (static_cast<int>(occ.size()) < col + span)
                    occ.resize(col + span, false);
                for (int c = col; c < col + span; ++c)
                    occ[c] = true;
            }
            g.cells.push_back(cell.get());
            g.rowOf.push_back(static_cast<int>(r));
            col += span;
            g.columns = std::max(g.columns, col);
        }
    }
}

int LayoutTree::Engine::Spacing(const ComputedStyle& s) const
{
    return s.borderCollapse ? 0 : static_cast<int>(std::lround(s.borderSpacing * m_zoom));
}

// Space at the table's edges and between cells. Collapsed borders overlap neighbouring cells
// by their border width, so that two cells share one line.
void LayoutTree::Engine::Gaps(LayoutBox* table, const Grid& g, int& edge, int& inter) const
{
    int spacing = Spacing(*table->style);
    edge = inter = spacing;
    if (table->style->borderCollapse) {
        int overlap = 0;
        for (const LayoutBox* cell : g.cells)
            overlap = std::max(overlap, std::max(cell->border.left, cell->border.top));
        edge = 0;
        inter = -std::min(overlap, 20);
    }
}

int LayoutTree::Engine::TotalGaps(int columns, int edge, int inter)
{
    return 2 * edge + std::max(0, columns - 1) * inter;
}

void LayoutTree::Engine::ColumnWidths(LayoutBox* table, Grid& g, ColumnLimits& limits, int depth)
{
    std::vector<int>& colMin = limits.colMin;
    std::vector<int>& colMax = limits.colMax;
    std::vector<int>& colFixed = limits.colFixed;
    int n = g.columns;
    colMin.assign(n, 0);
    colMax.assign(n, 0);
    colFixed.assign(n, -1);
    limits.colPercent.assign(n, 0);
    for (LayoutBox* cell : g.cells)
        ResolveEdges(cell, 0);
    int edge, spacing;
    Gaps(table, g, edge, spacing);
    // Single-column cells first, then spanning cells spread what they lack.
    for (int pass = 0; pass < 2; ++pass) {
        for (LayoutBox* cell : g.cells) {
            if ((cell->colspan == 1) != (pass == 0))
                continue;
            ResolveEdges(cell, 0);
            int mn, mx;
            Intrinsic(cell, mn, mx, depth + 1);
            const ComputedStyle& cs = *cell->style;
            int hz = cell->border.left + cell->border.right + cell->padding.left + cell->padding.right;
            if (cs.width.unit == Length::Unit::Px) {
                // Cell widths count padding and borders, as pages written for old browsers expect.
                int w = std::max(cs.width.Resolve(0, m_zoom), hz);
                mx = std::max(mn, w);
                if (cell->colspan == 1)
                    colFixed[cell->col] = std::max(colFixed[cell->col], w);
            } else if (cs.width.unit == Length::Unit::Percent && cell->colspan == 1) {
                limits.colPercent[cell->col] = std::max(limits.colPercent[cell->col], cs.width.value);
            }
            if (cell->colspan == 1) {
                colMin[cell->col] = std::max(colMin[cell->col], mn);
                colMax[cell->col] = std::max(colMax[cell->col], mx);
            } else {
                int span = cell->colspan;
                int haveMin = (span - 1) * spacing, haveMax = (span - 1) * spacing;
                for (int c = cell->col; c < cell->col + span; ++c) {
                    haveMin += colMin[c];
                    haveMax += colMax[c];
                }
                if (mn > haveMin)
                    for (int c = cell->col; c < cell->col + span; ++c)
                        colMin[c] += (mn - haveMin) / span + ((c - cell->col) < (mn - haveMin) % span ? 1 : 0);
                if (mx > haveMax)
                    for (int c = cell->col; c < cell->col + span; ++c)
                        colMax[c] += (mx - haveMax) / span;
            }
        }
    }
    for (int c = 0; c < n; ++c) {
        colMax[c] = std::max(colMax[c], colMin[c]);
        if (colFixed[c] >= 0)
            colMax[c] = std::max(colMin[c], colFixed[c]);
    }
}

void LayoutTree::Engine::TableIntrinsic(LayoutBox* table, int& mn, int& mx, int depth)
{
    Grid g;
    BuildGrid(table, g);
    ColumnLimits limits;
    ColumnWidths(table, g, limits, depth);
    long long a = 0, c = 0;
    for (int i = 0; i < g.columns; ++i) {
        a += limits.colMin[i];
        c += limits.colMax[i];
    }
    int edge, inter;
    Gaps(table, g, edge, inter);
    int gaps = TotalGaps(g.columns, edge, inter);
    mn = Clamp(a + gaps);
    mx = Clamp(c + gaps);
}

// Width of the table's content: its specified width, else as wide as its columns want within
// the room there is, and never narrower than its columns can be.
int LayoutTree::Engine::TableTargetWidth(LayoutBox* t, const ColumnLimits& limits, int gaps, int avail)
{
    const ComputedStyle& s = *t->style;
    int hz = t->border.left + t->border.right + t->padding.left + t->padding.right;
    long long sumMin = 0, sumMax = 0;
    for (size_t c = 0; c < limits.colMin.size(); ++c) {
        sumMin += limits.colMin[c];
        sumMax += limits.colMax[c];
    }
    int availContent = std::max(0, avail - t->margin.left - t->margin.right - hz);
    int target;
    if (!s.width.IsAuto()) {
        int w = s.width.Resolve(avail, m_zoom);
        // Widths of tables count their borders, as browsers of the time did.
        target = std::max(0, w - hz);
    } else {
        target = static_cast<int>(std::min<long long>(sumMax + gaps, availContent));
    }
    target = static_cast<int>(std::max<long long>(target, sumMin + gaps));
    return std::min(target, kMaxCoordinate / 4);
}

namespace {

// Grows column widths towards what `wants` asks of each column, in proportion to what each
// lacks, within what is left of the table's width.
template <class Wants> void GrowColumns(std::vector<int>& widths, long long& remaining, Wants wants)
{
    int n = static_cast<int>(widths.size());
    long long total = 0;
    std::vector<long long> want(n, 0);
    for (int c = 0; c < n; ++c) {
        want[c] = std::max<long long>(0, wants(c) - widths[c]);
        total += want[c];
    }
    if (total <= 0 || remaining <= 0)
        return;
    long long give = std::min(total, remaining);
    long long given = 0;
    for (int c = 0; c < n; ++c) {
        long long add = want[c] * give / total;
        widths[c] += static_cast<int>(add);
        given += add;
    }
    remaining -= given;
}

} // namespace

// Column widths that fill `target`: minimum widths first, then percentages, fixed widths and the
// widest content; what is left goes to the auto columns (or all) in proportion to their widths.
std::vector<int> LayoutTree::Engine::DistributeColumns(const ColumnLimits& limits, int target, int gaps)
{
    const std::vector<int>& colMax = limits.colMax;
    const std::vector<int>& colFixed = limits.colFixed;
    const std::vector<float>& colPercent = limits.colPercent;
    int n = static_cast<int>(limits.colMin.size());
    long long sumMin = 0;
    for (int c = 0; c < n; ++c)
        sumMin += limits.colMin[c];
    std::vector<int> widths(limits.colMin);
    long long remaining = static_cast<long long>(target) - gaps - sumMin;
    GrowColumns(widths, remaining, [&](int c) {
        return colPercent[c] > 0 ? static_cast<long long>(colPercent[c] * (target - gaps) / 100) : 0;
    });
    GrowColumns(widths, remaining, [&](int c) { return colFixed[c] >= 0 && colPercent[c] <= 0 ? colFixed[c] : 0; });
    GrowColumns(widths, remaining, [&](int c) { return colFixed[c] < 0 && colPercent[c] <= 0 ? colMax[c] : 0; });
    if (remaining > 0 && n > 0) {
        long long weight = 0;
        for (int c = 0; c < n; ++c)
            if (colFixed[c] < 0 && colPercent[c] <= 0)
                weight += std::max(1, widths[c]);
        bool autoOnly = weight > 0;
        if (!autoOnly)
            for (int c = 0; c < n; ++c)
                weight += std::max(1, widths[c]);
        long long left = remaining;
        for (int c = 0; c < n && weight > 0; ++c) {
            if (autoOnly && !(colFixed[c] < 0 && colPercent[c] <= 0))
                continue;
            long long add = remaining * std::max(1, widths[c]) / weight;
            widths[c] += static_cast<int>(add);
            left -= add;
        }
        for (int c = n - 1; c >= 0 && left > 0; --c, --left)
            ++widths[c];
    }
    return widths;
}

// Position of the table box: auto margins centre it, a right float puts it at the right.
void LayoutTree::Engine::PlaceTableBox(LayoutBox* t, int x, int y, int avail, int boxWidth)
{
    const ComputedStyle& s = *t->style;
    if (s.margin[1].IsAuto() && s.margin[3].IsAuto())
        t->margin.left = t->margin.right = std::max(0, (avail - boxWidth) / 2);
    else if (s.margin[3].IsAuto())
        t->margin.left = std::max(0, avail - boxWidth - t->margin.right);
    int left = x + t->margin.left;
    if (s.floatSide == FloatSide::Right)
        left = x + std::max(0, avail - boxWidth - t->margin.right);
    t->x = Clamp(left);
    t->y = Clamp(static_cast<long long>(y) + t->margin.top);
    t->width = boxWidth;
}

// Lays out the captions above the grid; answers the top of the grid.
int LayoutTree::Engine::LayoutCaptions(LayoutBox* t, int boxWidth, int depth)
{
    int cursor = t->ContentTop();
    for (auto& child : t->children)
        if (child->kind != LayoutBox::Kind::Row) {
            FloatContext local;
            LayoutBlock(child.get(), t->x, cursor, boxWidth, local, depth + 1);
            child->x = t->x;
            cursor = child->y + child->height + child->margin.bottom;
        }
    return cursor;
}

// Lays out every cell at the top of the page in its columns; answers the height of each row
// (spanning cells stretch the last row they span).
std::vector<int> LayoutTree::Engine::LayoutCells(const Grid& g, const std::vector<int>& colX, int spacing, int depth)
{
    size_t rows = g.rows.size();
    std::vector<int> rowHeight(rows, 0);
    for (size_t r = 0; r < rows; ++r) {
        const ComputedStyle& rs = *g.rows[r]->style;
        if (rs.height.unit == Length::Unit::Px)
            rowHeight[r] = rs.height.Resolve(0, m_zoom);
    }
    for (size_t i = 0; i < g.cells.size(); ++i) {
        LayoutBox* cell = g.cells[i];
        int cellWidth = colX[cell->col + cell->colspan] - colX[cell->col] - spacing;
        FloatContext local;
        LayoutBlock(cell, colX[cell->col], 0, cellWidth, local, depth + 1);
        int h = cell->height;
        if (cell->style->height.unit == Length::Unit::Px)
            h = std::max(h, cell->style->height.Resolve(0, m_zoom) + cell->padding.top + cell->padding.bottom +
                                cell->border.top + cell->border.bottom);
        cell->height = h;
        if (cell->rowspan == 1)
            rowHeight[g.rowOf[i]] = std::max(rowHeight[g.rowOf[i]], h);
    }
    for (size_t i = 0; i < g.cells.size(); ++i) {
        LayoutBox* cell = g.cells[i];
        if (cell->rowspan <= 1)
            continue;
        int r0 = g.rowOf[i];
        int have = (cell->rowspan - 1) * spacing;
        for (int r = r0; r < r0 + cell->rowspan; ++r)
            have += rowHeight[r];
        if (cell->height > have)
            rowHeight[r0 + cell->rowspan - 1] += cell->height - have;
    }
    return rowHeight;
}

// Moves the rows and cells to their rows' tops; cells span their rows and align their content.
void LayoutTree::Engine::PlaceRowsAndCells(const Grid& g, const std::vector<int>& rowTop,
                                           const std::vector<int>& rowHeight, const std::vector<int>& colX, int spacing)
{
    size_t rows = g.rows.size();
    int n = static_cast<int>(colX.size()) - 1;
    for (size_t r = 0; r < rows; ++r) {
        LayoutBox* row = g.rows[r];
        row->x = colX[0];
        row->y = rowTop[r];
        row->width = colX[n] - spacing - row->x;
        row->height = rowHeight[r];
        row->visualBottom = row->y + row->height;
    }
    for (size_t i = 0; i < g.cells.size(); ++i) {
        LayoutBox* cell = g.cells[i];
        int r0 = g.rowOf[i];
        int top = rowTop[r0];
        int height = rowTop[r0 + cell->rowspan] - spacing - top;
        int contentHeight = cell->height;
        int dy = top - cell->y;
        VAlign va = cell->style->verticalAlign;
        if (va == VAlign::Middle)
            dy += (height - contentHeight) / 2;
        else if (va == VAlign::Bottom)
            dy += height - contentHeight;
        Shift(cell, 0, dy);
        // The cell box itself spans the row; its content stays where aligned.
        cell->y = top;
        cell->height = height;
        cell->visualBottom = std::max(cell->visualBottom, cell->y + cell->height);
        g.rows[r0]->visualBottom = std::max(g.rows[r0]->visualBottom, cell->visualBottom);
    }
}

void LayoutTree::Engine::LayoutTable(LayoutBox* t, int x, int y, int avail, int depth)
{
    Grid g;
    BuildGrid(t, g);
    ColumnLimits limits;
    ColumnWidths(t, g, limits, depth);
    int n = g.columns;
    int edge, spacing;
    Gaps(t, g, edge, spacing);
    int hz = t->border.left + t->border.right + t->padding.left + t->padding.right;
    int gaps = TotalGaps(n, edge, spacing);
    int target = TableTargetWidth(t, limits, gaps, avail);
    std::vector<int> widths = DistributeColumns(limits, target, gaps);
    int contentWidth = gaps;
    for (int c = 0; c < n; ++c)
        contentWidth += widths[c];
    t->columnWidths = widths;
    t->spacing = spacing;
    int boxWidth = contentWidth + hz;
    PlaceTableBox(t, x, y, avail, boxWidth);
    int gridTop = LayoutCaptions(t, boxWidth, depth);
    t->y = std::min(t->y, gridTop);
    std::vector<int> colX(n + 1, 0);
    int acc = t->ContentLeft() + edge;
    for (int c = 0; c < n; ++c) {
        colX[c] = acc;
        acc += widths[c] + spacing;
    }
    colX[n] = acc;
    std::vector<int> rowHeight = LayoutCells(g, colX, spacing, depth);
    size_t rows = g.rows.size();
    std::vector<int> rowTop(rows + 1, 0);
    int ry = gridTop + edge;
    for (size_t r = 0; r < rows; ++r) {
        rowTop[r] = ry;
        ry = Clamp(static_cast<long long>(ry) + rowHeight[r] + spacing);
    }
    rowTop[rows] = ry;
    PlaceRowsAndCells(g, rowTop, rowHeight, colX, spacing);
    int bottom = rows ? rowTop[rows] - spacing + edge : gridTop + 2 * edge;
    t->height = Clamp(static_cast<long long>(bottom) - t->y + t->padding.bottom + t->border.bottom);
    t->visualBottom = t->y + t->height;
    for (auto& c : t->children)
        t->visualBottom = std::max(t->visualBottom, c->visualBottom);
    maxRight = std::max(maxRight, t->x + t->width);
}

} // namespace fxb
