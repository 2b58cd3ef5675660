// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The entry rules as a table: a field's state, a key released in it, and
// what the field becomes. No window needed.

#include "ui/entry_rules.h"
#include "named_rows.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace vintrelle::ui {

// Readable failures: the field as text and selection.
void PrintTo(const FieldState &field, std::ostream *out)
{
    *out << '"' << std::string(field.text.begin(), field.text.end()) << "\" [" << field.start << ", "
         << field.length << ']';
}

void PrintTo(const RuleResult &result, std::ostream *out)
{
    switch (result.kind) {
    case RuleResult::Kind::Unchanged:
        *out << "unchanged";
        return;
    case RuleResult::Kind::NotANumber:
        *out << "not a number";
        return;
    case RuleResult::Kind::Changed:
        *out << "changed to ";
        PrintTo(result.field, out);
        return;
    }
}

namespace {

using named_rows::PrintTo;

enum class Family { Input, LearningRate, Output };

struct KeyRow
{
    const char *name;
    Family family;
    FieldState field;
    int keyCode;
    std::optional<int> typedAt;
    RuleResult expected;
};

const RuleResult unchanged = RuleResult::unchanged();
const RuleResult notANumber = RuleResult::notANumber();
RuleResult becomes(std::u16string text, int start, int length)
{
    return RuleResult::changed({std::move(text), start, length});
}

// A field with its caret at `caret`, or with `text` all selected.
FieldState caretAt(std::u16string text, int caret)
{
    return {std::move(text), caret, 0};
}
FieldState allSelected(std::u16string text)
{
    const int length = static_cast<int>(text.size());
    return {std::move(text), 0, length};
}

const KeyRow keyRows[] = {
    // Input fields: keys whose character stays.
    {"InputDigitKept", Family::Input, caretAt(u"07", 2), vk::Digit0 + 7, 1, unchanged},
    {"InputCommaKept", Family::Input, caretAt(u"0,", 2), vk::Comma, 1, unchanged},
    {"InputKeypadMinusKept", Family::Input, caretAt(u"7-", 2), vk::KeypadMinus, 1, unchanged},
    {"InputKeypad0LeftAlone", Family::Input, caretAt(u"10", 2), vk::Keypad0, 1, unchanged},
    {"InputKeypad9LeftAlone", Family::Input, caretAt(u"19", 2), vk::Keypad9, 1, unchanged},
    {"InputBackspaceLeftAlone", Family::Input, caretAt(u"0,", 2), vk::Backspace, std::nullopt, unchanged},
    {"InputLeftLeftAlone", Family::Input, caretAt(u"12", 1), vk::Left, std::nullopt, unchanged},
    {"InputRightLeftAlone", Family::Input, caretAt(u"12", 2), vk::Right, std::nullopt, unchanged},
    {"InputDigitsAndCommasKeptEvenWhenNotANumber", Family::Input, caretAt(u"1,2,3", 5), vk::Digit0 + 3, 4,
     unchanged},
    // Input fields: any other key puts back a selected 0.
    {"InputLetterLeavesZeroSelected", Family::Input, caretAt(u"0a", 2), vk::OtherKey, 1, becomes(u"0", 0, 1)},
    {"InputMainMinusResets", Family::Input, caretAt(u"4-", 2), vk::OtherKey, 1, becomes(u"0", 0, 1)},
    {"InputKeypadPlusResets", Family::Input, caretAt(u"4+", 2), vk::OtherKey, 1, becomes(u"0", 0, 1)},
    // Input fields: the keypad's decimal key.
    {"InputDecimalTypedLastBecomesComma", Family::Input, caretAt(u"0.", 2), vk::KeypadDecimal, 1,
     becomes(u"0,", 2, 0)},
    {"InputDecimalWithRolloverReplacesWhatItTyped", Family::Input, caretAt(u"0.5", 3), vk::KeypadDecimal, 1,
     becomes(u"0,5", 3, 0)},
    {"InputDecimalMidTextReplacesWhatItTyped", Family::Input, caretAt(u"1.2", 2), vk::KeypadDecimal, 1,
     becomes(u"1,2", 2, 0)},
    {"InputDecimalTypingACommaStaysAsItIs", Family::Input, caretAt(u"0,", 2), vk::KeypadDecimal, 1, unchanged},
    {"InputDecimalWhoseCharacterIsGoneChangesNothing", Family::Input, caretAt(u"05", 2), vk::KeypadDecimal,
     std::nullopt, unchanged},
    {"InputDecimalKeepsTheSelection", Family::Input, {u"0.75", 2, 2}, vk::KeypadDecimal, 1,
     becomes(u"0,75", 2, 2)},
    // Input fields: the main keyboard's period, as the keypad's decimal key.
    {"InputPeriodBecomesComma", Family::Input, caretAt(u"0.", 2), vk::Period, 1, becomes(u"0,", 2, 0)},
    // Input fields: the arrows force the sign.
    {"InputDownMakesNegative", Family::Input, allSelected(u"0,25"), vk::Down, std::nullopt,
     becomes(u"-0,25", 0, 5)},
    {"InputDownKeepsTheCaretAtTheEnd", Family::Input, caretAt(u"0,2", 3), vk::Down, std::nullopt,
     becomes(u"-0,2", 4, 0)},
    {"InputDownKeepsTheCaretBesideItsDigit", Family::Input, caretAt(u"12", 1), vk::Down, std::nullopt,
     becomes(u"-12", 2, 0)},
    {"InputDownLeavesNegativeAsItIs", Family::Input, allSelected(u"-2"), vk::Down, std::nullopt,
     becomes(u"-2", 0, 2)},
    {"InputDownOnZeroGivesMinusZero", Family::Input, allSelected(u"0"), vk::Down, std::nullopt,
     becomes(u"-0", 0, 2)},
    {"InputUpRewritesPlainly", Family::Input, allSelected(u"-0,50"), vk::Up, std::nullopt, becomes(u"0,5", 0, 3)},
    {"InputUpKeepsTheCaretBesideItsDigit", Family::Input, caretAt(u"-12", 2), vk::Up, std::nullopt,
     becomes(u"12", 1, 0)},
    {"InputUpOnBigNumberKeepsFifteenDigits", Family::Input, caretAt(u"-1234567890123456789", 0), vk::Up,
     std::nullopt, becomes(u"1234567890123460000", 0, 0)},
    {"InputDownOnEmptyIsNotANumber", Family::Input, caretAt(u"", 0), vk::Down, std::nullopt, notANumber},
    {"InputUpOnLoneMinusIsNotANumber", Family::Input, caretAt(u"-", 1), vk::Up, std::nullopt, notANumber},
    {"InputDownOnMinusSignCharacterIsNotANumber", Family::Input, caretAt(u"\u22125", 2), vk::Down, std::nullopt,
     notANumber},
    {"InputDownOnFullWidthDigitIsNotANumber", Family::Input, caretAt(u"\uFF15", 1), vk::Down, std::nullopt,
     notANumber},
    {"InputDownOnDotlessIIsNotANumber", Family::Input, caretAt(u"\u0131", 1), vk::Down, std::nullopt, notANumber},
    // Learning rate: digits, comma and keypad minus stay; anything else resets it.
    {"RateDigitKept", Family::LearningRate, caretAt(u"0,05", 4), vk::Digit0 + 5, std::nullopt, unchanged},
    {"RateCommaKept", Family::LearningRate, caretAt(u"0,", 2), vk::Comma, std::nullopt, unchanged},
    {"RateKeypadMinusKept", Family::LearningRate, caretAt(u"-", 1), vk::KeypadMinus, std::nullopt, unchanged},
    {"RateBackspaceResets", Family::LearningRate, caretAt(u"0,", 2), vk::Backspace, std::nullopt,
     becomes(u"0", 0, 1)},
    {"RateKeypadDigitResets", Family::LearningRate, caretAt(u"3", 1), vk::Keypad0 + 3, std::nullopt,
     becomes(u"0", 0, 1)},
    {"RateArrowResets", Family::LearningRate, caretAt(u"0,2", 3), vk::Down, std::nullopt, becomes(u"0", 0, 1)},
    {"RateKeypadDecimalBecomesComma", Family::LearningRate, caretAt(u"0.", 2), vk::KeypadDecimal, 1,
     becomes(u"0,", 2, 0)},
    {"RatePeriodBecomesComma", Family::LearningRate, caretAt(u"0.3", 3), vk::Period, 1, becomes(u"0,3", 3, 0)},
    // Output field.
    {"OutputDownSetsMinusOne", Family::Output, allSelected(u"1"), vk::Down, std::nullopt, becomes(u"-1", 2, 0)},
    {"OutputUpSetsOne", Family::Output, allSelected(u"-1"), vk::Up, std::nullopt, becomes(u"1", 1, 0)},
    {"OutputKeypadMinusKept", Family::Output, caretAt(u"-", 1), vk::KeypadMinus, std::nullopt, unchanged},
    {"OutputDigitOneKept", Family::Output, caretAt(u"-1", 2), vk::Digit1, std::nullopt, unchanged},
    {"OutputKeypadOneLeavesOneSelected", Family::Output, caretAt(u"1", 1), vk::Keypad0 + 1, std::nullopt,
     becomes(u"1", 0, 1)},
    {"OutputDigitTwoLeavesOneSelected", Family::Output, caretAt(u"2", 1), vk::Digit0 + 2, std::nullopt,
     becomes(u"1", 0, 1)},
    {"OutputOtherKeyLeavesOneSelected", Family::Output, allSelected(u"-1"), vk::OtherKey, std::nullopt,
     becomes(u"1", 0, 1)},
};

class KeyReleased : public testing::TestWithParam<KeyRow>
{
};

TEST_P(KeyReleased, GivesTheFieldItsNewState)
{
    const KeyRow &row = GetParam();
    RuleResult result;
    switch (row.family) {
    case Family::Input:
        result = inputKeyUp(row.field, row.keyCode, row.typedAt);
        break;
    case Family::LearningRate:
        result = learningRateKeyUp(row.field, row.keyCode, row.typedAt);
        break;
    case Family::Output:
        result = outputKeyUp(row.field, row.keyCode);
        break;
    }
    EXPECT_EQ(result, row.expected);
}

INSTANTIATE_TEST_SUITE_P(EntryRules, KeyReleased, testing::ValuesIn(keyRows),
                         named_rows::ByName());

TEST(FocusGained, InputsAndOutputSelectTheWholeText)
{
    EXPECT_EQ(inputFocusGained(u"0,25"), (FieldState{u"0,25", 0, 4}));
    EXPECT_EQ(outputFocusGained(u"-1"), (FieldState{u"-1", 0, 2}));
    EXPECT_EQ(outputFocusGained(u""), (FieldState{u"", 0, 0}));
}

TEST(FocusGained, LearningRateSelectsExactlyThreeCharacters)
{
    EXPECT_EQ(learningRateFocusGained(u"0,2"), (FieldState{u"0,2", 0, 3}));
    EXPECT_EQ(learningRateFocusGained(u"0,05"), (FieldState{u"0,05", 0, 3}));
    EXPECT_EQ(learningRateFocusGained(u"1"), (FieldState{u"1", 0, 1}));
}

TEST(FocusLost, InputOfBlanksBecomesZero)
{
    EXPECT_EQ(inputFocusLost(caretAt(u"", 0)), becomes(u"0", 1, 0));
    EXPECT_EQ(inputFocusLost(caretAt(u"   ", 2)), becomes(u"0", 1, 0));
    EXPECT_EQ(inputFocusLost(caretAt(u" \t", 2)), becomes(u"0", 1, 0));
    EXPECT_EQ(inputFocusLost(caretAt(u" 5 ", 1)), unchanged);
    EXPECT_EQ(inputFocusLost(caretAt(u"-", 1)), unchanged);
}

struct FollowRow
{
    const char *name;
    std::u16string before;
    std::u16string after;
    int position;
    std::optional<int> expected;
};

const FollowRow followRows[] = {
    {"TypedAfterItStays", u"0.", u"0.5", 1, 1},
    {"TypedBeforeItMovesOn", u"0.", u"10.", 1, 2},
    {"TypedJustBeforeItMovesOn", u"0.5", u"0.75", 2, 3},
    {"DeletedBeforeItMovesBack", u"10.5", u"0.5", 2, 1},
    {"ItselfDeletedIsGone", u"0.", u"0", 1, std::nullopt},
    {"ItselfTypedOverIsGone", u"0.5", u"0x5", 1, std::nullopt},
    {"WholeTextReplacedIsGone", u"0.5", u"0", 1, std::nullopt},
    {"UnchangedTextKeepsIt", u"0.5", u"0.5", 1, 1},
    {"PositionOutsideTheTextIsNothing", u"0.", u"0.", 2, std::nullopt},
};

class FollowCharacter : public testing::TestWithParam<FollowRow>
{
};

TEST_P(FollowCharacter, FindsTheCharacterAfterAnEdit)
{
    const FollowRow &row = GetParam();
    EXPECT_EQ(followCharacter(row.before, row.after, row.position), row.expected);
}

INSTANTIATE_TEST_SUITE_P(EntryRules, FollowCharacter, testing::ValuesIn(followRows),
                         named_rows::ByName());

} // namespace

} // namespace vintrelle::ui
