// A table of rows (a container's contents, its creation templates): columns, a restriction
// and a cursor, over rows taken when the table was opened.
#pragma once

#include "platform/mapi/MapiContext.h"
#include "platform/mapi/MapiTypes.h"

#include <memory>
#include <optional>
#include <vector>

namespace torvane::mapi {

class Table;
HRESULT HrQueryAllRows(Table& table, RowSet& rows);

class Table : public Object {
public:
    Table(std::shared_ptr<detail::Context> context, RowSet rows);

    // Rows then hold only these properties, in this order (a missing one as a PT_ERROR value).
    HRESULT SetColumns(const std::vector<ULONG>& tags);
    HRESULT Restrict(const PropertyRestriction& restriction);
    HRESULT GetRowCount(ULONG& count);
    // Up to count rows from the cursor on; the cursor moves behind them.
    HRESULT QueryRows(LONG count, RowSet& rows);

    // Every row from the first, the cursor left at the end (HrQueryAllRows' work).
    HRESULT queryAll(RowSet& rows);

private:
    friend HRESULT HrQueryAllRows(Table& table, RowSet& rows);
    RowSet visibleRows() const;

    RowSet rows_;
    std::vector<ULONG> columns_;
    std::optional<PropertyRestriction> restriction_;
    std::size_t cursor_ = 0;
};

// All rows of the table.
HRESULT HrQueryAllRows(Table& table, RowSet& rows);
// Row sets and buffers are values here; these exist for callers that free them explicitly.
inline void FreeProws(RowSet& rows) { rows.clear(); }

} // namespace torvane::mapi
