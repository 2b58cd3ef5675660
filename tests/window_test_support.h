// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#pragma once

// What the window tests share: the window as the design draws it (its size,
// where each control sits, its colours), the texts the status line can show,
// how the diagram's two hues are told apart on screen, a fixture that opens
// a Form1 and drives it as a user would, and the checks of the weights'
// labels made at the normal scale and on a high-density screen.

#include "core/messages.h"
#include "ui/application_setup.h"
#include "ui/form1.h"
#include "ui/neuron_diagram.h"
#include "ui/status_line.h"
#include "colour_contrast.h"

#include <QApplication>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QTest>
#include <QTextDocumentFragment>
#include <QWidget>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace window_test {

inline QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What a rich-text tooltip reads as, a paragraph a line.
inline QString plainText(const QString &richText)
{
    return QTextDocumentFragment::fromHtml(richText).toPlainText();
}

// ---------------------------------------------------------------------------
// The design

// The window's size: 5484 x 5124 twips, divided by 15 and rounded.
inline const QSize designWindowSize(366, 342);

// The design's colours, &H00C0FFFF&, &H00FF0000& and &H00FFC0C0& (blue,
// green and red bytes).
inline const QColor designLightYellow(255, 255, 192);
inline const QColor designBlue(0, 0, 255);
inline const QColor designLightBlue(192, 192, 255);

struct DesignPlace
{
    const char *row;       // the data row's name
    const char *control;   // the control's objectName
    QRect pixels;
};

// Where each control sits at scale 1: the design's twips divided by 15, both
// edges rounded.
inline const std::array<DesignPlace, 28> designLayout{{
    {"bias input", "Txt0", QRect(64, 8, 25, 25)},
    {"input X1", "Txt1", QRect(32, 40, 57, 23)},
    {"input X2", "Txt2", QRect(32, 72, 57, 24)},
    {"input X3", "Txt3", QRect(32, 104, 57, 24)},
    {"input X4", "Txt4", QRect(32, 136, 57, 24)},
    {"input X5", "Txt5", QRect(32, 168, 57, 24)},
    {"output field", "txtOut", QRect(312, 128, 33, 20)},
    {"aggiungi", "Command3", QRect(288, 216, 73, 17)},
    {"Calcola", "Command1", QRect(280, 160, 73, 17)},
    {"Addestra", "Command2", QRect(280, 96, 73, 17)},
    {"Reset", "Command4", QRect(288, 320, 73, 17)},
    {"sample list", "List1", QRect(8, 216, 273, 99)},
    {"Reinizializza Pesi", "Command5", QRect(288, 288, 73, 25)},
    {"Rimuovi", "Command6", QRect(288, 240, 73, 17)},
    {"learning rate", "Text1", QRect(296, 32, 57, 19)},
    {"cycle limit", "Text2", QRect(296, 8, 57, 19)},
    {"Bias caption", "Label2", QRect(32, 8, 33, 25)},
    {"X1 caption", "Label3", QRect(8, 40, 17, 17)},
    {"X2 caption", "Label4", QRect(8, 72, 17, 17)},
    {"X3 caption", "Label5", QRect(8, 104, 17, 17)},
    {"X4 caption", "Label6", QRect(8, 136, 17, 17)},
    {"X5 caption", "Label7", QRect(8, 168, 17, 17)},
    {"Sample caption", "Label8", QRect(8, 200, 57, 17)},
    {"cycle limit caption", "Label11", QRect(216, 8, 81, 17)},
    {"Eta caption", "Label10", QRect(264, 32, 33, 17)},
    {"pass display", "Label9", QRect(232, 72, 121, 17)},
    {"status line", "Label1", QRect(8, 320, 273, 17)},
    {"neuron diagram", "NeuronDiagram", QRect(QPoint(0, 0), designWindowSize)},
}};

// The rows of a test that checks each control's place: "name" (the
// objectName) and "pixels" (its geometry), one row a control.
inline void addDesignLayoutRows()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    for (const DesignPlace &place : designLayout)
        QTest::newRow(place.row) << QString::fromLatin1(place.control) << place.pixels;
}

// Every text the status line can show.
inline std::vector<std::string> allStatuses()
{
    namespace messages = vintrelle::messages;
    std::vector<std::string> statuses{
        std::string(messages::SystemReset), std::string(messages::NetworkReset),
        std::string(messages::Computed), std::string(messages::TrainingConverged),
        std::string(messages::LimitExceeded), std::string(messages::TrainingOverflow),
        std::string(messages::ComputeOverflow)};
    for (int row = 0; row < vintrelle::SampleStore::Capacity; ++row)
        statuses.push_back(messages::sampleStored(row));
    for (int f = 0; f <= static_cast<int>(messages::Field::MaxCycles); ++f)
        statuses.push_back(messages::invalidValue(static_cast<messages::Field>(f)));
    return statuses;
}

// ---------------------------------------------------------------------------
// The diagram's hues on screen

enum class Hue { Bluish, Reddish, Neither };

// Whether a pixel is tinged like the colour of a weight >= 0 (blue) or of a
// negative weight (red), alone or blended into the grey of the window.
inline Hue hueOf(QRgb pixel)
{
    if (qBlue(pixel) > qRed(pixel) + 40)
        return Hue::Bluish;
    if (qRed(pixel) > qBlue(pixel) + 40)
        return Hue::Reddish;
    return Hue::Neither;
}

inline Hue hueOfWeight(float weight)
{
    return weight < 0.0f ? Hue::Reddish : Hue::Bluish;
}

// ---------------------------------------------------------------------------
// Driving the window

inline QStringList listLines(const QListWidget *list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// The base of a window test: a fresh Form1, shown and active, for each test
// function, with the controls found by their names and keys and clicks sent
// as a user sends them. Keys go to the focus widget (a null widget in
// QTest), so that a Tab's release lands in the field the Tab moved to, as on
// a real keyboard.
class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { vintrelle::ui::setUpApplication(); }
    void init() { QVERIFY(openWindow()); }
    void cleanup() { closeWindow(); }

protected:
    // False when the window could not be shown active.
    [[nodiscard]] bool openWindow()
    {
        form = std::make_unique<vintrelle::ui::Form1>();
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }
    void closeWindow() { form.reset(); }

    // The body of a test fed by addDesignLayoutRows(): the control named in
    // the row sits where the row says.
    void compareWithTheDesignPlace() const
    {
        QFETCH(QString, name);
        QFETCH(QRect, pixels);
        const auto *widget = form->findChild<QWidget *>(name);
        QVERIFY(widget != nullptr);
        QCOMPARE(widget->geometry(), pixels);
    }

    template <typename T>
    T *control(const char *name) const
    {
        return form->findChild<T *>(QString::fromLatin1(name));
    }
    QLineEdit *field(const char *name) const { return control<QLineEdit>(name); }
    QLineEdit *field(const QString &name) const { return field(name.toLatin1().constData()); }
    QPushButton *button(const char *name) const { return control<QPushButton>(name); }
    QLabel *label(const char *name) const { return control<QLabel>(name); }
    QListWidget *list() const { return control<QListWidget>("List1"); }
    vintrelle::ui::StatusLine *statusLine() const { return control<vintrelle::ui::StatusLine>("Label1"); }
    vintrelle::ui::NeuronDiagram *diagram() const { return control<vintrelle::ui::NeuronDiagram>("NeuronDiagram"); }

    void click(const char *buttonName) const { QTest::mouseClick(button(buttonName), Qt::LeftButton); }
    void click(const QString &buttonName) const { click(buttonName.toLatin1().constData()); }
    void clickSample(int row) const
    {
        QListWidget *samples = list();
        const QRect box = samples->visualItemRect(samples->item(row));
        QTest::mouseClick(samples->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
    }
    void focusByMouse(const char *fieldName) const
    {
        QLineEdit *target = field(fieldName);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
    }
    void focusByMouse(const QString &fieldName) const { focusByMouse(fieldName.toLatin1().constData()); }
    // Types into the focus widget, one key click per character.
    static void type(const QString &text) { QTest::keyClicks(nullptr, text); }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(static_cast<QWidget *>(nullptr), key, modifiers);
    }
    // Types a learning rate over the whole text of Eta.
    void typeLearningRate(const QString &rate) const
    {
        QLineEdit *eta = field("Text1");
        eta->setFocus(Qt::TabFocusReason);
        eta->selectAll();
        type(rate);
    }
    // Fills X1..X5 and the target by keyboard, starting in X1, then "aggiungi".
    void addSample(const QStringList &inputs, Qt::Key targetArrow) const
    {
        QCOMPARE(QApplication::focusWidget(), field("Txt1"));
        for (const QString &input : inputs) {
            type(input);
            press(Qt::Key_Tab);
        }
        QCOMPARE(QApplication::focusWidget(), field("txtOut"));
        press(targetArrow);
        click("Command3");
    }

    std::unique_ptr<vintrelle::ui::Form1> form;
};

// ---------------------------------------------------------------------------
// The weights' labels

// Where weight i's label lies in the window's coordinates.
inline QRect weightLabelInWindow(const vintrelle::ui::Form1 &form, int index)
{
    const auto *diagram = form.findChild<vintrelle::ui::NeuronDiagram *>();
    return diagram->weightLabelRect(index).translated(diagram->pos());
}

// What is wrong with the weights' labels as the window paints them now: a
// label that overlaps a control or another label, or whose text reads at
// less than 4.5:1 against the colour behind it. Empty when nothing is.
inline QStringList weightLabelProblems(vintrelle::ui::Form1 &form)
{
    QStringList problems;
    const auto *diagram = form.findChild<vintrelle::ui::NeuronDiagram *>();
    const QImage image = form.grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    for (int i = 0; i < vintrelle::InputCount; ++i) {
        const QRect label = weightLabelInWindow(form, i);
        const QString name = QStringLiteral("label of w%1 (%2)").arg(i).arg(diagram->weightLabelText(i));
        for (QWidget *control : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (control != diagram && control->isVisibleTo(&form) && control->geometry().intersects(label))
                problems << name + QStringLiteral(" overlaps ") + control->objectName();
        }
        for (int j = i + 1; j < vintrelle::InputCount; ++j) {
            if (weightLabelInWindow(form, j).intersects(label))
                problems << name + QStringLiteral(" overlaps the label of w%1").arg(j);
        }
        // Inside the frame: the commonest colour is what lies behind the
        // text, the one that stands out most from it is the text's.
        const QRect inside(QPoint(static_cast<int>((label.left() + 1) * ratio), static_cast<int>((label.top() + 1) * ratio)),
                           QPoint(static_cast<int>((label.right() + 1) * ratio) - 2,
                                  static_cast<int>((label.bottom() + 1) * ratio) - 2));
        QHash<QRgb, int> counts;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                ++counts[image.pixel(x, y)];
        if (counts.isEmpty()) {
            problems << name + QStringLiteral(" is empty");
            continue;
        }
        const QRgb behind = std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                                             [](const auto &a, const auto &b) { return a.second < b.second; })
                                ->first;
        double best = 1.0;
        for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
            best = std::max(best, colour::contrastRatio(QColor(*it), QColor(behind)));
        if (best < 4.5)
            problems << name + QStringLiteral(" reads at %1:1").arg(best, 0, 'f', 2);
    }
    return problems;
}

} // namespace window_test

// The main of a window test at the normal scale: fonts at 96 dots per inch.
#define WINDOW_TEST_MAIN(TestClass)                                                                                    \
    int main(int argc, char *argv[])                                                                                   \
    {                                                                                                                  \
        QApplication application(argc, argv);                                                                          \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                                               \
        TestClass test;                                                                                                \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
