// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Gauss-Jordan elimination over exact rationals: the one elimination of
// the verdict, for the inverse the float proof needs and for the null
// space the float-weight search walks.

#include <gmpxx.h>

#include <cstddef>
#include <vector>

namespace vintrelle {

using RationalMatrix = std::vector<std::vector<mpq_class>>;

struct RowEchelon
{
    // The rows brought to reduced row echelon form in their first columns:
    // row r has a 1 in pivotColumns[r], and every other row a 0 there.
    RationalMatrix rows;
    // The columns with a pivot, one per row of the rank, ascending.
    std::vector<std::size_t> pivotColumns;

    std::size_t rank() const { return pivotColumns.size(); }
};

// Eliminates in the first `columns` columns of the rows (every row as long
// as the first); the columns after them are carried along, so that [M | I]
// for a square M of full rank becomes [I | M^-1]. Columns go left to right,
// each pivoting on the first row at or below the rank with a value not 0.
// The reduced form is unique, so it does not depend on that choice.
//   {{2, 4}, {1, 3}}, 2 columns          -> {{1, 0}, {0, 1}}, pivots {0, 1}
//   {{1, 2}, {2, 4}}, 2 columns          -> {{1, 2}, {0, 0}}, pivots {0}: rank 1,
//                                           null space spanned by (-2, 1)
//   {{2, 0, 1, 0}, {0, 4, 0, 1}}, 2 columns -> {{1, 0, 1/2, 0}, {0, 1, 0, 1/4}}
RowEchelon reducedRowEchelon(RationalMatrix rows, std::size_t columns);

} // namespace vintrelle
