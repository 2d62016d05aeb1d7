// Filling the organizer's grid model with sorted insertions, as the synchronisation does: each
// new row goes where its sort key belongs, the rows below move down, and its cells, picture and
// height are written. Keys come in shuffled order (rows land anywhere) or in falling order (every
// row lands on top, the most rows to move). The search for the place is a binary search here, so
// the numbers show the grid's own cost per insertion.
#include "platform/ui/controls/Grid.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace {

using torvane::controls::Grid;
using torvane::controls::Picture;

constexpr int kFixedRows = 2;
constexpr int kKeyColumn = 1;

QString keyText(int key)
{
    return QStringLiteral("%1").arg(key, 8, 10, QLatin1Char('0'));
}

// The row before which `key` belongs.
int placeOf(const Grid& grid, const QString& key)
{
    int low = kFixedRows;
    int high = grid.rows();
    while (low < high) {
        const int mid = (low + high) / 2;
        if (grid.textMatrix(mid, kKeyColumn) < key)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

void fill(benchmark::State& state, const std::vector<int>& keys)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::green);
    const Picture picture(image);
    for (auto _ : state) {
        Grid grid;
        grid.setCols(10);
        grid.setRows(kFixedRows);
        grid.setFixedRows(kFixedRows);
        for (int key : keys) {
            const QString text = keyText(key);
            const int row = placeOf(grid, text);
            grid.addItem(QString(), row);
            grid.setRowHeight(row, 300);
            grid.setTextMatrix(row, 0, text);
            grid.setTextMatrix(row, kKeyColumn, text);
            grid.setTextMatrix(row, 5, QStringLiteral("l"));
            grid.setRow(row);
            grid.setCol(6);
            grid.setCellPicture(picture);
            grid.setCol(9);
            grid.setCellAlignment(1);
            grid.setText(QStringLiteral("     entry ") + text);
        }
        benchmark::DoNotOptimize(grid.rows());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(keys.size()));
}

void BM_ShuffledInsertions(benchmark::State& state)
{
    std::vector<int> keys(std::size_t(state.range(0)));
    std::iota(keys.begin(), keys.end(), 0);
    std::shuffle(keys.begin(), keys.end(), std::mt19937(20));
    fill(state, keys);
}

void BM_InsertionsOnTop(benchmark::State& state)
{
    std::vector<int> keys(std::size_t(state.range(0)));
    std::iota(keys.rbegin(), keys.rend(), 0);
    fill(state, keys);
}

} // namespace

BENCHMARK(BM_ShuffledInsertions)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InsertionsOnTop)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
