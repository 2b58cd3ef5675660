// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/entry_rules.h"
#include "ui/key_codes.h"

#include <QKeyEvent>
#include <QTest>

namespace vk = vintrelle::ui::vk;
using vintrelle::ui::virtualKeyCode;

class TestKeyCodes : public QObject
{
    Q_OBJECT

private slots:
    void codeOfKeyEvent_data();
    void codeOfKeyEvent();
};

void TestKeyCodes::codeOfKeyEvent_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("code");

    const Qt::KeyboardModifiers none;
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;

    const int other = vk::OtherKey;

    // The keys the entry rules name.
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << 8;
    QTest::newRow("Left") << int(Qt::Key_Left) << none << 37;
    QTest::newRow("Up") << int(Qt::Key_Up) << none << 38;
    QTest::newRow("Right") << int(Qt::Key_Right) << none << 39;
    QTest::newRow("Down") << int(Qt::Key_Down) << none << 40;
    QTest::newRow("keypad 8 without Num Lock is Up") << int(Qt::Key_Up) << keypad << 38;
    QTest::newRow("keypad 2 without Num Lock is Down") << int(Qt::Key_Down) << keypad << 40;
    QTest::newRow("keypad 4 without Num Lock is Left") << int(Qt::Key_Left) << keypad << 37;
    QTest::newRow("digit 0") << int(Qt::Key_0) << none << 48;
    QTest::newRow("digit 1") << int(Qt::Key_1) << none << 49;
    QTest::newRow("digit 9") << int(Qt::Key_9) << none << 57;
    QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 96;
    QTest::newRow("keypad 1") << int(Qt::Key_1) << keypad << 97;
    QTest::newRow("keypad 9") << int(Qt::Key_9) << keypad << 105;
    QTest::newRow("keypad minus") << int(Qt::Key_Minus) << keypad << 109;
    QTest::newRow("keypad decimal as period") << int(Qt::Key_Period) << keypad << 110;
    QTest::newRow("keypad decimal as comma") << int(Qt::Key_Comma) << keypad << 110;
    QTest::newRow("main comma") << int(Qt::Key_Comma) << none << 188;
    QTest::newRow("main period") << int(Qt::Key_Period) << none << 190;

    // Every other key is one and the same.
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << other;
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << shift << other;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << other;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << other;
    QTest::newRow("Shift") << int(Qt::Key_Shift) << shift << other;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << other;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << other;
    QTest::newRow("keypad Home without Num Lock") << int(Qt::Key_Home) << keypad << other;
    QTest::newRow("letter A") << int(Qt::Key_A) << none << other;
    QTest::newRow("keypad plus") << int(Qt::Key_Plus) << keypad << other;
    QTest::newRow("main minus") << int(Qt::Key_Minus) << none << other;
    QTest::newRow("percent (Shift+5)") << int(Qt::Key_Percent) << shift << other;
    QTest::newRow("no key at all") << 0 << none << other;
}

void TestKeyCodes::codeOfKeyEvent()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, code);

    const QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCOMPARE(virtualKeyCode(press), code);
}

QTEST_APPLESS_MAIN(TestKeyCodes)
#include "tst_key_codes.moc"
