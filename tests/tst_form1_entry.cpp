// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// What typing into the fields does: real keys and clicks reach each field's
// entry rule, values survive the focus moving on, and a value that is not a
// number stops the action that reads it with a message and changes nothing.

#include "ui/form1.h"
#include "window_test_support.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTestEventList>
#include <QWheelEvent>

#include <memory>

using namespace window_test;

class TestForm1Entry : public WindowTest
{
    Q_OBJECT

private slots:
    // Entry rules
    void entryRules_data();
    void entryRules();
    void tabbingThroughFilledFieldsKeepsTheirValues();
    void shiftTabBackKeepsTheValue();
    void emptiedInputBecomesZeroWhenLeft();
    void blankOutputStaysBlankWhenLeft();
    void autoRepeatReleaseIsNotARelease();
    void windowLosingActivationKeepsTheCaret();
    void focusMovedWhileInactiveCountsAsLeaving();
    void clickBringingTheFocusSelectsLikeTab_data();
    void clickBringingTheFocusSelectsLikeTab();
    void clickOrDragInTheFocusedFieldIsAsUsual();
    void wheelOverTheOutputSetsTheTarget_data();
    void wheelOverTheOutputSetsTheTarget();
    void fieldMenusSpeakItalian();

    // Bad input: a message, and nothing else changes
    void badInput_data();
    void badInput();
    void trainingOverflowIsReported();
    void computeOverflowIsReported();
};

// ---------------------------------------------------------------------------
// Entry rules

void TestForm1Entry::entryRules_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("caret");

    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    QTestEventList keys;

    // Each rule is tried case by case without a window (entry_rules_test);
    // these rows show that real keys reach the rule of their field and that
    // its result reaches the field. Each field starts focused by Tab.
    keys.clear();
    keys.addKeyClick('a');
    QTest::newRow("letter in X3 leaves 0 selected") << "Txt3" << "0" << keys << "0" << "0" << 1;

    keys.clear();
    keys.addKeyClick('0');
    keys.addKeyClick(Qt::Key_Period, keypad);
    keys.addKeyClick('5');
    QTest::newRow("0, keypad decimal, 5 gives 0,5") << "Txt1" << "0" << keys << "0,5" << "" << 3;

    // Fast typing: the 5 goes down before the decimal key comes up.
    keys.clear();
    keys.addKeyClick('0');
    keys.addKeyPress(Qt::Key_Period, keypad);
    keys.addKeyPress('5');
    keys.addKeyRelease(Qt::Key_Period, keypad);
    keys.addKeyRelease('5');
    QTest::newRow("keypad decimal released after the next digit gives 0,5") << "Txt2" << "0" << keys << "0,5" << ""
                                                                             << 3;

    keys.clear();
    keys.addKeyClick('1');
    keys.addKeyPress(Qt::Key_Period, keypad);
    keys.addKeyClick(Qt::Key_Backspace);
    keys.addKeyRelease(Qt::Key_Period, keypad);
    QTest::newRow("keypad decimal erased before its release changes nothing") << "Txt2" << "0" << keys << "1" << ""
                                                                               << 1;

    // The main keyboard's period types the decimal comma too.
    keys.clear();
    keys.addKeyClicks(QStringLiteral("0.5"));
    QTest::newRow("0.5 typed in X1 gives 0,5") << "Txt1" << "0" << keys << "0,5" << "" << 3;

    keys.clear();
    keys.addKeyClicks(QStringLiteral("0.3"));
    QTest::newRow("0.3 typed over Eta gives 0,3") << "Text1" << "0,2" << keys << "0,3" << "" << 3;

    keys.clear();
    keys.addKeyClick(Qt::Key_Down);
    QTest::newRow("Down makes 0,25 negative") << "Txt4" << "0,25" << keys << "-0,25" << "-0,25" << 5;

    keys.clear();
    keys.addKeyClick(Qt::Key_Up, keypad);
    QTest::newRow("keypad Up without Num Lock makes -3 positive") << "Txt5" << "-3" << keys << "3" << "3" << 1;

    keys.clear();
    keys.addKeyClick(Qt::Key_7, keypad);
    keys.addKeyClick(Qt::Key_Minus, keypad);
    QTest::newRow("keypad digits and keypad minus are kept") << "Txt3" << "0" << keys << "7-" << "" << 2;

    // Learning rate: its first three characters are selected on focus.
    keys.clear();
    keys.addKeyClicks(QStringLiteral("7"));
    QTest::newRow("learning rate 0,05 typed over from its focus") << "Text1" << "0,05" << keys << "75" << "" << 1;

    keys.clear();
    keys.addKeyClick(Qt::Key_Right);
    keys.addKeyClick(Qt::Key_Backspace);
    QTest::newRow("Backspace in Text1 resets it") << "Text1" << "0,2" << keys << "0" << "0" << 1;

    // Output field.
    keys.clear();
    keys.addKeyClick(Qt::Key_Down);
    QTest::newRow("Down sets the target to -1") << "txtOut" << "1" << keys << "-1" << "" << 2;

    keys.clear();
    keys.addKeyClick(Qt::Key_1, keypad);
    QTest::newRow("keypad 1 in the output leaves 1 selected") << "txtOut" << "-1" << keys << "1" << "1" << 1;

    keys.clear();
    keys.addKeyClick(Qt::Key_Down);
    keys.addKeyPress(Qt::Key_Shift);
    keys.addKeyRelease(Qt::Key_Shift);
    QTest::newRow("Shift in the output leaves 1 selected") << "txtOut" << "1" << keys << "1" << "1" << 1;
}

void TestForm1Entry::entryRules()
{
    QFETCH(QString, fieldName);
    QFETCH(QString, startText);
    QFETCH(QTestEventList, keys);
    QFETCH(QString, text);
    QFETCH(QString, selected);
    QFETCH(int, caret);

    QLineEdit *target = field(fieldName);
    target->setText(startText);
    // Reach the field with Tab, as a user would, from the "Reset" button
    // (the focus starts in X1, and X1 must gain it anew).
    button("Command4")->setFocus(Qt::OtherFocusReason);
    for (int tabs = 0; tabs < 16 && QApplication::focusWidget() != target; ++tabs)
        press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), target);

    keys.simulate(nullptr);

    QCOMPARE(target->text(), text);
    QCOMPARE(target->selectedText(), selected);
    QCOMPARE(target->cursorPosition(), caret);
}

void TestForm1Entry::tabbingThroughFilledFieldsKeepsTheirValues()
{
    const QStringList values{"1,5", "-2", "0,25", "7", "3"};
    for (const QString &value : values) {
        type(value.startsWith(QLatin1Char('-')) ? value.mid(1) : value);
        if (value.startsWith(QLatin1Char('-')))
            press(Qt::Key_Down);
        press(Qt::Key_Tab);
    }
    press(Qt::Key_Down);   // target -1
    // Twice round the whole window.
    for (int i = 0; i < 2 * 16; ++i)
        press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), field("txtOut"));

    const QStringList kept{field("Txt1")->text(), field("Txt2")->text(), field("Txt3")->text(),
                           field("Txt4")->text(), field("Txt5")->text()};
    QCOMPARE(kept, values);
    QCOMPARE(field("txtOut")->text(), QStringLiteral("-1"));
    QCOMPARE(field("Text1")->text(), QStringLiteral("0,2"));
    QCOMPARE(field("Text2")->text(), QStringLiteral("10000"));
}

void TestForm1Entry::shiftTabBackKeepsTheValue()
{
    type(QStringLiteral("6"));
    press(Qt::Key_Tab);
    type(QStringLiteral("9"));
    // Shift+Tab as a keyboard sends it: Shift down, Tab down (focus moves
    // back to X1), Tab up and Shift up in X1.
    QTest::keyPress(static_cast<QWidget *>(nullptr), Qt::Key_Shift);
    QTest::keyPress(static_cast<QWidget *>(nullptr), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), field("Txt1"));
    QTest::keyRelease(static_cast<QWidget *>(nullptr), Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyRelease(static_cast<QWidget *>(nullptr), Qt::Key_Shift);

    QCOMPARE(field("Txt1")->text(), QStringLiteral("6"));
    QCOMPARE(field("Txt1")->selectedText(), QStringLiteral("6"));
    QCOMPARE(field("Txt2")->text(), QStringLiteral("9"));
}

void TestForm1Entry::emptiedInputBecomesZeroWhenLeft()
{
    press(Qt::Key_Tab);   // X2, "0" selected
    press(Qt::Key_Backspace);
    QCOMPARE(field("Txt2")->text(), QString());
    press(Qt::Key_Tab);
    QCOMPARE(field("Txt2")->text(), QStringLiteral("0"));
}

void TestForm1Entry::blankOutputStaysBlankWhenLeft()
{
    addSample({"1", "1", "0", "0", "0"}, Qt::Key_Up);
    clickSample(0);
    QCOMPARE(field("txtOut")->text(), QString());
    focusByMouse("txtOut");
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), button("Command3"));
    QCOMPARE(field("txtOut")->text(), QString());
    // "aggiungi" refuses the blank target: the sample is not added twice.
    click("Command3");
    QCOMPARE(list()->count(), 1);
}

void TestForm1Entry::autoRepeatReleaseIsNotARelease()
{
    QLineEdit *input = field("Txt1");
    type(QStringLiteral("5"));
    // Holding "a": presses and auto-repeat releases, then the real release.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QKeyEvent repeatedRelease(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), true);
    QApplication::sendEvent(input, &press);
    QApplication::sendEvent(input, &repeatedRelease);
    QCOMPARE(input->text(), QStringLiteral("5a"));
    QTest::keyRelease(input, Qt::Key_A);
    QCOMPARE(input->text(), QStringLiteral("0"));
}

void TestForm1Entry::windowLosingActivationKeepsTheCaret()
{
    QLineEdit *input = field("Txt1");
    type(QStringLiteral("123"));
    press(Qt::Key_Left);
    QCOMPARE(input->cursorPosition(), 2);

    // Another window comes to the front, then the user returns.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));

    QCOMPARE(QApplication::focusWidget(), input);
    QCOMPARE(input->selectedText(), QString());
    QCOMPARE(input->cursorPosition(), 2);
    // The release of the Alt of Alt+Tab, arriving on return, is not a key
    // typed here.
    QTest::keyRelease(static_cast<QWidget *>(nullptr), Qt::Key_Alt);
    QCOMPARE(input->text(), QStringLiteral("123"));
}

void TestForm1Entry::focusMovedWhileInactiveCountsAsLeaving()
{
    press(Qt::Key_Backspace);   // X1 emptied
    QCOMPARE(field("Txt1")->text(), QString());

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    // A click into X3 of the inactive window, reaching it before activation.
    field("Txt3")->setFocus(Qt::MouseFocusReason);
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));

    QCOMPARE(QApplication::focusWidget(), field("Txt3"));
    QCOMPARE(field("Txt1")->text(), QStringLiteral("0"));
    QCOMPARE(field("Txt3")->selectedText(), QStringLiteral("0"));
    // X1 gains the focus anew later: its text is selected again.
    focusByMouse("Txt1");
    press(Qt::Key_Tab);
    QTest::keyClick(static_cast<QWidget *>(nullptr), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(field("Txt1")->selectedText(), QStringLiteral("0"));
}

void TestForm1Entry::clickBringingTheFocusSelectsLikeTab_data()
{
    QTest::addColumn<QString>("before");   // a button clicked first, or none
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");

    QTest::newRow("X3 clicked, 5 typed over its 0") << "" << "Txt3" << "0" << "5" << "5";
    QTest::newRow("X5 clicked, 2 typed over 0,75") << "" << "Txt5" << "0,75" << "2" << "2";
    QTest::newRow("Eta clicked, 7 typed over 0,2") << "" << "Text1" << "0,2" << "7" << "7";
    QTest::newRow("Eta clicked, 7 typed over the start of 0,05") << "" << "Text1" << "0,05" << "7" << "75";
    QTest::newRow("output clicked, 1 typed over -1") << "" << "txtOut" << "-1" << "1" << "1";
    // "aggiungi" gives X1 the focus, its text selected, before the click.
    QTest::newRow("X1 clicked after aggiungi, 7 typed over its 1") << "Command3" << "Txt1" << "1" << "7" << "7";
}

void TestForm1Entry::clickBringingTheFocusSelectsLikeTab()
{
    QFETCH(QString, before);
    QFETCH(QString, fieldName);
    QFETCH(QString, startText);
    QFETCH(QString, typed);
    QFETCH(QString, text);

    QLineEdit *target = field(fieldName);
    target->setText(startText);
    if (!before.isEmpty())
        click(before);
    focusByMouse(fieldName);
    QCOMPARE(QApplication::focusWidget(), target);
    type(typed);
    QCOMPARE(target->text(), text);
}

void TestForm1Entry::clickOrDragInTheFocusedFieldIsAsUsual()
{
    QLineEdit *input = field("Txt3");
    input->setText(QStringLiteral("12345"));
    // Where the caret stands between "12" and "345", and after the end.
    input->setCursorPosition(2);
    const QPoint betweenDigits = input->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    input->setCursorPosition(5);
    const QPoint end = input->inputMethodQuery(Qt::ImCursorRectangle).toRect().center() + QPoint(4, 0);

    focusByMouse("Txt3");
    QCOMPARE(input->selectedText(), QStringLiteral("12345"));
    // A second click places the caret.
    QTest::mouseClick(input, Qt::LeftButton, Qt::NoModifier, end);
    QCOMPARE(input->selectedText(), QString());
    QCOMPARE(input->cursorPosition(), 5);

    // A drag that brings the focus selects what was dragged over.
    focusByMouse("Txt1");
    QTest::mousePress(input, Qt::LeftButton, Qt::NoModifier, betweenDigits);
    QCOMPARE(input->selectedText(), QStringLiteral("12345"));
    QMouseEvent drag(QEvent::MouseMove, end, input->mapToGlobal(end), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(input, &drag);
    QTest::mouseRelease(input, Qt::LeftButton, Qt::NoModifier, end);
    QCOMPARE(input->selectedText(), QStringLiteral("345"));
}

void TestForm1Entry::wheelOverTheOutputSetsTheTarget_data()
{
    QTest::addColumn<QString>("fieldName");   // under the pointer
    QTest::addColumn<QString>("startText");
    QTest::addColumn<int>("turned");          // eighths of a degree, up > 0
    QTest::addColumn<bool>("inverted");       // the system reverses scrolling
    QTest::addColumn<QString>("text");

    QTest::newRow("turned down over the output sets -1") << "txtOut" << "1" << -120 << false << "-1";
    QTest::newRow("turned up over the output sets 1") << "txtOut" << "-1" << 120 << false << "1";
    QTest::newRow("turned down with reversed scrolling sets -1") << "txtOut" << "1" << 120 << true << "-1";
    QTest::newRow("turned down over X3 changes nothing") << "Txt3" << "1" << -120 << false << "1";
}

void TestForm1Entry::wheelOverTheOutputSetsTheTarget()
{
    QFETCH(QString, fieldName);
    QFETCH(QString, startText);
    QFETCH(int, turned);
    QFETCH(bool, inverted);
    QFETCH(QString, text);

    QLineEdit *under = field(fieldName);
    under->setText(startText);
    type(QStringLiteral("3"));   // into X1, which keeps the focus
    const QPoint centre = under->rect().center();
    QWheelEvent wheel(centre, under->mapToGlobal(centre), QPoint(), QPoint(0, turned), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, inverted);
    QApplication::sendEvent(under, &wheel);

    QCOMPARE(under->text(), text);
    QCOMPARE(QApplication::focusWidget(), field("Txt1"));
    QCOMPARE(field("Txt1")->text(), QStringLiteral("3"));
}

void TestForm1Entry::fieldMenusSpeakItalian()
{
    const std::unique_ptr<QMenu> menu(field("Txt1")->createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().section(QLatin1Char('\t'), 0, 0);
    QCOMPARE(texts.size(), 7);
    for (const char *english : {"&Undo", "&Redo", "Cu&t", "&Copy", "&Paste", "Delete", "Select All"})
        QVERIFY2(!texts.contains(QString::fromLatin1(english)), qPrintable(texts.join(QStringLiteral(", "))));
    QVERIFY2(texts.contains(QStringLiteral("&Incolla")), qPrintable(texts.join(QStringLiteral(", "))));
}

// ---------------------------------------------------------------------------
// Bad input: a message, and nothing else changes

void TestForm1Entry::badInput_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QTestEventList>("keys");   // typed into the field, its text selected
    QTest::addColumn<QString>("pasted");        // or, when not empty, pasted as its text
    QTest::addColumn<QString>("action");        // a button, or "Down" for the arrow in the field
    QTest::addColumn<QString>("message");

    QTestEventList none;
    QTestEventList keys;

    keys.clear();
    keys.addKeyClicks(QStringLiteral("1,2,3"));
    QTest::newRow("add with X3 '1,2,3'") << "Txt3" << keys << "" << "Command3" << "Valore non valido in X3";
    QTest::newRow("add with X1 pasted 'abc'") << "Txt1" << none << "abc" << "Command3" << "Valore non valido in X1";

    keys.clear();
    keys.addKeyClick(Qt::Key_Minus, Qt::KeypadModifier);
    QTest::newRow("add with target '-'") << "txtOut" << keys << "" << "Command3" << "Valore non valido in Uscita";
    QTest::newRow("compute with X5 '-'") << "Txt5" << keys << "" << "Command1" << "Valore non valido in X5";
    QTest::newRow("Down in X2 holding '-'") << "Txt2" << keys << "" << "Down" << "Valore non valido in X2";

    keys.clear();
    keys.addKeyClicks(QStringLiteral(",,"));
    QTest::newRow("train with Eta ',,'") << "Text1" << keys << "" << "Command2" << "Valore non valido in Eta";

    keys.clear();
    keys.addKeyClicks(QStringLiteral("40000"));
    QTest::newRow("train with limit 40000") << "Text2" << keys << "" << "Command2"
                                              << "Valore non valido in N° cicli Max (da -32768 a 32767)";

    keys.clear();
    keys.addKeyClicks(QStringLiteral("dieci"));
    QTest::newRow("train with limit 'dieci'") << "Text2" << keys << "" << "Command2"
                                              << "Valore non valido in N° cicli Max (da -32768 a 32767)";
}

void TestForm1Entry::badInput()
{
    QFETCH(QString, fieldName);
    QFETCH(QTestEventList, keys);
    QFETCH(QString, pasted);
    QFETCH(QString, action);
    QFETCH(QString, message);

    // Two samples and a training first, so that there is something to lose.
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"0", "1", "0", "0", "0"}, Qt::Key_Down);
    click("Command2");
    const QStringList lines = listLines(list());
    const vintrelle::WeightVector weights = form->networkState().Weights;
    const QString passes = label("Label9")->text();
    const float eta = form->networkState().Eta;

    QLineEdit *spoilt = field(fieldName);
    focusByMouse(fieldName);
    spoilt->selectAll();
    if (pasted.isEmpty())
        keys.simulate(nullptr);
    else
        spoilt->setText(pasted);
    const QString bad = spoilt->text();
    const QString output = field("txtOut")->text();
    QVERIFY2(bad != QStringLiteral("0") && bad != QStringLiteral("1"), qPrintable(bad));

    if (action == QStringLiteral("Down"))
        press(Qt::Key_Down);
    else
        click(action);

    QCOMPARE(label("Label1")->text(), message);
    QCOMPARE(spoilt->text(), bad);
    QCOMPARE(field("txtOut")->text(), output);
    QCOMPARE(listLines(list()), lines);
    QCOMPARE(form->sampleStore().count(), 2);
    QVERIFY(form->networkState().Weights == weights);
    QCOMPARE(form->networkState().Eta, eta);
    QCOMPARE(label("Label9")->text(), passes);
}

void TestForm1Entry::trainingOverflowIsReported()
{
    // A huge input, its sign wrongly taught, and a huge learning rate: the
    // first correction is beyond the float range.
    addSample({"100000000000000000000", "0", "0", "0", "0"}, Qt::Key_Down);
    typeLearningRate(QStringLiteral("1000000000000000000000000000000000000"));
    const vintrelle::WeightVector before = form->networkState().Weights;
    click("Command2");

    QCOMPARE(label("Label1")->text(), QStringLiteral("Addestramento interrotto: overflow numerico"));
    QCOMPARE(label("Label9")->text(), QStringLiteral("N°Cicli:1/10000"));
    QVERIFY(form->networkState().Weights == before);
}

void TestForm1Entry::computeOverflowIsReported()
{
    type(QStringLiteral("1") + QString(300, QLatin1Char('0')));
    QCOMPARE(field("Txt1")->text().size(), 301);
    field("txtOut")->setText(QStringLiteral("-1"));
    click("Command1");
    QCOMPARE(label("Label1")->text(), QStringLiteral("Calcolo interrotto: overflow numerico"));
    QCOMPARE(field("txtOut")->text(), QStringLiteral("-1"));
}

WINDOW_TEST_MAIN(TestForm1Entry)
#include "tst_form1_entry.moc"
