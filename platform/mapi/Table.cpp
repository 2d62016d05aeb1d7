#include "platform/mapi/Table.h"

#include <algorithm>

namespace torvane::mapi {

Table::Table(std::shared_ptr<detail::Context> context, RowSet rows)
    : Object(std::move(context)), rows_(std::move(rows))
{
}

HRESULT Table::SetColumns(const std::vector<ULONG>& tags)
{
    if (const HRESULT hr = enter(Call::SetColumns); hr != S_OK)
        return hr;
    columns_ = tags;
    return S_OK;
}

HRESULT Table::Restrict(const PropertyRestriction& restriction)
{
    if (const HRESULT hr = enter(Call::Restrict); hr != S_OK)
        return hr;
    if (restriction.relop != RELOP_EQ)
        return MAPI_E_NO_SUPPORT;
    restriction_ = restriction;
    cursor_ = 0;
    return S_OK;
}

HRESULT Table::GetRowCount(ULONG& count)
{
    count = 0;
    if (const HRESULT hr = enter(Call::GetRowCount); hr != S_OK)
        return hr;
    count = ULONG(visibleRows().size());
    return S_OK;
}

HRESULT Table::QueryRows(LONG count, RowSet& rows)
{
    rows.clear();
    if (const HRESULT hr = enter(Call::QueryRows); hr != S_OK)
        return hr;
    if (count < 0)
        return MAPI_E_INVALID_PARAMETER;
    RowSet visible = visibleRows();
    while (cursor_ < visible.size() && rows.size() < std::size_t(count))
        rows.push_back(std::move(visible[cursor_++]));
    return S_OK;
}

HRESULT Table::queryAll(RowSet& rows)
{
    rows = visibleRows();
    cursor_ = rows.size();
    return S_OK;
}

RowSet Table::visibleRows() const
{
    RowSet out;
    for (const Row& row : rows_) {
        if (restriction_) {
            const PropValue* value = findProp(row, restriction_->tag);
            if (!value || !(*value == restriction_->value))
                continue;
        }
        if (columns_.empty()) {
            out.push_back(row);
            continue;
        }
        Row shaped;
        for (const ULONG tag : columns_) {
            if (const PropValue* value = findProp(row, tag))
                shaped.push_back(*value);
            else
                shaped.push_back(PropValue::error(changePropType(tag, PT_ERROR), MAPI_E_NOT_FOUND));
        }
        out.push_back(std::move(shaped));
    }
    return out;
}

HRESULT HrQueryAllRows(Table& table, RowSet& rows)
{
    rows.clear();
    // The failure is the library's, as the caller sees it, not the table's own.
    if (const HRESULT hr = table.context_->faults->enter(Call::QueryAllRows); hr != S_OK)
        return hr;
    return table.queryAll(rows);
}

} // namespace torvane::mapi
