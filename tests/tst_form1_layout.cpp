// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// The window as the design draws it: its controls and their names, places,
// tab order, colours and fonts, readable on a dark desktop too, and every
// text it can show fitting its box, with all its glyphs.

#include "core/numeric_text.h"
#include "core/training.h"
#include "ui/form1.h"
#include "ui/pass_display.h"
#include "ui/wrapping_button.h"
#include "colour_contrast.h"
#include "window_test_support.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QToolTip>

#include <string>

using namespace window_test;

namespace {

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

} // namespace

class TestForm1Layout : public WindowTest
{
    Q_OBJECT

private slots:
    // Start-up and layout
    void everyControlHasItsName();
    void startUpState();
    void controlsSitWhereTheDesignPutsThem_data();
    void controlsSitWhereTheDesignPutsThem();
    void tabOrderFollowsTheDesign();
    void coloursAreLightYellowBlueAndLightBlue();
    void darkDesktopThemeLeavesEveryControlReadable();
    void fontsAreSubstitutedByMetricTwins();
    void everyCaptionFitsItsBox();
    void everyStatusFitsTheStatusLine();
    void everyTextHasItsGlyphs();
};

// ---------------------------------------------------------------------------
// Start-up and layout

void TestForm1Layout::everyControlHasItsName()
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

void TestForm1Layout::startUpState()
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
    QCOMPARE(form->size(), designWindowSize);
    // A maximise button only on a window that can change size; close stays.
    QCOMPARE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint), form->minimumSize() != form->maximumSize());
    QVERIFY(form->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

void TestForm1Layout::controlsSitWhereTheDesignPutsThem_data()
{
    addDesignLayoutRows();
}

void TestForm1Layout::controlsSitWhereTheDesignPutsThem()
{
    compareWithTheDesignPlace();
}

void TestForm1Layout::tabOrderFollowsTheDesign()
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

void TestForm1Layout::coloursAreLightYellowBlueAndLightBlue()
{
    for (const char *name : {"Label1", "Label2", "Label3", "Label7", "Label9"}) {
        const QLabel *filled = label(name);
        QVERIFY2(filled->autoFillBackground(), name);
        QCOMPARE(filled->palette().color(QPalette::Window), designLightYellow);
        QCOMPARE(filled->palette().color(QPalette::WindowText), designBlue);
    }
    for (const char *name : {"Label8", "Label10", "Label11"}) {
        const QLabel *plain = label(name);
        QVERIFY2(!plain->autoFillBackground(), name);
        QCOMPARE(plain->palette().color(QPalette::WindowText), designBlue);
    }
    QCOMPARE(field("txtOut")->palette().color(QPalette::Base), designLightBlue);
    QCOMPARE(field("txtOut")->palette().color(QPalette::Text), designLightYellow);

    // And on screen: the middle of the status line's right end is light yellow.
    const QImage image = form->grab().toImage();
    const QRect status = label("Label1")->geometry();
    const qreal ratio = image.devicePixelRatio();
    QCOMPARE(image.pixelColor(QPointF(status.right() - 3, status.center().y()).toPoint() * ratio), designLightYellow);
}

void TestForm1Layout::darkDesktopThemeLeavesEveryControlReadable()
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

void TestForm1Layout::fontsAreSubstitutedByMetricTwins()
{
    QCOMPARE(QFontInfo(label("Label1")->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(field("Txt1")->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(button("Command5")->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(label("Label8")->font()).family(), QStringLiteral("Liberation Serif"));
    QCOMPARE(field("txtOut")->font().pointSizeF(), 12.0);
    QVERIFY(label("Label3")->font().bold());
    QVERIFY(!label("Label1")->font().bold());
}

void TestForm1Layout::everyCaptionFitsItsBox()
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

void TestForm1Layout::everyStatusFitsTheStatusLine()
{
    vintrelle::ui::StatusLine *status = statusLine();
    const int flags = int(status->alignment());
    for (const std::string &text : allStatuses()) {
        // In the line's own font where it fits so, else smaller, but whole
        // and readable.
        status->setText(qText(text));
        const QFont shown = status->shownFont();
        if (status->rect().contains(inkOf(qText(text), status->font(), status->contentsRect(), flags)))
            QCOMPARE(shown, status->font());
        QVERIFY2(shown.pointSizeF() >= 7.5, text.c_str());
        QVERIFY2(status->rect().contains(inkOf(qText(text), shown, status->contentsRect(), flags)), text.c_str());
    }

    auto *passes = control<vintrelle::ui::PassDisplay>("Label9");
    const QString longest = qText(vintrelle::cyclesText(-32768, -32768));
    const QRect ink = inkOf(longest, passes->font(), passes->contentsRect(), int(passes->alignment()));
    QVERIFY(passes->rect().contains(ink));
    // The longest count after a training keeps clear of the story's chart.
    passes->showStory(std::make_shared<vintrelle::TrainingStory>());
    const QString trained = qText(vintrelle::cyclesText(32767, 32767));
    const QRect trainedInk = inkOf(trained, passes->font(), passes->contentsRect(), int(passes->alignment()));
    QVERIFY(passes->rect().contains(trainedInk) && !trainedInk.intersects(passes->cueRect()));
}

void TestForm1Layout::everyTextHasItsGlyphs()
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

WINDOW_TEST_MAIN(TestForm1Layout)
#include "tst_form1_layout.moc"
