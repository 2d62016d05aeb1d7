// The melody editor's string table: the texts of its error reports (id) and their longer
// explanations (id + 5000), as the main program shows them.
#pragma once

#include <string_view>

constexpr int ERROR_DETAIL_OFFSET = 5000;

// The text of string id; empty for an id the table does not hold.
std::string_view MelvioString(int id);
