// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The window as a screen reader meets it: Italian names and descriptions,
// captions tied to their controls, each action's outcome announced once, the
// controls found under a point, and a focus that can be seen.

#include "core/messages.h"
#include "ui/form1.h"
#include "ui/neuron_diagram.h"
#include "ui/reason_panel.h"
#include "ui/sample_list.h"
#include "ui/status_line.h"
#include "colour_contrast.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <array>
#include <functional>
#include <utility>

using namespace window_test;
namespace messages = vintrelle::messages;

class TestForm1ScreenReaders : public WindowTest
{
    Q_OBJECT

private slots:
    // Screen readers
    void controlsHaveItalianAccessibleTexts_data();
    void controlsHaveItalianAccessibleTexts();
    void everyFocusableControlHasAName();
    void captionsLabelTheirControls();
    void statusAndPassesAreReadWithTheirCaptions();
    void eachActionAnnouncesWhatItShowsOnce();
    void windowIsAFrameAndTheStatusLineAStatusBar();
    void aPointOverAControlFindsTheControl();
    void noLineIsCurrentWithoutTheFocus();
    void clickBringingTheFocusLandsOnTheLineUnderTheMouse();
    void listAndDiagramShowTheFocus();
    void theReasonIsReachedByTabFromX1();
};

// ---------------------------------------------------------------------------
// Screen readers

void TestForm1ScreenReaders::controlsHaveItalianAccessibleTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");

    // Each name begins with the caption the control shows or sits beside.
    QTest::newRow("bias input") << "Txt0" << "Bias";
    QTest::newRow("input X1") << "Txt1" << "X1";
    QTest::newRow("input X2") << "Txt2" << "X2";
    QTest::newRow("input X3") << "Txt3" << "X3";
    QTest::newRow("input X4") << "Txt4" << "X4";
    QTest::newRow("input X5") << "Txt5" << "X5";
    QTest::newRow("output field") << "txtOut" << "Uscita";
    QTest::newRow("learning rate") << "Text1" << "Eta";
    QTest::newRow("cycle limit") << "Text2" << "N° cicli Max";
    QTest::newRow("sample list") << "List1" << "Sample";
    QTest::newRow("Calcola") << "Command1" << "Calcola";
    QTest::newRow("Addestra") << "Command2" << "Addestra";
    QTest::newRow("aggiungi") << "Command3" << "aggiungi";
    QTest::newRow("Reset") << "Command4" << "Reset";
    QTest::newRow("Reinizializza Pesi") << "Command5" << "Reinizializza Pesi";
    QTest::newRow("Rimuovi") << "Command6" << "Rimuovi";
    QTest::newRow("status line") << "Label1" << "Sistema Reinizializzato";
    QTest::newRow("pass display") << "Label9" << "N°Cicli :";
    QTest::newRow("neuron diagram") << "NeuronDiagram" << "Schema del neurone";
}

void TestForm1ScreenReaders::controlsHaveItalianAccessibleTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    auto *widget = form->findChild<QWidget *>(name);
    QVERIFY(widget != nullptr);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible != nullptr);
    QCOMPARE(accessible->text(QAccessible::Name), accessibleName);
    const QString description = accessible->text(QAccessible::Description);
    QVERIFY2(description.size() > 10, qPrintable(description));
    QVERIFY(description != accessibleName);
}

void TestForm1ScreenReaders::everyFocusableControlHasAName()
{
    int focusable = 0;
    QStringList names;
    for (QWidget *widget : form->findChildren<QWidget *>()) {
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        ++focusable;
        const QString name = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(widget->objectName()));
        names << name;
    }
    // Six inputs, the output, Eta, the cycle limit, the list, six buttons,
    // the diagram; each with a name of its own.
    QCOMPARE(focusable, 17);
    names.removeDuplicates();
    QCOMPARE(names.size(), 17);
}

void TestForm1ScreenReaders::captionsLabelTheirControls()
{
    const std::array<std::pair<const char *, const char *>, 9> pairs{{
        {"Label2", "Txt0"}, {"Label3", "Txt1"}, {"Label4", "Txt2"}, {"Label5", "Txt3"}, {"Label6", "Txt4"},
        {"Label7", "Txt5"}, {"Label8", "List1"}, {"Label10", "Text1"}, {"Label11", "Text2"}}};
    const auto related = [this](const char *from, QAccessible::Relation relation) {
        QStringList names;
        QAccessibleInterface *accessible =
            QAccessible::queryAccessibleInterface(form->findChild<QWidget *>(QString::fromLatin1(from)));
        if (accessible != nullptr) {
            for (const auto &[other, kind] : accessible->relations(relation))
                names << other->object()->objectName();
        }
        return names;
    };
    for (const auto &[caption, labelled] : pairs) {
        // The caption names what it labels...
        QCOMPARE(related(caption, QAccessible::Labelled), QStringList{QString::fromLatin1(labelled)});
        // ...and the fields name their caption back (Qt's list tells no
        // relations of its own; its name is its caption).
        if (qstrcmp(labelled, "List1") != 0)
            QCOMPARE(related(labelled, QAccessible::Label), QStringList{QString::fromLatin1(caption)});
    }
}

void TestForm1ScreenReaders::statusAndPassesAreReadWithTheirCaptions()
{
    const auto nameOf = [this](const char *labelName) {
        return QAccessible::queryAccessibleInterface(label(labelName))->text(QAccessible::Name);
    };
    click("Command2");
    QCOMPARE(nameOf("Label1"), QStringLiteral("Superati i limiti per i cicli di addestramento"));
    QCOMPARE(nameOf("Label9"), QStringLiteral("N°Cicli:10001/10000"));
    click("Command5");
    QCOMPARE(nameOf("Label1"), QStringLiteral("Rete Reinizializzata"));
    field("Txt2")->setText(QStringLiteral("abc"));
    click("Command1");
    QCOMPARE(nameOf("Label1"), QStringLiteral("Valore non valido in X2"));
    QCOMPARE(label("Label1")->text(), QStringLiteral("Valore non valido in X2"));
}

void TestForm1ScreenReaders::eachActionAnnouncesWhatItShowsOnce()
{
    // The messages an action announces, and how many.
    const auto announced = [this](const std::function<void()> &action) {
        const int before = statusLine()->announcementCount();
        action();
        return std::make_pair(statusLine()->announcementCount() - before, statusLine()->lastAnnouncement());
    };
    using Result = std::pair<int, QString>;

    QCOMPARE(announced([this] { click("Command3"); }), Result(1, QStringLiteral("Sample N°0")));
    // The answer is heard with "Calcolato: ".
    const Result computed = announced([this] { click("Command1"); });
    QCOMPARE(computed, Result(1, QStringLiteral("Calcolato: ") + field("txtOut")->text()));
    QVERIFY(field("txtOut")->text() == QStringLiteral("1") || field("txtOut")->text() == QStringLiteral("-1"));
    QCOMPARE(label("Label1")->text(), QStringLiteral("Calcolato: "));

    // The same inputs wanting -1 as well: the limit is passed, and only that
    // is heard, with the passes.
    field("txtOut")->setText(QStringLiteral("-1"));
    click("Command3");
    field("Text2")->setText(QStringLiteral("3"));
    const Result limit = announced([this] { click("Command2"); });
    QCOMPARE(limit.first, 1);
    QVERIFY2(limit.second.startsWith(qText(messages::LimitExceeded) + QStringLiteral(". N°Cicli:4/3")),
             qPrintable(limit.second));
    QVERIFY(!limit.second.contains(qText(messages::TrainingConverged)));

    field("Text2")->setText(QStringLiteral("abc"));
    QCOMPARE(announced([this] { click("Command2"); }),
             Result(1, QStringLiteral("Valore non valido in N° cicli Max (da -32768 a 32767)")));
    QCOMPARE(announced([this] { click("Command5"); }), Result(1, qText(messages::NetworkReset)));
    // Nothing selected: "Rimuovi" does nothing, and says nothing.
    QCOMPARE(announced([this] { click("Command6"); }).first, 0);
    QCOMPARE(announced([this] { click("Command4"); }), Result(1, qText(messages::SystemReset)));

    // A sample that converges at once after a reset.
    field("Text2")->setText(QStringLiteral("10000"));
    click("Command3");
    const Result converged = announced([this] { click("Command2"); });
    QCOMPARE(converged.first, 1);
    QVERIFY2(converged.second.startsWith(qText(messages::TrainingConverged) + QStringLiteral(". N°Cicli:")),
             qPrintable(converged.second));
    // An arrow on a lone "-" is refused, and heard.
    field("Txt1")->setFocus();
    field("Txt1")->setText(QStringLiteral("-"));
    QCOMPARE(announced([] { press(Qt::Key_Up); }).first, 1);
    QCOMPARE(statusLine()->lastAnnouncement(), QStringLiteral("Valore non valido in X1"));
}

void TestForm1ScreenReaders::windowIsAFrameAndTheStatusLineAStatusBar()
{
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(form.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), form->windowTitle());
    QAccessibleInterface *status = QAccessible::queryAccessibleInterface(label("Label1"));
    QCOMPARE(status->role(), QAccessible::StatusBar);
    click("Command5");
    QCOMPARE(status->text(QAccessible::Name), qText(messages::NetworkReset));
}

void TestForm1ScreenReaders::aPointOverAControlFindsTheControl()
{
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(form.get());
    for (QWidget *control : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        // The reason's panel is there only while it shows.
        if (control == diagram() || !control->isVisible())
            continue;
        const QPoint centre = control->mapToGlobal(control->rect().center());
        QAccessibleInterface *found = window->childAt(centre.x(), centre.y());
        QVERIFY2(found != nullptr && found->object() == control, qPrintable(control->objectName()));
    }
    // The diagram where it draws, and nowhere else.
    const QAccessibleInterface *drawing = QAccessible::queryAccessibleInterface(diagram());
    const auto at = [&](QPoint inDiagram) {
        const QPoint global = diagram()->mapToGlobal(inDiagram);
        return window->childAt(global.x(), global.y());
    };
    const QLine line3 = vintrelle::ui::NeuronDiagram::lines()[2];
    QCOMPARE(at(line3.center()), drawing);
    QCOMPARE(at(vintrelle::ui::NeuronDiagram::circle().center()), drawing);
    QCOMPARE(at(line3.center() + QPoint(0, 12)), nullptr);
    QVERIFY(!drawing->rect().contains(field("Txt3")->mapToGlobal(field("Txt3")->rect().center())));
    QVERIFY(!drawing->rect().contains(list()->mapToGlobal(list()->rect().center())));
}

void TestForm1ScreenReaders::noLineIsCurrentWithoutTheFocus()
{
    for (int i = 0; i < 3; ++i)
        click("Command3");
    clickSample(1);
    QVERIFY(list()->hasFocus());
    QCOMPARE(list()->currentRow(), 1);
    // The list lets the focus go: the line stays selected, not current.
    button("Command6")->setFocus(Qt::TabFocusReason);
    QCOMPARE(list()->currentRow(), -1);
    QCOMPARE(list()->selectedItems().size(), 1);
    // And gets it back: the selected line is the current one again.
    list()->setFocus(Qt::BacktabFocusReason);
    QCOMPARE(list()->currentRow(), 1);
    button("Command6")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Space);
    QCOMPARE(list()->count(), 2);
    QCOMPARE(list()->currentRow(), -1);
    for (int i = 0; i < list()->count(); ++i) {
        QAccessibleInterface *item = QAccessible::queryAccessibleInterface(list())->child(i);
        QVERIFY(!item->state().focused);
    }
}

void TestForm1ScreenReaders::clickBringingTheFocusLandsOnTheLineUnderTheMouse()
{
    for (int i = 0; i < 11; ++i)
        click("Command3");
    clickSample(10);
    button("Command1")->setFocus(Qt::TabFocusReason);
    // The last line stays selected while the list is scrolled to the top.
    list()->scrollToItem(list()->item(0));
    clickSample(0);
    QCOMPARE(list()->currentRow(), 0);
    QCOMPARE(list()->row(list()->selectedItems().value(0)), 0);
}

void TestForm1ScreenReaders::listAndDiagramShowTheFocus()
{
    click("Command3");
    // Each control's picture with the focus and without it.
    const auto withAndWithout = [this](QWidget *control, QWidget *picture) {
        control->setFocus(Qt::TabFocusReason);
        const QImage focused = picture->grab().toImage();
        button("Command4")->setFocus(Qt::TabFocusReason);
        const QImage unfocused = picture->grab().toImage();
        return std::make_pair(focused, unfocused);
    };
    const auto [listFocused, listUnfocused] = withAndWithout(list(), list());
    QVERIFY(listFocused != listUnfocused);
    // The frame's colour, at least 3:1 against the list's white.
    const QColor frame = vintrelle::ui::SampleList::focusFrameColour();
    QVERIFY(colour::contrastRatio(frame, list()->palette().color(QPalette::Base)) >= 3.0);
    const QPoint inside = list()->viewport()->mapTo(list(), QPoint(list()->viewport()->width() / 2, 0));
    QCOMPARE(QColor(listFocused.pixel(inside * listFocused.devicePixelRatio())), frame);

    const auto [diagramFocused, diagramUnfocused] = withAndWithout(diagram(), diagram());
    QVERIFY(diagramFocused != diagramUnfocused);
    // Only around the circle.
    const QRect ring = vintrelle::ui::NeuronDiagram::focusRing();
    for (int y = 0; y < diagramFocused.height(); y += 3)
        for (int x = 0; x < diagramFocused.width(); x += 3)
            if (!ring.contains(QPoint(x, y) / diagramFocused.devicePixelRatio()))
                QCOMPARE(diagramFocused.pixel(x, y), diagramUnfocused.pixel(x, y));
}

void TestForm1ScreenReaders::theReasonIsReachedByTabFromX1()
{
    vintrelle::ui::StatusLine *status = statusLine();
    // Tabs from X1 till the focus reaches the status line or comes back.
    const auto tabsToTheStatusLine = [this, status]() -> int {
        field("Txt1")->setFocus(Qt::TabFocusReason);
        for (int tabs = 1; tabs <= 20; ++tabs) {
            press(Qt::Key_Tab);
            if (QApplication::focusWidget() == status)
                return tabs;
            if (QApplication::focusWidget() == field("Txt1"))
                return 0;
        }
        return 0;
    };
    // The information mark: pixels of the caption's blue where it is drawn.
    const auto cueShows = [status] {
        const QImage image = status->grab().toImage();
        const QRect cue(status->cueRect().topLeft() * image.devicePixelRatio(),
                        status->cueRect().size() * image.devicePixelRatio());
        for (int y = cue.top(); y <= cue.bottom(); ++y)
            for (int x = cue.left(); x <= cue.right(); ++x)
                if (hueOf(image.pixel(x, y)) == Hue::Bluish)
                    return true;
        return false;
    };
    QCOMPARE(tabsToTheStatusLine(), 0);
    QVERIFY(!cueShows());

    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Down);
    addSample({"0", "1", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "1", "0", "0", "0"}, Qt::Key_Down);
    field("Text2")->setText(QStringLiteral("1"));
    click("Command2");
    QVERIFY(status->holdsReason());
    QVERIFY(cueShows());
    // Right after "Addestra", and the reason opens with the focus.
    QCOMPARE(tabsToTheStatusLine(), 9);
    vintrelle::ui::ReasonPanel *panel = status->reasonPanel();
    QVERIFY(panel->isVisible());
    QCOMPARE(panel->text(), status->reason());
    // Inside the window, leaving the list's lines that it names in view.
    QVERIFY(form->rect().contains(panel->geometry()));
    QVERIFY(!panel->geometry().intersects(list()->geometry()));
    press(Qt::Key_Escape);
    QVERIFY(!panel->isVisible());
    QCOMPARE(QApplication::focusWidget(), status);
    press(Qt::Key_Space);
    QVERIFY(panel->isVisible());
    press(Qt::Key_Tab);
    QVERIFY(!panel->isVisible());

    // A new status takes the reason, its mark and its place in the order away.
    click("Command5");
    QVERIFY(!cueShows());
    QCOMPARE(tabsToTheStatusLine(), 0);
}

WINDOW_TEST_MAIN(TestForm1ScreenReaders)
#include "tst_form1_screen_readers.moc"
