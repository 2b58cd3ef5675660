// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// Rows of parameterised GoogleTest tests that carry a `name`: a row is
// printed by its name (in a failure and in --gtest_list_tests), and each
// instance is named after its row.
//
//     namespace { using named_rows::PrintTo; ... }
//     INSTANTIATE_TEST_SUITE_P(Rows, Suite, ::testing::ValuesIn(rows), named_rows::ByName());

#include <gtest/gtest.h>

#include <concepts>
#include <ostream>
#include <string>

namespace named_rows {

template <typename Row>
concept Named = requires(const Row &row) {
    { row.name } -> std::convertible_to<std::string>;
};

// GoogleTest finds it by argument-dependent lookup, where the rows' own
// namespace brings it in with a using-declaration.
template <Named Row>
void PrintTo(const Row &row, std::ostream *os)
{
    *os << row.name;
}

struct ByName
{
    template <Named Row>
    std::string operator()(const ::testing::TestParamInfo<Row> &info) const
    {
        return info.param.name;
    }
};

} // namespace named_rows
