// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The window in use: a whole session from the first sample to "Reset", the
// sample list as samples are added, selected and removed, and what each
// button does.

#include "core/messages.h"
#include "ui/form1.h"
#include "window_test_support.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTestEventList>

#include <array>
#include <cstdint>
#include <utility>

using namespace window_test;
namespace messages = vintrelle::messages;

class TestForm1Samples : public WindowTest
{
    Q_OBJECT

private slots:
    // The typical use, start to end
    void typicalSession();

    // Samples
    void twelfthAddChangesNothing();
    void addWithBlankOutputChangesNothing();
    void removeWithNothingSelectedChangesNothing();
    void removeFirstOfThreeShiftsTheRest();
    void listScrollsToEachNewSample();
    void keysInTheListLoadTheLineShownSelected_data();
    void keysInTheListLoadTheLineShownSelected();

    // Buttons
    void computeWithDefaultsIsMinusOneAndRepeatable();
    void trainingWithoutSamplesPassesTheLimit();
    void resetEmptiesTheListButKeepsSettings();
};

// ---------------------------------------------------------------------------
// The typical use, start to end

void TestForm1Samples::typicalSession()
{
    // Two samples, typed and set with the arrows.
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Up);
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sample N°0"));
    QCOMPARE(QApplication::focusWidget(), field("Txt1"));
    QCOMPARE(field("Txt1")->selectedText(), QStringLiteral("1"));

    addSample({"0", "1", "0", "0,5", "0"}, Qt::Key_Down);
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sample N°1"));
    QCOMPARE(listLines(list()), QStringList({" 1 ; 0 ; 0 ; 0 ; 0   :   1", " 0 ; 1 ; 0 ; 0,5 ; 0   :   -1"}));
    QCOMPARE(form->sampleStore().count(), 2);
    QCOMPARE(form->sampleStore().row(1)[0], -1.0f);   // the bias input
    QCOMPARE(form->sampleStore().row(1)[4], 0.5f);
    QCOMPARE(form->sampleStore().row(1)[6], -1.0f);

    // Training converges on two separable samples.
    click("Command2");
    QCOMPARE(label("Label1")->text(), QStringLiteral("Addestata"));
    const QString passes = label("Label9")->text();
    QVERIFY2(passes.startsWith(QStringLiteral("N°Cicli:")) && passes.endsWith(QStringLiteral("/10000")), qPrintable(passes));
    const int made = passes.mid(8, passes.indexOf(QLatin1Char('/')) - 8).toInt();
    QVERIFY(made >= 1 && made <= 10000);
    QCOMPARE(form->networkState().Eta, 0.2f);
    QCOMPARE(form->networkState().MaxCycles, std::int16_t{10000});

    // Selecting a sample loads its inputs and blanks the output; "Calcola"
    // answers with the target it was trained on.
    clickSample(1);
    const QStringList loaded{field("Txt1")->text(), field("Txt2")->text(), field("Txt3")->text(),
                             field("Txt4")->text(), field("Txt5")->text()};
    QCOMPARE(loaded, QStringList({"0", "1", "0", "0,5", "0"}));
    QCOMPARE(field("txtOut")->text(), QString());
    click("Command1");
    QCOMPARE(field("txtOut")->text(), QStringLiteral("-1"));
    QCOMPARE(label("Label1")->text(), QStringLiteral("Calcolato: "));

    clickSample(0);
    QCOMPARE(field("Txt1")->text(), QStringLiteral("1"));
    QCOMPARE(field("Txt4")->text(), QStringLiteral("0"));
    click("Command1");
    QCOMPARE(field("txtOut")->text(), QStringLiteral("1"));

    // Remove the selected first sample: the second moves up.
    clickSample(0);
    click("Command6");
    QCOMPARE(listLines(list()), QStringList({" 0 ; 1 ; 0 ; 0,5 ; 0   :   -1"}));
    QCOMPARE(form->sampleStore().count(), 1);
    QCOMPARE(form->sampleStore().row(0)[2], 1.0f);
    QCOMPARE(field("txtOut")->text(), QStringLiteral("1"));
    QCOMPARE(list()->selectedItems().size(), 0);

    // New weights keep the sample.
    const vintrelle::WeightVector trained = form->networkState().Weights;
    click("Command5");
    QCOMPARE(label("Label1")->text(), QStringLiteral("Rete Reinizializzata"));
    QVERIFY(form->networkState().Weights != trained);
    QCOMPARE(list()->count(), 1);
    QCOMPARE(form->sampleStore().count(), 1);

    // Reset: back to the start-up condition; the pass display stays.
    click("Command4");
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sistema Reinizializzato"));
    QCOMPARE(list()->count(), 0);
    QCOMPARE(form->sampleStore().count(), 0);
    QCOMPARE(field("txtOut")->text(), QStringLiteral("1"));
    QCOMPARE(label("Label9")->text(), passes);
}

// ---------------------------------------------------------------------------
// Samples

void TestForm1Samples::twelfthAddChangesNothing()
{
    for (int i = 0; i < 11; ++i) {
        addSample({QString::number(i), "0", "0", "0", "0"}, Qt::Key_Up);
        QCOMPARE(label("Label1")->text(), qText(messages::sampleStored(i)));
    }
    const QStringList eleven = listLines(list());
    QCOMPARE(eleven.size(), 11);

    addSample({"99", "0", "0", "0", "0"}, Qt::Key_Down);
    QCOMPARE(listLines(list()), eleven);
    QCOMPARE(form->sampleStore().count(), 11);
    QCOMPARE(form->sampleStore().row(10)[1], 10.0f);
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sample N°10"));
}

void TestForm1Samples::addWithBlankOutputChangesNothing()
{
    field("txtOut")->setText(QStringLiteral("  "));
    click("Command3");
    QCOMPARE(list()->count(), 0);
    QCOMPARE(form->sampleStore().count(), 0);
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sistema Reinizializzato"));
}

void TestForm1Samples::removeWithNothingSelectedChangesNothing()
{
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"2", "0", "0", "0", "0"}, Qt::Key_Up);
    field("txtOut")->setText(QStringLiteral("-1"));
    click("Command6");
    QCOMPARE(list()->count(), 2);
    QCOMPARE(form->sampleStore().count(), 2);
    QCOMPARE(field("txtOut")->text(), QStringLiteral("-1"));
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sample N°1"));
}

void TestForm1Samples::removeFirstOfThreeShiftsTheRest()
{
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"2", "0", "0", "0", "0"}, Qt::Key_Down);
    addSample({"3", "0", "0", "0", "0"}, Qt::Key_Up);
    clickSample(0);
    click("Command6");
    QCOMPARE(listLines(list()), QStringList({" 2 ; 0 ; 0 ; 0 ; 0   :   -1", " 3 ; 0 ; 0 ; 0 ; 0   :   1"}));
    QCOMPARE(form->sampleStore().count(), 2);
    QCOMPARE(form->sampleStore().row(0)[1], 2.0f);
    QCOMPARE(form->sampleStore().row(0)[6], -1.0f);
    QCOMPARE(form->sampleStore().row(1)[1], 3.0f);
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sample N°2"));

    // Nothing is selected now: a second "Rimuovi" removes nothing.
    field("txtOut")->setText(QStringLiteral("-1"));
    click("Command6");
    QCOMPARE(list()->count(), 2);
    QCOMPARE(field("txtOut")->text(), QStringLiteral("-1"));

    // A later add goes to the end, paired with row 2.
    focusByMouse("Txt1");
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Up);
    click("Command3");
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sample N°2"));
    QCOMPARE(form->sampleStore().count(), 3);
}

void TestForm1Samples::listScrollsToEachNewSample()
{
    for (int i = 0; i < 11; ++i) {
        addSample({QString::number(i), "0", "0", "0", "0"}, Qt::Key_Up);
        const QRect line = list()->visualItemRect(list()->item(i));
        QVERIFY2(list()->viewport()->rect().contains(line), qPrintable(QStringLiteral("sample %1").arg(i)));
        // Shown, not selected: selecting would load it into the fields.
        QCOMPARE(list()->selectedItems().size(), 0);
    }
    QCOMPARE(field("txtOut")->text(), QStringLiteral("1"));
}

void TestForm1Samples::keysInTheListLoadTheLineShownSelected_data()
{
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<int>("row");   // selected and current afterwards; -1: none

    QTestEventList keys;
    QTest::newRow("Tab into the list marks no line") << keys << -1;
    const std::array<std::pair<const char *, Qt::Key>, 4> firstKeys{
        {{"first Down selects line 0", Qt::Key_Down},
         {"first Space selects line 0", Qt::Key_Space},
         {"first Home selects line 0", Qt::Key_Home},
         {"first Up selects line 0", Qt::Key_Up}}};
    for (const auto &[name, key] : firstKeys) {
        keys.clear();
        keys.addKeyClick(key);
        QTest::newRow(name) << keys << 0;
    }
    keys.clear();
    keys.addKeyClick(Qt::Key_Down);
    keys.addKeyClick(Qt::Key_Down);
    QTest::newRow("Down twice selects line 1") << keys << 1;
    keys.addKeyClick(Qt::Key_Up);
    QTest::newRow("Down twice and Up select line 0") << keys << 0;
    keys.clear();
    keys.addKeyClick(Qt::Key_Down);
    keys.addKeyClick(Qt::Key_Space);
    keys.addKeyClick(Qt::Key_Space);
    QTest::newRow("Space on the selected line keeps it") << keys << 0;
    keys.addKeyClick(Qt::Key_Space, Qt::ShiftModifier);
    QTest::newRow("Shift+Space searches no line") << keys << 0;
    keys.clear();
    keys.addKeyClick(Qt::Key_End);
    QTest::newRow("End selects the last line") << keys << 2;
}

void TestForm1Samples::keysInTheListLoadTheLineShownSelected()
{
    QFETCH(QTestEventList, keys);
    QFETCH(int, row);

    addSample({"1", "2", "3", "4", "5"}, Qt::Key_Up);
    addSample({"6", "7", "8", "9", "0,5"}, Qt::Key_Down);
    addSample({"11", "0", "0", "0", "0"}, Qt::Key_Up);
    button("Command4")->setFocus(Qt::OtherFocusReason);
    press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), list());

    keys.simulate(nullptr);

    QCOMPARE(list()->currentRow(), row);
    const QList<QListWidgetItem *> selected = list()->selectedItems();
    QCOMPARE(selected.isEmpty() ? -1 : list()->row(selected.front()), row);
    const QStringList firstInputs{"1", "6", "11"};
    // X1 holds the last sample typed until a line is loaded.
    QCOMPARE(field("Txt1")->text(), row < 0 ? QStringLiteral("11") : firstInputs[row]);
    QCOMPARE(field("txtOut")->text(), row < 0 ? QStringLiteral("1") : QString());
}

// ---------------------------------------------------------------------------
// Buttons

void TestForm1Samples::computeWithDefaultsIsMinusOneAndRepeatable()
{
    // Bias -1 and five zeros: the sum is minus weight 0, below 0 unless the
    // drawn weight happens to be exactly 0.
    QVERIFY(form->networkState().Weights[0] > 0.0f);
    const vintrelle::WeightVector before = form->networkState().Weights;
    click("Command1");
    QCOMPARE(field("txtOut")->text(), QStringLiteral("-1"));
    QCOMPARE(label("Label1")->text(), QStringLiteral("Calcolato: "));
    click("Command1");
    QCOMPARE(field("txtOut")->text(), QStringLiteral("-1"));
    QVERIFY(form->networkState().Weights == before);
}

void TestForm1Samples::trainingWithoutSamplesPassesTheLimit()
{
    click("Command2");
    QCOMPARE(label("Label1")->text(), QStringLiteral("Superati i limiti per i cicli di addestramento"));
    QCOMPARE(label("Label9")->text(), QStringLiteral("N°Cicli:10001/10000"));
}

void TestForm1Samples::resetEmptiesTheListButKeepsSettings()
{
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"0", "1", "0", "0", "0"}, Qt::Key_Down);
    click("Command2");
    const QString passes = label("Label9")->text();
    field("Text1")->setText(QStringLiteral("0,7"));
    field("Txt3")->setText(QStringLiteral("4"));
    field("txtOut")->setText(QStringLiteral("-1"));
    click("Command4");
    QCOMPARE(field("txtOut")->text(), QStringLiteral("1"));

    QCOMPARE(list()->count(), 0);
    QCOMPARE(form->sampleStore().count(), 0);
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sistema Reinizializzato"));
    QCOMPARE(label("Label9")->text(), passes);
    QCOMPARE(field("Text1")->text(), QStringLiteral("0,7"));
    QCOMPARE(field("Txt3")->text(), QStringLiteral("4"));
    QCOMPARE(form->networkState().Eta, 0.2f);

    focusByMouse("Txt1");
    for (int i = 0; i < 5; ++i)
        press(Qt::Key_Tab);
    press(Qt::Key_Up);
    click("Command3");
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sample N°0"));
    QCOMPARE(form->sampleStore().row(0)[3], 4.0f);
}

WINDOW_TEST_MAIN(TestForm1Samples)
#include "tst_form1_samples.moc"
