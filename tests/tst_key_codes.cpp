#include "ui/key_codes.h"

#include <QKeyEvent>
#include <QTest>

using vintrelle::ui::UnknownKeyCode;
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

    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << 8;
    QTest::newRow("Tab") << int(Qt::Key_Tab) << none << 9;
    QTest::newRow("Shift+Tab is still Tab") << int(Qt::Key_Backtab) << shift << 9;
    QTest::newRow("Return") << int(Qt::Key_Return) << none << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << 13;
    QTest::newRow("Shift") << int(Qt::Key_Shift) << shift << 16;
    QTest::newRow("Ctrl") << int(Qt::Key_Control) << Qt::KeyboardModifiers(Qt::ControlModifier) << 17;
    QTest::newRow("Alt") << int(Qt::Key_Alt) << Qt::KeyboardModifiers(Qt::AltModifier) << 18;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << none << 27;
    QTest::newRow("Space") << int(Qt::Key_Space) << none << 32;
    QTest::newRow("Left") << int(Qt::Key_Left) << none << 37;
    QTest::newRow("Up") << int(Qt::Key_Up) << none << 38;
    QTest::newRow("Right") << int(Qt::Key_Right) << none << 39;
    QTest::newRow("Down") << int(Qt::Key_Down) << none << 40;
    QTest::newRow("keypad 8 without Num Lock is Up") << int(Qt::Key_Up) << keypad << 38;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << 46;
    QTest::newRow("keypad Del without Num Lock is Delete") << int(Qt::Key_Delete) << keypad << 46;
    QTest::newRow("digit 0") << int(Qt::Key_0) << none << 48;
    QTest::newRow("digit 1") << int(Qt::Key_1) << none << 49;
    QTest::newRow("digit 9") << int(Qt::Key_9) << none << 57;
    QTest::newRow("letter A") << int(Qt::Key_A) << none << 65;
    QTest::newRow("letter a with Shift") << int(Qt::Key_A) << shift << 65;
    QTest::newRow("letter Z") << int(Qt::Key_Z) << none << 90;
    QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 96;
    QTest::newRow("keypad 1") << int(Qt::Key_1) << keypad << 97;
    QTest::newRow("keypad 9") << int(Qt::Key_9) << keypad << 105;
    QTest::newRow("keypad minus") << int(Qt::Key_Minus) << keypad << 109;
    QTest::newRow("keypad decimal as period") << int(Qt::Key_Period) << keypad << 110;
    QTest::newRow("keypad decimal as comma") << int(Qt::Key_Comma) << keypad << 110;
    QTest::newRow("keypad plus") << int(Qt::Key_Plus) << keypad << 107;
    QTest::newRow("F1") << int(Qt::Key_F1) << none << 112;
    QTest::newRow("F12") << int(Qt::Key_F12) << none << 123;
    QTest::newRow("main comma") << int(Qt::Key_Comma) << none << 188;
    QTest::newRow("main minus") << int(Qt::Key_Minus) << none << 189;
    QTest::newRow("main period") << int(Qt::Key_Period) << none << 190;
    QTest::newRow("percent (Shift+5) is unknown") << int(Qt::Key_Percent) << shift << UnknownKeyCode;
    QTest::newRow("e grave is unknown") << int(Qt::Key_Egrave) << none << UnknownKeyCode;
    QTest::newRow("no key at all is unknown") << 0 << none << UnknownKeyCode;
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
