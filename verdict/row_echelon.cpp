// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "verdict/row_echelon.h"

#include <utility>

namespace vintrelle {

RowEchelon reducedRowEchelon(RationalMatrix rows, std::size_t columns)
{
    RowEchelon result;
    std::size_t rank = 0;
    for (std::size_t c = 0; c < columns && rank < rows.size(); ++c) {
        std::size_t pivot = rank;
        while (pivot < rows.size() && rows[pivot][c] == 0)
            ++pivot;
        if (pivot == rows.size())
            continue;
        std::swap(rows[pivot], rows[rank]);
        const mpq_class p = rows[rank][c];
        for (mpq_class &value : rows[rank])
            value /= p;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (r == rank || rows[r][c] == 0)
                continue;
            const mpq_class factor = rows[r][c];
            for (std::size_t j = 0; j < rows[r].size(); ++j)
                rows[r][j] -= factor * rows[rank][j];
        }
        result.pivotColumns.push_back(c);
        ++rank;
    }
    result.rows = std::move(rows);
    return result;
}

} // namespace vintrelle
