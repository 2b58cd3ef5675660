// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// Drives the real window with simulated keys and clicks, as a user would.
//
// Keys go to the focus widget (a null widget in QTest), so that a Tab's
// release lands in the field the Tab moved to, as on a real keyboard.

#include "core/messages.h"
#include "core/numeric_text.h"
#include "core/training.h"
#include "ui/application_setup.h"
#include "ui/form1.h"
#include "ui/classification_delegate.h"
#include "ui/neuron_diagram.h"
#include "ui/sample_list.h"
#include "ui/status_line.h"
#include "ui/wrapping_button.h"
#include "colour_contrast.h"
#include "window_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScopeGuard>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTestEventList>
#include <QToolTip>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace messages = vintrelle::messages;

namespace {

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Where the pixels of a caption land when it is drawn unclipped in `box`: a
// caption cut off by its control reaches outside the control's rectangle.
QRect inkOf(const QString &text, const QFont &font, QRect box, int flags)
{
    const int margin = 40;
    QImage image(box.bottomRight().x() + 1 + 2 * margin, box.bottomRight().y() + 1 + 2 * margin,
                 QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(box.translated(margin, margin), flags | Qt::TextDontClip, text);
    }
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                ink |= QRect(x - margin, y - margin, 1, 1);
    return ink;
}

// Every text the status line can show.
std::vector<std::string> allStatuses()
{
    std::vector<std::string> statuses{
        std::string(messages::SystemReset), std::string(messages::NetworkReset),
        std::string(messages::Computed), std::string(messages::TrainingConverged),
        std::string(messages::LimitExceeded), std::string(messages::TrainingOverflow),
        std::string(messages::ComputeOverflow), messages::sampleStored(10)};
    for (int f = 0; f <= static_cast<int>(messages::Field::MaxCycles); ++f)
        statuses.push_back(messages::invalidValue(static_cast<messages::Field>(f)));
    return statuses;
}

// The characters of text that font has no glyph for. The window's fonts
// borrow no glyph from other fonts, so each of these would show as a box.
QString missingGlyphs(const QString &text, const QFont &font)
{
    const QFontMetrics metrics(font);
    QString missing;
    for (const QChar c : text)
        if (!metrics.inFont(c))
            missing += c;
    return missing;
}

// Whether a pixel is tinged like the colour of a weight >= 0 (blue) or of a
// negative weight (red), alone or blended into the grey of the window.
bool bluish(QRgb pixel)
{
    return qBlue(pixel) > qRed(pixel) + 40;
}

bool reddish(QRgb pixel)
{
    return qRed(pixel) > qBlue(pixel) + 40;
}

// The weights a tooltip or description lists, "w0 = 0,25" one a line, read
// back; an empty result when a line is not in that form.
std::vector<float> listedWeights(const QString &text)
{
    std::vector<float> weights;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString prefix = i == 0 ? QStringLiteral("w0 (bias) = ") : QStringLiteral("w%1 = ").arg(i);
        if (!lines[i].startsWith(prefix))
            return {};
        const auto value = vintrelle::textToSingle(lines[i].mid(prefix.size()).toStdString());
        if (!value)
            return {};
        weights.push_back(*value);
    }
    return weights;
}

QStringList listLines(const QListWidget *list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    // Start-up and layout.
    void everyControlHasItsName();
    void startUpState();
    void controlsSitWhereTheDesignPutsThem_data();
    void controlsSitWhereTheDesignPutsThem();
    void tabOrderFollowsTheDesign();
    void coloursAreLightYellowBlueAndLightBlue();
    void fontsAreSubstitutedByMetricTwins();
    void everyCaptionFitsItsBox();
    void everyStatusFitsTheStatusLine();
    void everyTextHasItsGlyphs();

    // The typical use, start to end.
    void typicalSession();

    // Entry rules.
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
    void fieldMenusSpeakItalian();
    void darkDesktopThemeLeavesEveryControlReadable();

    // Samples.
    void twelfthAddChangesNothing();
    void addWithBlankOutputChangesNothing();
    void removeWithNothingSelectedChangesNothing();
    void removeFirstOfThreeShiftsTheRest();
    void listScrollsToEachNewSample();
    void keysInTheListLoadTheLineShownSelected_data();
    void keysInTheListLoadTheLineShownSelected();

    // Buttons.
    void computeWithDefaultsIsMinusOneAndRepeatable();
    void trainingWithoutSamplesPassesTheLimit();
    void resetEmptiesTheListButKeepsSettings();

    // Bad input: a message, and nothing else changes.
    void badInput_data();
    void badInput();
    void trainingOverflowIsReported();
    void computeOverflowIsReported();

    // The weights on the diagram.
    void diagramShowsTheWeightsFromStartUp();
    void diagramFollowsATrainingThatTurnsAWeightNegative();
    void diagramFollowsReinitialiseAndReset();
    void diagramFollowsATrainingStoppedByOverflow();
    void weightsTooltipOverTheCircle();
    void weightLabelsReadWellAndOverlapNothing();

    // What the neuron learned
    void listMarksAgreeWithCalcola();
    void statusTooltipTellsWhyTrainingStopped();

    // Screen readers.
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

private:
    template <typename T>
    T *control(const char *name) const
    {
        return form->findChild<T *>(QString::fromLatin1(name));
    }
    QLineEdit *field(const char *name) const { return control<QLineEdit>(name); }
    QPushButton *button(const char *name) const { return control<QPushButton>(name); }
    QLabel *label(const char *name) const { return control<QLabel>(name); }
    QListWidget *list() const { return control<QListWidget>("List1"); }
    vintrelle::ui::StatusLine *statusLine() const { return control<vintrelle::ui::StatusLine>("Label1"); }
    vintrelle::ui::NeuronDiagram *diagram() const { return control<vintrelle::ui::NeuronDiagram>("NeuronDiagram"); }
    // The diagram shows the window's weights, each line in its sign's colour,
    // on screen too.
    void verifyDiagramShowsTheWeights();
    // Two samples that training can only satisfy with weight 1 below weight
    // 0 and weight 0 not above 0: Line2 turns negative.
    void addSamplesNeedingANegativeWeight();

    void click(const char *buttonName) { QTest::mouseClick(button(buttonName), Qt::LeftButton); }
    void clickSample(int row);
    void focusByMouse(const char *fieldName);
    // Types into the focus widget, one key click per character.
    static void type(const QString &text) { QTest::keyClicks(nullptr, text); }
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(static_cast<QWidget *>(nullptr), key, modifiers);
    }
    // Fills X1..X5 and the target by keyboard, starting in X1, then "aggiungi".
    void addSample(const QStringList &inputs, Qt::Key targetArrow);

    std::unique_ptr<vintrelle::ui::Form1> form;
};

void TestForm1::initTestCase()
{
    vintrelle::ui::setUpApplication();
}

void TestForm1::init()
{
    form = std::make_unique<vintrelle::ui::Form1>();
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void TestForm1::cleanup()
{
    form.reset();
}

void TestForm1::clickSample(int row)
{
    QListWidget *samples = list();
    const QRect box = samples->visualItemRect(samples->item(row));
    QTest::mouseClick(samples->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
}

void TestForm1::focusByMouse(const char *fieldName)
{
    QLineEdit *target = field(fieldName);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, target->rect().center());
}

void TestForm1::addSample(const QStringList &inputs, Qt::Key targetArrow)
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

void TestForm1::verifyDiagramShowsTheWeights()
{
    using vintrelle::ui::NeuronDiagram;
    const vintrelle::WeightVector &weights = form->networkState().Weights;
    QVERIFY(diagram()->weights() == weights);

    const QImage image = form->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const std::array<QLine, 7> lines = NeuronDiagram::lines();
    for (std::size_t i = 0; i < weights.size(); ++i) {
        const bool negative = weights[i] < 0.0f;
        const QString line = QStringLiteral("Line%1, weight %2").arg(i + 1).arg(double(weights[i]));
        QVERIFY2(diagram()->linePen(static_cast<int>(i)).color()
                     == (negative ? NeuronDiagram::negativeWeightColour() : NeuronDiagram::nonNegativeWeightColour()),
                 qPrintable(line));
        // Down the columns through the middle of the line (more than one: a
        // dashed line has gaps).
        bool expectedTint = false;
        bool otherTint = false;
        const QLineF along(lines[i]);
        for (int step = -6; step <= 6; ++step) {
            const QPointF centre = along.pointAt(0.5 + step / along.length());
            for (int y = -3; y <= 3; ++y) {
                const QRgb pixel = image.pixel(((centre + QPointF(0, y)) * ratio).toPoint());
                expectedTint = expectedTint || (negative ? reddish(pixel) : bluish(pixel));
                otherTint = otherTint || (negative ? bluish(pixel) : reddish(pixel));
            }
        }
        QVERIFY2(expectedTint && !otherTint, qPrintable(line));
    }
}

void TestForm1::addSamplesNeedingANegativeWeight()
{
    // Five zeros want 1: -w0 >= 0. X1 = 1 wants -1: w1 < w0.
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Down);
    QCOMPARE(form->sampleStore().count(), 2);
}

// ---------------------------------------------------------------------------
// Start-up and layout

void TestForm1::everyControlHasItsName()
{
    QCOMPARE(form->objectName(), QStringLiteral("Form1"));
    for (const char *name : {"Txt0", "Txt1", "Txt2", "Txt3", "Txt4", "Txt5", "txtOut", "Text1", "Text2"})
        QVERIFY2(field(name) != nullptr, name);
    for (const char *name : {"Command1", "Command2", "Command3", "Command4", "Command5", "Command6"})
        QVERIFY2(button(name) != nullptr, name);
    for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7",
                             "Label8", "Label9", "Label10", "Label11"})
        QVERIFY2(label(name) != nullptr, name);
    QVERIFY(list() != nullptr);
}

void TestForm1::startUpState()
{
    QCOMPARE(form->windowTitle(), QStringLiteral("Vintrelle  2010  -   www.vintrelle.example"));
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sistema Reinizializzato"));
    QCOMPARE(label("Label9")->text(), QStringLiteral("N°Cicli :"));
    QCOMPARE(field("txtOut")->text(), QStringLiteral("1"));
    QCOMPARE(list()->count(), 0);
    QCOMPARE(form->sampleStore().count(), 0);
    QCOMPARE(field("Txt0")->text(), QStringLiteral("-1"));
    QVERIFY(!field("Txt0")->isEnabled());
    for (const char *name : {"Txt1", "Txt2", "Txt3", "Txt4", "Txt5"})
        QCOMPARE(field(name)->text(), QStringLiteral("0"));
    QCOMPARE(field("Text1")->text(), QStringLiteral("0,2"));
    QCOMPARE(field("Text2")->text(), QStringLiteral("10000"));
    for (const float weight : form->networkState().Weights) {
        QVERIFY(weight >= 0.0f);
        QVERIFY(weight < 1.0f);
    }
    // The focus starts in X1, whose "0" is selected for overwriting.
    QCOMPARE(QApplication::focusWidget(), field("Txt1"));
    QCOMPARE(field("Txt1")->selectedText(), QStringLiteral("0"));
    QCOMPARE(form->size(), QSize(366, 342));
}

void TestForm1::controlsSitWhereTheDesignPutsThem_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");

    // Design twips divided by 15.
    QTest::newRow("bias input") << "Txt0" << QRect(64, 8, 25, 25);
    QTest::newRow("input X1") << "Txt1" << QRect(32, 40, 57, 23);
    QTest::newRow("output field") << "txtOut" << QRect(312, 128, 33, 20);
    QTest::newRow("learning rate") << "Text1" << QRect(296, 32, 57, 19);
    QTest::newRow("Reinizializza Pesi") << "Command5" << QRect(288, 288, 73, 25);
    QTest::newRow("sample list") << "List1" << QRect(8, 216, 273, 99);
    QTest::newRow("status line") << "Label1" << QRect(8, 320, 273, 17);
}

void TestForm1::controlsSitWhereTheDesignPutsThem()
{
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    const auto *widget = form->findChild<QWidget *>(name);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), pixels);
}

void TestForm1::tabOrderFollowsTheDesign()
{
    const QStringList expected{"Txt2", "Txt3", "Txt4", "Txt5", "txtOut", "Command3", "Command1",
                               "Command2", "Command4", "List1", "Command5", "Command6", "Text1",
                               "Text2", "NeuronDiagram", "Txt1"};
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        press(Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);
}

void TestForm1::coloursAreLightYellowBlueAndLightBlue()
{
    const QColor lightYellow(255, 255, 192);
    const QColor blue(0, 0, 255);
    const QColor lightBlue(192, 192, 255);

    for (const char *name : {"Label1", "Label2", "Label3", "Label7", "Label9"}) {
        const QLabel *filled = label(name);
        QVERIFY2(filled->autoFillBackground(), name);
        QCOMPARE(filled->palette().color(QPalette::Window), lightYellow);
        QCOMPARE(filled->palette().color(QPalette::WindowText), blue);
    }
    for (const char *name : {"Label8", "Label10", "Label11"}) {
        const QLabel *plain = label(name);
        QVERIFY2(!plain->autoFillBackground(), name);
        QCOMPARE(plain->palette().color(QPalette::WindowText), blue);
    }
    QCOMPARE(field("txtOut")->palette().color(QPalette::Base), lightBlue);
    QCOMPARE(field("txtOut")->palette().color(QPalette::Text), lightYellow);

    // And on screen: the middle of the status line's right end is light yellow.
    const QImage image = form->grab().toImage();
    const QRect status = label("Label1")->geometry();
    const qreal ratio = image.devicePixelRatio();
    QCOMPARE(image.pixelColor(QPointF(status.right() - 3, status.center().y()).toPoint() * ratio), lightYellow);
}

void TestForm1::fontsAreSubstitutedByMetricTwins()
{
    QCOMPARE(QFontInfo(label("Label1")->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(field("Txt1")->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(button("Command5")->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(label("Label8")->font()).family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(field("txtOut")->font().pointSizeF(), 12.0);
    QVERIFY(label("Label3")->font().bold());
    QVERIFY(!label("Label1")->font().bold());
}

void TestForm1::everyCaptionFitsItsBox()
{
    const QList<QLabel *> captions = form->findChildren<QLabel *>();
    QCOMPARE(captions.size(), 11);
    for (const QLabel *caption : captions) {
        const QRect ink = inkOf(caption->text(), caption->font(), caption->contentsRect(), int(caption->alignment()));
        QVERIFY2(caption->rect().contains(ink), qPrintable(caption->text()));
    }
    const QList<QPushButton *> commands = form->findChildren<QPushButton *>();
    QCOMPARE(commands.size(), 6);
    for (const QPushButton *command : commands) {
        // Inside the button's one-pixel frame.
        const QRect ink = inkOf(command->text(), command->font(), command->rect(),
                                vintrelle::ui::WrappingButton::CaptionFlags);
        QVERIFY2(command->rect().adjusted(1, 1, -1, -1).contains(ink), qPrintable(command->text()));
    }
}

void TestForm1::everyStatusFitsTheStatusLine()
{
    const QLabel *status = label("Label1");
    for (const std::string &text : allStatuses()) {
        const QRect ink = inkOf(qText(text), status->font(), status->contentsRect(), int(status->alignment()));
        QVERIFY2(status->rect().contains(ink), text.c_str());
    }

    const QLabel *passes = label("Label9");
    const QString longest = qText(vintrelle::cyclesText(-32768, -32768));
    const QRect ink = inkOf(longest, passes->font(), passes->contentsRect(), int(passes->alignment()));
    QVERIFY(passes->rect().contains(ink));
}

void TestForm1::everyTextHasItsGlyphs()
{
    for (const QLabel *caption : form->findChildren<QLabel *>())
        QCOMPARE(missingGlyphs(caption->text(), caption->font()), QString());
    for (const QPushButton *command : form->findChildren<QPushButton *>())
        QCOMPARE(missingGlyphs(command->text(), command->font()), QString());
    for (const std::string &text : allStatuses())
        QCOMPARE(missingGlyphs(qText(text), label("Label1")->font()), QString());
    QCOMPARE(missingGlyphs(qText(vintrelle::cyclesText(-32768, 32767)), label("Label9")->font()), QString());

    // Numbers as the fields and the list lines write them, and a list line's separators.
    const QString numbers = QStringLiteral("0123456789,-+E ;:");
    for (const QLineEdit *entry : form->findChildren<QLineEdit *>())
        QCOMPARE(missingGlyphs(numbers, entry->font()), QString());
    QCOMPARE(missingGlyphs(numbers, list()->font()), QString());
    // The weights' tooltip is written in the application's font.
    QCOMPARE(missingGlyphs(numbers, QToolTip::font()), QString());
}

// ---------------------------------------------------------------------------
// The typical use

void TestForm1::typicalSession()
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
// Entry rules

void TestForm1::entryRules_data()
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

void TestForm1::entryRules()
{
    QFETCH(QString, fieldName);
    QFETCH(QString, startText);
    QFETCH(QTestEventList, keys);
    QFETCH(QString, text);
    QFETCH(QString, selected);
    QFETCH(int, caret);

    QLineEdit *target = field(fieldName.toLatin1().constData());
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

void TestForm1::tabbingThroughFilledFieldsKeepsTheirValues()
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

void TestForm1::shiftTabBackKeepsTheValue()
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

void TestForm1::emptiedInputBecomesZeroWhenLeft()
{
    press(Qt::Key_Tab);   // X2, "0" selected
    press(Qt::Key_Backspace);
    QCOMPARE(field("Txt2")->text(), QString());
    press(Qt::Key_Tab);
    QCOMPARE(field("Txt2")->text(), QStringLiteral("0"));
}

void TestForm1::blankOutputStaysBlankWhenLeft()
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

void TestForm1::autoRepeatReleaseIsNotARelease()
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

void TestForm1::windowLosingActivationKeepsTheCaret()
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

void TestForm1::focusMovedWhileInactiveCountsAsLeaving()
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

void TestForm1::clickBringingTheFocusSelectsLikeTab_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("startText");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");

    QTest::newRow("X3 clicked, 5 typed over its 0") << "Txt3" << "0" << "5" << "5";
    QTest::newRow("X5 clicked, 2 typed over 0,75") << "Txt5" << "0,75" << "2" << "2";
    QTest::newRow("Eta clicked, 7 typed over 0,2") << "Text1" << "0,2" << "7" << "7";
    QTest::newRow("Eta clicked, 7 typed over the start of 0,05") << "Text1" << "0,05" << "7" << "75";
    QTest::newRow("output clicked, 1 typed over -1") << "txtOut" << "-1" << "1" << "1";
}

void TestForm1::clickBringingTheFocusSelectsLikeTab()
{
    QFETCH(QString, fieldName);
    QFETCH(QString, startText);
    QFETCH(QString, typed);
    QFETCH(QString, text);

    QLineEdit *target = field(fieldName.toLatin1().constData());
    target->setText(startText);
    focusByMouse(fieldName.toLatin1().constData());
    QCOMPARE(QApplication::focusWidget(), target);
    type(typed);
    QCOMPARE(target->text(), text);
}

void TestForm1::clickOrDragInTheFocusedFieldIsAsUsual()
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

void TestForm1::fieldMenusSpeakItalian()
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

void TestForm1::darkDesktopThemeLeavesEveryControlReadable()
{
    // A dark desktop theme: light text on dark grey.
    QPalette dark(QColor(0xEE, 0xEE, 0xEE), QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
    dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    const QPalette desktop = QApplication::palette();
    QApplication::setPalette(dark);
    const auto restore = qScopeGuard([&desktop] { QApplication::setPalette(desktop); });
    vintrelle::ui::Form1 window;

    const auto readable = [](const QWidget *control, QPalette::ColorRole text, QPalette::ColorRole background) {
        const QPalette::ColorGroup group = control->isEnabled() ? QPalette::Active : QPalette::Disabled;
        const double ratio =
            colour::contrastRatio(control->palette().color(group, text), control->palette().color(group, background));
        return ratio >= 4.5 ? QString() : QStringLiteral("%1: %2:1").arg(control->objectName()).arg(ratio);
    };
    for (const QLabel *caption : window.findChildren<QLabel *>()) {
        // A caption without a background of its own lies on the window.
        const QWidget *ground = caption->autoFillBackground() ? static_cast<const QWidget *>(caption) : &window;
        const double ratio = colour::contrastRatio(caption->palette().color(QPalette::WindowText),
                                                   ground->palette().color(QPalette::Window));
        QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1: %2:1").arg(caption->objectName()).arg(ratio)));
    }
    for (const QLineEdit *entry : window.findChildren<QLineEdit *>())
        if (entry->objectName() != QStringLiteral("txtOut"))   // the design's own pair
            QCOMPARE(readable(entry, QPalette::Text, QPalette::Base), QString());
    QCOMPARE(readable(window.findChild<QListWidget *>(), QPalette::Text, QPalette::Base), QString());
    for (const QPushButton *command : window.findChildren<QPushButton *>())
        QCOMPARE(readable(command, QPalette::ButtonText, QPalette::Button), QString());
}

// ---------------------------------------------------------------------------
// Samples

void TestForm1::twelfthAddChangesNothing()
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

void TestForm1::addWithBlankOutputChangesNothing()
{
    field("txtOut")->setText(QStringLiteral("  "));
    click("Command3");
    QCOMPARE(list()->count(), 0);
    QCOMPARE(form->sampleStore().count(), 0);
    QCOMPARE(label("Label1")->text(), QStringLiteral("Sistema Reinizializzato"));
}

void TestForm1::removeWithNothingSelectedChangesNothing()
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

void TestForm1::removeFirstOfThreeShiftsTheRest()
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

void TestForm1::listScrollsToEachNewSample()
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

void TestForm1::keysInTheListLoadTheLineShownSelected_data()
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

void TestForm1::keysInTheListLoadTheLineShownSelected()
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

void TestForm1::computeWithDefaultsIsMinusOneAndRepeatable()
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

void TestForm1::trainingWithoutSamplesPassesTheLimit()
{
    click("Command2");
    QCOMPARE(label("Label1")->text(), QStringLiteral("Superati i limiti per i cicli di addestramento"));
    QCOMPARE(label("Label9")->text(), QStringLiteral("N°Cicli:10001/10000"));
}

void TestForm1::resetEmptiesTheListButKeepsSettings()
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

// ---------------------------------------------------------------------------
// Bad input

void TestForm1::badInput_data()
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
    QTest::newRow("train with limit 40000") << "Text2" << keys << "" << "Command2" << "Valore non valido in N° cicli Max";

    keys.clear();
    keys.addKeyClicks(QStringLiteral("dieci"));
    QTest::newRow("train with limit 'dieci'") << "Text2" << keys << "" << "Command2" << "Valore non valido in N° cicli Max";
}

void TestForm1::badInput()
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

    QLineEdit *spoilt = field(fieldName.toLatin1().constData());
    focusByMouse(fieldName.toLatin1().constData());
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
        click(action.toLatin1().constData());

    QCOMPARE(label("Label1")->text(), message);
    QCOMPARE(spoilt->text(), bad);
    QCOMPARE(field("txtOut")->text(), output);
    QCOMPARE(listLines(list()), lines);
    QCOMPARE(form->sampleStore().count(), 2);
    QVERIFY(form->networkState().Weights == weights);
    QCOMPARE(form->networkState().Eta, eta);
    QCOMPARE(label("Label9")->text(), passes);
}

void TestForm1::trainingOverflowIsReported()
{
    // A huge input, its sign wrongly taught, and a huge learning rate: the
    // first correction is beyond the float range.
    addSample({"100000000000000000000", "0", "0", "0", "0"}, Qt::Key_Down);
    QLineEdit *rate = field("Text1");
    rate->setFocus(Qt::TabFocusReason);
    rate->selectAll();
    type(QStringLiteral("1000000000000000000000000000000000000"));
    const vintrelle::WeightVector before = form->networkState().Weights;
    click("Command2");

    QCOMPARE(label("Label1")->text(), QStringLiteral("Addestramento interrotto: overflow numerico"));
    QCOMPARE(label("Label9")->text(), QStringLiteral("N°Cicli:1/10000"));
    QVERIFY(form->networkState().Weights == before);
}

void TestForm1::computeOverflowIsReported()
{
    type(QStringLiteral("1") + QString(300, QLatin1Char('0')));
    QCOMPARE(field("Txt1")->text().size(), 301);
    field("txtOut")->setText(QStringLiteral("-1"));
    click("Command1");
    QCOMPARE(label("Label1")->text(), QStringLiteral("Calcolo interrotto: overflow numerico"));
    QCOMPARE(field("txtOut")->text(), QStringLiteral("-1"));
}

// ---------------------------------------------------------------------------
// The weights on the diagram

void TestForm1::diagramShowsTheWeightsFromStartUp()
{
    QVERIFY(diagram() != nullptr);
    verifyDiagramShowsTheWeights();
    if (QTest::currentTestFailed())
        return;
    // Fresh weights are in [0, 1): every line in the colour of a weight >= 0.
    for (int i = 0; i < vintrelle::InputCount; ++i)
        QCOMPARE(diagram()->linePen(i).color(), vintrelle::ui::NeuronDiagram::nonNegativeWeightColour());
    // Screen readers find the weights in the diagram's description.
    const std::vector<float> described =
        listedWeights(QAccessible::queryAccessibleInterface(diagram())->text(QAccessible::Description));
    const vintrelle::WeightVector &weights = form->networkState().Weights;
    QVERIFY(described == std::vector<float>(weights.begin(), weights.end()));
}

void TestForm1::diagramFollowsATrainingThatTurnsAWeightNegative()
{
    addSamplesNeedingANegativeWeight();
    click("Command2");
    QCOMPARE(label("Label1")->text(), QStringLiteral("Addestata"));
    QVERIFY(form->networkState().Weights[1] < 0.0f);
    verifyDiagramShowsTheWeights();
    QCOMPARE(diagram()->linePen(1).color(), vintrelle::ui::NeuronDiagram::negativeWeightColour());
}

void TestForm1::diagramFollowsReinitialiseAndReset()
{
    addSamplesNeedingANegativeWeight();
    click("Command2");
    QVERIFY(form->networkState().Weights[1] < 0.0f);

    // New weights: all >= 0 again, and shown.
    click("Command5");
    QVERIFY(form->networkState().Weights[1] >= 0.0f);
    verifyDiagramShowsTheWeights();
    if (QTest::currentTestFailed())
        return;

    click("Command2");
    QVERIFY(form->networkState().Weights[1] < 0.0f);
    click("Command4");
    QVERIFY(form->networkState().Weights[1] >= 0.0f);
    verifyDiagramShowsTheWeights();
}

void TestForm1::diagramFollowsATrainingStoppedByOverflow()
{
    // The first sample (five zeros, wanting 1) moves weight 0 by -2 * eta;
    // the second, with X1 = 1e20 wanting -1, then overflows weight 1.
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"100000000000000000000", "0", "0", "0", "0"}, Qt::Key_Down);
    QLineEdit *rate = field("Text1");
    rate->setFocus(Qt::TabFocusReason);
    rate->selectAll();
    type(QStringLiteral("1000000000000000000000000000000000000"));
    const vintrelle::WeightVector before = form->networkState().Weights;
    click("Command2");

    QCOMPARE(label("Label1")->text(), QStringLiteral("Addestramento interrotto: overflow numerico"));
    QVERIFY(form->networkState().Weights != before);
    QVERIFY(form->networkState().Weights[0] < 0.0f);
    verifyDiagramShowsTheWeights();
}

void TestForm1::weightsTooltipOverTheCircle()
{
    using vintrelle::ui::NeuronDiagram;
    addSamplesNeedingANegativeWeight();
    click("Command2");

    // Tooltip events go to the widget under the mouse.
    const QPoint centre = diagram()->mapTo(form.get(), NeuronDiagram::circle().center());
    QCOMPARE(form->childAt(centre), diagram());
    QHelpEvent overCircle(QEvent::ToolTip, NeuronDiagram::circle().center(), form->mapToGlobal(centre));
    QApplication::sendEvent(diagram(), &overCircle);
    QTRY_VERIFY(QToolTip::isVisible());
    const std::vector<float> listed = listedWeights(QToolTip::text());
    const vintrelle::WeightVector &weights = form->networkState().Weights;
    QVERIFY2(listed == std::vector<float>(weights.begin(), weights.end()), qPrintable(QToolTip::text()));
    QVERIFY(QToolTip::text().contains(QStringLiteral("w1 = -")));
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());

    // Elsewhere over the diagram the window has no tooltip.
    const QPoint onLine = NeuronDiagram::lines()[0].center();
    QCOMPARE(form->childAt(diagram()->mapTo(form.get(), onLine)), diagram());
    QHelpEvent overLine(QEvent::ToolTip, onLine, diagram()->mapToGlobal(onLine));
    QApplication::sendEvent(diagram(), &overLine);
    QVERIFY(!overLine.isAccepted());
    QTest::qWait(50);
    QVERIFY(!QToolTip::isVisible());
}

void TestForm1::weightLabelsReadWellAndOverlapNothing()
{
    // Fresh weights, negative ones, and large ones with the widest labels.
    QCOMPARE(window_test::weightLabelProblems(*form), QStringList());
    addSamplesNeedingANegativeWeight();
    click("Command2");
    QVERIFY(form->networkState().Weights[1] < 0.0f);
    QCOMPARE(window_test::weightLabelProblems(*form), QStringList());
    click("Command4");
    field("Txt1")->setFocus();
    addSample({"-30000", "30000", "-30000", "30000", "-30000"}, Qt::Key_Down);
    addSample({"30000", "-30000", "30000", "-30000", "30000"}, Qt::Key_Down);
    field("Text2")->setText(QStringLiteral("3"));
    click("Command2");
    QVERIFY(std::any_of(form->networkState().Weights.begin(), form->networkState().Weights.end(),
                        [](float w) { return w <= -1000.0f; }));
    QCOMPARE(window_test::weightLabelProblems(*form), QStringList());
    // Each label rounds its weight; resting on it tells the exact value.
    const vintrelle::WeightVector &weights = form->networkState().Weights;
    for (int i = 0; i < vintrelle::InputCount; ++i) {
        const float weight = weights[static_cast<std::size_t>(i)];
        QCOMPARE(diagram()->weightLabelText(i), qText(vintrelle::roundedText(weight)));
        const QString tip = diagram()->toolTipAt(diagram()->weightLabelRect(i).center());
        QVERIFY2(tip.startsWith(QStringLiteral("w%1").arg(i)) && tip.contains(qText(vintrelle::singleToText(weight))),
                 qPrintable(tip));
        QCOMPARE(tip.contains(QStringLiteral("soglia")), i == 0);
    }
}

// ---------------------------------------------------------------------------
// What the neuron learned

void TestForm1::listMarksAgreeWithCalcola()
{
    // XOR stopped at the limit: some lines right, some wrong.
    field("Txt1")->setFocus();
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Down);
    addSample({"0", "1", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "1", "0", "0", "0"}, Qt::Key_Down);
    field("Text2")->setText(QStringLiteral("20"));
    click("Command2");
    QCOMPARE(label("Label1")->text(), qText(messages::LimitExceeded));
    auto *samples = static_cast<vintrelle::ui::SampleList *>(list());
    int wrong = 0;
    for (int row = 0; row < 4; ++row) {
        const std::optional<bool> shown = samples->shownClassification(row);
        QVERIFY(shown.has_value());
        const QString target = list()->item(row)->text().section(QLatin1Char(':'), -1).trimmed();
        clickSample(row);
        click("Command1");
        const bool answeredRight = field("txtOut")->text() == target;
        QCOMPARE(*shown, answeredRight);
        wrong += !*shown;
        // In words, for the mouse and for screen readers.
        const QString words = (answeredRight ? QStringLiteral("Classificato correttamente: uscita ")
                                             : QStringLiteral("Classificato in modo errato: uscita "))
            + field("txtOut")->text() + QStringLiteral(", attesa ") + target;
        QCOMPARE(list()->item(row)->toolTip(), words);
        QCOMPARE(QAccessible::queryAccessibleInterface(list())->child(row)->text(QAccessible::Description), words);
    }
    // No weights get XOR right.
    QVERIFY(wrong > 0);
    // New weights, and a removed line, bring the marks up to date.
    click("Command5");
    for (int row = 0; row < 4; ++row) {
        clickSample(row);
        click("Command1");
        const QString target = list()->item(row)->text().section(QLatin1Char(':'), -1).trimmed();
        QCOMPARE(*samples->shownClassification(row), field("txtOut")->text() == target);
    }
    clickSample(0);
    click("Command6");
    QCOMPARE(list()->count(), 3);
    for (int row = 0; row < 3; ++row)
        QVERIFY(samples->shownClassification(row).has_value());
    // Each line is drawn in its tint.
    const QImage image = list()->grab().toImage();
    for (int row = 0; row < 3; ++row) {
        const QRect line = list()->visualItemRect(list()->item(row));
        const QPoint right = list()->viewport()->mapTo(list(), QPoint(line.right() - 2, line.center().y()));
        QCOMPARE(image.pixelColor(right * image.devicePixelRatio()),
                 *samples->shownClassification(row) ? vintrelle::ui::ClassificationDelegate::rightTint()
                                                    : vintrelle::ui::ClassificationDelegate::wrongTint());
    }
}

void TestForm1::statusTooltipTellsWhyTrainingStopped()
{
    const auto tip = [this] { return label("Label1")->toolTip(); };
    const auto description = [this] {
        return QAccessible::queryAccessibleInterface(label("Label1"))->text(QAccessible::Description);
    };
    // No samples at all.
    field("Text2")->setText(QStringLiteral("2"));
    click("Command2");
    QCOMPARE(tip(), qText(messages::NoSamples));

    // XOR: no weights classify it, however long the training.
    field("Txt1")->setFocus();
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Down);
    addSample({"0", "1", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "0", "0", "0", "0"}, Qt::Key_Up);
    addSample({"1", "1", "0", "0", "0"}, Qt::Key_Down);
    click("Command2");
    QCOMPARE(label("Label1")->text(), qText(messages::LimitExceeded));
    QCOMPARE(tip(), qText(messages::NotSeparable));
    QCOMPARE(description(), tip());
    // Heard with the outcome.
    QVERIFY(statusLine()->lastAnnouncement().endsWith(qText(messages::NotSeparable)));
    // Any other status takes the reason away.
    click("Command5");
    QCOMPARE(tip(), QString());
    QVERIFY(description() != qText(messages::NotSeparable));

    // Separable but untrainable with a learning rate of 0 (the fresh
    // weights give the first sample, all zeros wanting 1, a sum of -w0 < 0).
    click("Command4");
    field("Txt1")->setFocus();
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Up);
    field("Text1")->setText(QStringLiteral("0"));
    click("Command2");
    QCOMPARE(label("Label1")->text(), qText(messages::LimitExceeded));
    QCOMPARE(tip(), qText(messages::Separable));

    // A target of 0 has no sign to reach.
    field("Text1")->setText(QStringLiteral("0,2"));
    field("txtOut")->setText(QStringLiteral("0"));
    click("Command3");
    click("Command2");
    QCOMPARE(tip(), qText(messages::ZeroTarget));

    // A training that converges, and "Reset".
    click("Command4");
    field("Txt1")->setFocus();
    addSample({"0", "0", "0", "0", "0"}, Qt::Key_Down);
    field("Text2")->setText(QStringLiteral("10000"));
    click("Command2");
    QCOMPARE(label("Label1")->text(), qText(messages::TrainingConverged));
    QCOMPARE(tip(), qText(messages::AllSamplesRight));
    click("Command4");
    QCOMPARE(tip(), QString());
}

// ---------------------------------------------------------------------------
// Screen readers

void TestForm1::controlsHaveItalianAccessibleTexts_data()
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

void TestForm1::controlsHaveItalianAccessibleTexts()
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

void TestForm1::everyFocusableControlHasAName()
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

void TestForm1::captionsLabelTheirControls()
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

void TestForm1::statusAndPassesAreReadWithTheirCaptions()
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

void TestForm1::eachActionAnnouncesWhatItShowsOnce()
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
    QCOMPARE(announced([this] { click("Command2"); }), Result(1, QStringLiteral("Valore non valido in N° cicli Max")));
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

void TestForm1::windowIsAFrameAndTheStatusLineAStatusBar()
{
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(form.get());
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), form->windowTitle());
    QAccessibleInterface *status = QAccessible::queryAccessibleInterface(label("Label1"));
    QCOMPARE(status->role(), QAccessible::StatusBar);
    click("Command5");
    QCOMPARE(status->text(QAccessible::Name), qText(messages::NetworkReset));
}

void TestForm1::aPointOverAControlFindsTheControl()
{
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(form.get());
    for (QWidget *control : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (control == diagram())
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

void TestForm1::noLineIsCurrentWithoutTheFocus()
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

void TestForm1::clickBringingTheFocusLandsOnTheLineUnderTheMouse()
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

void TestForm1::listAndDiagramShowTheFocus()
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

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    application.setAttribute(Qt::AA_Use96Dpi, true);
    TestForm1 test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_form1.moc"
