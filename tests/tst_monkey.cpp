// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

// A seeded, repeatable random user at the real window: keys of every kind
// the entry rules name and many they do not (keypad arrows and Home/End with
// Num Lock off, Page Up/Down, Insert, Ctrl+V/X/Z), typed and pasted texts
// (some thousands of characters long, some not ASCII), the fields' context
// menus, focus moves by Tab and by click, the window losing and regaining
// activation, clicks on every button and on list items, and odd learning
// rates and cycle limits.
//
// Beside the window runs a model of what it must hold: the list lines and
// sample rows (targets included) after every add, remove and reset, the
// weights (changed only by training, replayed with the core, and by the two
// resets), the answer of "Calcola" computed with the core, the training's
// status and pass display, and the inputs of a line each time the list's
// selected line changes. They are compared after every action. On a
// failure the seed and the step are printed; the same seed repeats the same
// choices (the weights still come from the clock):
//
//   VINTRELLE_MONKEY_SEED=1234 VINTRELLE_MONKEY_ACTIONS=1000000 tst_monkey

#include "core/messages.h"
#include "core/numeric_text.h"
#include "core/output.h"
#include "core/training.h"
#include "samples/sample_line.h"
#include "samples/sample_store.h"
#include "ui/application_setup.h"
#include "ui/form1.h"
#include "window_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <variant>
#include <vector>

namespace messages = vintrelle::messages;
// The window under test; the only place that names its class.
using Window = vintrelle::ui::Form1;

namespace {

struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

constexpr Qt::KeyboardModifiers None = Qt::NoModifier;
constexpr Qt::KeyboardModifiers Keypad = Qt::KeypadModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers Shift = Qt::ShiftModifier;

const Key keys[] = {
    {Qt::Key_0, None}, {Qt::Key_1, None}, {Qt::Key_5, None}, {Qt::Key_9, None}, {Qt::Key_0, Keypad},
    {Qt::Key_1, Keypad}, {Qt::Key_7, Keypad}, {Qt::Key_Minus, Keypad}, {Qt::Key_Period, Keypad},
    {Qt::Key_Comma, Keypad}, {Qt::Key_Comma, None}, {Qt::Key_Minus, None}, {Qt::Key_Period, None},
    {Qt::Key_Up, None}, {Qt::Key_Down, None}, {Qt::Key_Left, None}, {Qt::Key_Right, None},
    {Qt::Key_Backspace, None}, {Qt::Key_Delete, None}, {Qt::Key_Home, None}, {Qt::Key_End, None},
    {Qt::Key_Return, None}, {Qt::Key_Enter, Keypad}, {Qt::Key_Space, None}, {Qt::Key_A, None},
    {Qt::Key_Z, Shift}, {Qt::Key_E, None}, {Qt::Key_Percent, Shift}, {Qt::Key_Plus, Shift}, {Qt::Key_F1, None},
    {Qt::Key_Escape, None}, {Qt::Key_Shift, Shift}, {Qt::Key_Control, Ctrl}, {Qt::Key_A, Ctrl},
    {Qt::Key_Z, Ctrl}, {Qt::Key_Tab, None}, {Qt::Key_Backtab, Shift},
    // The keypad with Num Lock off.
    {Qt::Key_Up, Keypad}, {Qt::Key_Down, Keypad}, {Qt::Key_Left, Keypad}, {Qt::Key_Right, Keypad},
    {Qt::Key_Home, Keypad}, {Qt::Key_End, Keypad}, {Qt::Key_Delete, Keypad},
    {Qt::Key_PageUp, None}, {Qt::Key_PageDown, None}, {Qt::Key_Insert, None},
    // Clipboard and undo.
    {Qt::Key_V, Ctrl}, {Qt::Key_X, Ctrl}, {Qt::Key_C, Ctrl}, {Qt::Key_Insert, Shift}, {Qt::Key_Delete, Shift},
};

const char *const shortTexts[] = {
    "", " ", "-", ",", "0", "1", "-1", "0,5", "-0,25", ",5", "5,", "1.5", "abc", "1,2,3", " 7 ",
    "1e5", "0,2", "10000", "40000", "32767", "32766", "-5", "2", "99999999999999999999999999999999999999999",
    "1000000000000000000000000000000000000000", "-340282346638528859811704183484516925440",
    "0,0000000000000000000000000000000000000000000001", "3 ; 4", "1   :   2", "\t2\t", "∞", "١",
    // Not ASCII: no-break spaces, the minus sign, full-width digits.
    "\u00a01", "0,5\u00a0", "\u22121", "\u22120,5", "\uff11", "\uff12,\uff15", "1\u00a0000",
};

// Short texts, and texts thousands of characters long.
const QStringList &pastedTexts()
{
    static const QStringList texts = [] {
        QStringList all;
        for (const char *text : shortTexts)
            all << QString::fromUtf8(text);
        all << QString(3000, u'7') << QStringLiteral("0,") + QString(4000, u'0') + QStringLiteral("1")
            << QStringLiteral("-") + QString(2500, u'9') + QStringLiteral(",5")
            << QString(2000, u' ') + QStringLiteral("-1") << QString(5000, u'x');
        return all;
    }();
    return texts;
}

const char *const learningRates[] = {"0,2", "1", "0", "-0,5", "1000000", "1e30", "abc", "", "0,05", "3",
                                     "3000000000000000000000000000000000000",
                                     "100000000000000000000000000000000000000"};
const char *const cycleLimits[] = {"10000", "0", "-1", "1", "50", "32766", "32767", "32768",
                                   "-32768", "40000", "x", "", "12,5"};

// Entries of a field's context menu that the user picks.
// Entries of a field's context menu, as Qt writes them before translation.
const char *const menuEntries[] = {"&Undo", "&Paste", "Delete", "Cu&t", "Select All"};

template <typename T, std::size_t N>
const T &pick(std::mt19937 &random, const T (&items)[N])
{
    return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

bool isProgramStatus(const std::string &text)
{
    const std::vector<std::string> statuses = window_test::allStatuses();
    return std::find(statuses.begin(), statuses.end(), text) != statuses.end();
}

QString rowText(const vintrelle::SampleRow &row)
{
    QStringList values;
    for (const float value : row)
        values << QString::number(double(value));
    return values.join(u' ');
}

int actionCount()
{
    return qEnvironmentVariableIsSet("VINTRELLE_MONKEY_ACTIONS") ? qEnvironmentVariableIntValue("VINTRELLE_MONKEY_ACTIONS")
                                                                 : 20000;
}

} // namespace

class tst_Monkey : public QObject
{
    Q_OBJECT

public:
    // Runs before QApplication exists.
    static void initMain();

private slots:
    void initTestCase();
    void randomUserKeepsTheWindowConsistent();

private:
    // Field indices: Txt1..Txt5 are 0..4.
    static constexpr int Out = 5, Eta = 6, Limit = 7, Bias = 8;

    struct Sample
    {
        std::string line;
        std::array<std::string, 5> inputs;   // as selecting the line must load them
        vintrelle::SampleRow row;
    };
    // What the window must hold.
    struct Model
    {
        std::vector<Sample> samples;
        vintrelle::WeightVector weights{};
        QString passes;
        int selected = -1;      // the list's selected line after the last action
        int clickedLine = -1;   // the line the current action clicked
    };
    // What a button's handler starts from: taken before every action and
    // again when a button goes down.
    struct Before
    {
        std::array<QString, 9> texts;
        int selected = -1;
        QString status;
    };

    void act(std::mt19937 &random);
    void useContextMenu(std::mt19937 &random);
    void leaveAndComeBack(std::mt19937 &random);
    void snapshot();
    void buttonClicked(int command);
    QString add();
    QString train();
    void adoptNewWeights();
    // Empty when the window matches the model, otherwise what differs.
    QString mismatch();
    void fail(const QString &what)
    {
        if (problem.isEmpty())
            problem = what;
    }
    std::string text(int field) const { return fields[field]->text().toStdString(); }
    // Txt(0)..Txt(5).
    std::string inputText(int i) const { return text(i == 0 ? Bias : i - 1); }
    int selectedLine() const
    {
        const QList<QListWidgetItem *> selected = list->selectedItems();
        return selected.isEmpty() ? -1 : list->row(selected.front());
    }

    std::unique_ptr<Window> window;
    std::unique_ptr<QWidget> otherWindow;
    std::array<QLineEdit *, 9> fields{};
    std::array<QPushButton *, 6> buttons{};
    QListWidget *list = nullptr;
    QLabel *status = nullptr;
    QLabel *cycles = nullptr;

    Model model;
    Before before;
    QString problem;
    int menuChoices = 0;
};

void tst_Monkey::initMain()
{
    // Qt Test ends a test function after five minutes unless told otherwise
    // (in milliseconds). A long run gets 10 ms an action, many times what an
    // action takes even under the sanitizers; an explicit setting wins.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(std::max(300'000LL, 10LL * actionCount())));
}

void tst_Monkey::initTestCase()
{
    // Context menus and window switches make the offscreen platform warn
    // about features it lacks, thousands of times in a long run.
    static const QtMessageHandler testLog = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (!message.startsWith(QLatin1String("This plugin does not support")))
            testLog(type, context, message);
    });

    vintrelle::ui::setUpApplication();
    otherWindow = std::make_unique<QWidget>();
    otherWindow->show();
    window = std::make_unique<Window>();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    const char *const fieldNames[] = {"Txt1", "Txt2", "Txt3", "Txt4", "Txt5", "txtOut", "Text1", "Text2", "Txt0"};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i] = window->findChild<QLineEdit *>(QString::fromLatin1(fieldNames[i]));
        QVERIFY(fields[i]);
    }
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i] = window->findChild<QPushButton *>(QStringLiteral("Command%1").arg(i + 1));
        QVERIFY(buttons[i]);
        // Connected after the window's own handlers, so these run after them.
        connect(buttons[i], &QPushButton::pressed, this, &tst_Monkey::snapshot);
        connect(buttons[i], &QPushButton::clicked, this, [this, i] { buttonClicked(static_cast<int>(i) + 1); });
    }
    list = window->findChild<QListWidget *>(QStringLiteral("List1"));
    status = window->findChild<QLabel *>(QStringLiteral("Label1"));
    cycles = window->findChild<QLabel *>(QStringLiteral("Label9"));
    QVERIFY(list && status && cycles);

    model.weights = window->networkState().Weights;
    model.passes = cycles->text();
}

void tst_Monkey::snapshot()
{
    for (std::size_t f = 0; f < fields.size(); ++f)
        before.texts[f] = fields[f]->text();
    before.selected = selectedLine();
    before.status = status->text();
}

// ---------------------------------------------------------------------------
// The model: what each button must do, from the texts its handler reads.

void tst_Monkey::buttonClicked(int command)
{
    // No button edits the inputs or the training settings.
    for (const int f : {0, 1, 2, 3, 4, Eta, Limit, Bias}) {
        if (fields[f]->text() != before.texts[f])
            fail(QStringLiteral("Command%1 changed %2").arg(command).arg(fields[f]->objectName()));
    }
    QString out = before.texts[Out];
    QString shown = before.status;
    switch (command) {
    case 1: {   // "Calcola": the core's answer for the inputs as they stand
        vintrelle::InputVector inputs{};
        int bad = -1;
        for (int i = 0; i < vintrelle::InputCount && bad < 0; ++i) {
            const auto value = vintrelle::textToDouble(inputText(i));
            if (value)
                inputs[i] = *value;
            else
                bad = i;
        }
        const auto answer = bad < 0 ? vintrelle::neuronOutput(inputs, model.weights) : std::nullopt;
        if (answer)
            out = QString::fromStdString(vintrelle::integerToText(*answer));
        shown = QString::fromStdString(bad >= 0 ? messages::invalidValue(messages::inputField(bad))
                                       : answer ? std::string(messages::Computed)
                                                : std::string(messages::ComputeOverflow));
        break;
    }
    case 2:   // "Addestra"
        shown = train();
        break;
    case 3: {   // "aggiungi"
        const QString stored = add();
        if (!stored.isNull())
            shown = stored;
        break;
    }
    case 4:   // "Reset"
        model.samples.clear();
        adoptNewWeights();
        out = QStringLiteral("1");
        shown = QString::fromUtf8(messages::SystemReset.data());
        break;
    case 5:   // "Reinizializza Pesi"
        adoptNewWeights();
        shown = QString::fromUtf8(messages::NetworkReset.data());
        break;
    case 6:   // "Rimuovi": the selected line and its row, nothing when none is selected
        if (before.selected >= 0) {
            model.samples.erase(model.samples.begin() + before.selected);
            out = QStringLiteral("1");
        }
        break;
    }
    if (fields[Out]->text() != out)
        fail(QStringLiteral("Command%1: txtOut shows \"%2\", expected \"%3\"").arg(command).arg(fields[Out]->text(), out));
    if (status->text() != shown)
        fail(QStringLiteral("Command%1: status \"%2\", expected \"%3\"").arg(command).arg(status->text(), shown));
}

// The status "aggiungi" must show, or a null string when it shows nothing new.
QString tst_Monkey::add()
{
    const std::string target = text(Out);
    if (vintrelle::trimBlanks(target).empty() || model.samples.size() >= vintrelle::SampleStore::Capacity)
        return {};
    // The row, the line and what selecting the line loads, by the program's
    // own rules for them.
    std::array<std::string, vintrelle::InputCount> texts;
    for (int i = 0; i < vintrelle::InputCount; ++i)
        texts[static_cast<std::size_t>(i)] = inputText(i);
    const auto row = vintrelle::sampleRowFromTexts({texts[0], texts[1], texts[2], texts[3], texts[4], texts[5]}, target);
    if (const auto *badField = std::get_if<messages::Field>(&row))
        return QString::fromStdString(messages::invalidValue(*badField));
    const vintrelle::SampleTexts shown{{texts[1], texts[2], texts[3], texts[4], texts[5]}, target};
    Sample sample;
    sample.row = std::get<vintrelle::SampleRow>(row);
    sample.line = vintrelle::buildSampleLine(shown);
    sample.inputs = vintrelle::inputsToLoad(shown);
    model.samples.push_back(sample);
    if (QApplication::focusWidget() != fields[0])
        fail(QStringLiteral("after aggiungi the focus is not on Txt1"));
    return QString::fromStdString(messages::sampleStored(static_cast<int>(model.samples.size()) - 1));
}

// Replays the training with the core on the model's rows and the weights
// before it; returns the status it must show.
QString tst_Monkey::train()
{
    const auto eta = vintrelle::textToSingle(text(Eta));
    const auto limit = vintrelle::textToInteger(text(Limit));
    if (!eta || !limit)
        return QString::fromStdString(messages::invalidValue(!eta ? messages::Field::Eta : messages::Field::MaxCycles));
    std::vector<vintrelle::SampleRow> rows;
    for (const Sample &sample : model.samples)
        rows.push_back(sample.row);
    const vintrelle::TrainingResult result = vintrelle::train(model.weights, rows, *eta, *limit);
    model.passes = QString::fromStdString(vintrelle::cyclesText(result.cycles, *limit));

    // What the user reads must hold for the weights the window now has:
    // "Addestata" within the limit and with every sample given its target's
    // sign; the limit passed after limit+1 passes (one for a negative
    // limit; the 16-bit counter stops at 32767).
    const vintrelle::WeightVector &trained = window->networkState().Weights;
    if (result.outcome == vintrelle::TrainingOutcome::Converged) {
        if (result.cycles < 1 || result.cycles > *limit)
            fail(QStringLiteral("converged after %1 passes, limit %2").arg(result.cycles).arg(*limit));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (!vintrelle::classifiedRight(trained, rows[r]))
                fail(QStringLiteral("\"Addestata\", but sample %1 (%2) is not classified right")
                         .arg(r)
                         .arg(rowText(rows[r])));
        }
    } else if (result.outcome == vintrelle::TrainingOutcome::LimitExceeded
               && result.cycles != vintrelle::passesAtTheLimit(*limit)) {
        fail(QStringLiteral("limit %1 passed after %2 passes").arg(*limit).arg(result.cycles));
    }
    return QString::fromStdString(vintrelle::trainingStatusText(result.outcome));
}

void tst_Monkey::adoptNewWeights()
{
    model.weights = window->networkState().Weights;
    for (const float weight : model.weights) {
        if (!(weight >= 0.0f && weight < 1.0f))
            fail(QStringLiteral("new weight %1 outside [0, 1)").arg(double(weight)));
    }
}

QString tst_Monkey::mismatch()
{
    if (!problem.isEmpty())
        return problem;
    const vintrelle::SampleStore &store = window->sampleStore();
    const int count = static_cast<int>(model.samples.size());
    if (list->count() != count || store.count() != count)
        return QStringLiteral("list has %1 lines, store %2 rows, expected %3").arg(list->count()).arg(store.count()).arg(count);
    for (int r = 0; r < count; ++r) {
        const Sample &expected = model.samples[r];
        if (list->item(r)->text().toStdString() != expected.line)
            return QStringLiteral("line %1 is \"%2\", expected \"%3\"")
                .arg(r).arg(list->item(r)->text(), QString::fromStdString(expected.line));
        if (store.row(r) != expected.row)
            return QStringLiteral("row %1 holds %2, expected %3").arg(r).arg(rowText(store.row(r)), rowText(expected.row));
    }
    if (std::memcmp(window->networkState().Weights.data(), model.weights.data(), sizeof model.weights) != 0)
        return QStringLiteral("weights changed outside training and the resets, or trained differently");
    if (cycles->text() != model.passes)
        return QStringLiteral("pass display \"%1\", expected \"%2\"").arg(cycles->text(), model.passes);
    if (!isProgramStatus(status->text().toStdString()))
        return QStringLiteral("status line shows \"%1\"").arg(status->text());
    if (fields[Bias]->text() != QStringLiteral("-1") || fields[Bias]->isEnabled())
        return QStringLiteral("bias field changed");

    // Each change of the selected line, and each click on a line, loads
    // that line's inputs and blanks txtOut; a current line is a selected one.
    const int selected = selectedLine();
    const int current = list->currentRow();
    if (model.clickedLine >= 0 && selected != model.clickedLine)
        return QStringLiteral("a click on line %1 selected line %2").arg(model.clickedLine).arg(selected);
    if (current >= 0 && selected != current)
        return QStringLiteral("line %1 is current but line %2 is selected").arg(current).arg(selected);
    if (selected >= 0 && (selected != model.selected || model.clickedLine >= 0)) {
        const Sample &loaded = model.samples[selected];
        for (int j = 0; j < 5; ++j) {
            if (text(j) != loaded.inputs[j])
                return QStringLiteral("line %1 selected, Txt%2 shows \"%3\"").arg(selected).arg(j + 1).arg(fields[j]->text());
        }
        if (!fields[Out]->text().isEmpty())
            return QStringLiteral("line %1 selected, txtOut shows \"%2\"").arg(selected).arg(fields[Out]->text());
    }
    model.selected = selected;

    model.clickedLine = -1;
    return {};
}

// ---------------------------------------------------------------------------
// The user

void tst_Monkey::act(std::mt19937 &random)
{
    snapshot();
    const bool focus = QApplication::focusWidget() != nullptr;
    const int choice = std::uniform_int_distribution<int>(0, 99)(random);
    // A click into the window makes it the active one, as a window manager
    // does and the offscreen platform does not: Space on the pass display
    // may have opened the story's window, which then has the keyboard.
    if (choice >= 50 && choice < 95 && QApplication::activeWindow() != window.get()) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            return fail(QStringLiteral("the window did not become active on a click"));
    }

    if (choice < 38) {
        // A key pressed and released where the focus is.
        const Key &key = pick(random, keys);
        if (focus)
            QTest::keyClick(static_cast<QWidget *>(nullptr), key.key, key.modifiers);
    } else if (choice < 43) {
        // A press and a release apart: held keys, a release with no press.
        const Key &key = pick(random, keys);
        if (focus) {
            if (random() % 2)
                QTest::keyPress(static_cast<QWidget *>(nullptr), key.key, key.modifiers);
            else
                QTest::keyRelease(static_cast<QWidget *>(nullptr), key.key, key.modifiers);
        }
    } else if (choice < 50) {
        // Typed characters.
        static const char alphabet[] = "0123456789,-.;: aZ";
        std::string typed;
        const int length = std::uniform_int_distribution<int>(1, 6)(random);
        for (int i = 0; i < length; ++i)
            typed += alphabet[random() % (sizeof alphabet - 1)];
        if (focus)
            QTest::keyClicks(static_cast<QWidget *>(nullptr), QString::fromStdString(typed));
    } else if (choice < 57) {
        // A click into a field.
        QLineEdit *field = fields[random() % fields.size()];
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(3, field->height() / 2));
    } else if (choice < 74) {
        // A click on a button: "aggiungi" often, so that the list fills up;
        // "Reset" rarely, so that it does not empty it every time.
        static std::discrete_distribution<std::size_t> button({30, 10, 60, 3, 10, 20});
        QTest::mouseClick(buttons[button(random)], Qt::LeftButton);
    } else if (choice < 82) {
        // A click on a list line, scrolled into view first, or on the empty
        // part of the list.
        if (list->count() > 0 && random() % 4 != 0) {
            const int row = static_cast<int>(random() % static_cast<unsigned>(list->count()));
            list->scrollToItem(list->item(row));
            model.clickedLine = row;
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        } else {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
        }
    } else if (choice < 86) {
        // A text dropped into a field, as it is.
        const QStringList &texts = pastedTexts();
        fields[random() % 8]->setText(texts[static_cast<qsizetype>(random() % texts.size())]);
    } else if (choice < 89) {
        // New training settings.
        fields[Eta]->setText(QString::fromLatin1(pick(random, learningRates)));
        fields[Limit]->setText(QString::fromLatin1(pick(random, cycleLimits)));
    } else if (choice < 95) {
        useContextMenu(random);
    } else if (choice < 98) {
        // A text pasted with the keyboard where the focus is.
        const QStringList &texts = pastedTexts();
        QGuiApplication::clipboard()->setText(texts[static_cast<qsizetype>(random() % texts.size())]);
        if (focus)
            QTest::keyClick(static_cast<QWidget *>(nullptr), random() % 2 ? Qt::Key_V : Qt::Key_Insert,
                            random() % 2 ? Ctrl : Shift);
    } else {
        leaveAndComeBack(random);
    }
}

// A right click into a field and one entry of its menu, chosen by keyboard;
// a disabled entry closes the menu with Escape.
void tst_Monkey::useContextMenu(std::mt19937 &random)
{
    QLineEdit *field = fields[random() % 8];
    const char *source = pick(random, menuEntries);
    // The menu speaks the application's language (Italian).
    const QString entry = QCoreApplication::translate("QLineEdit", source);
    if (std::strcmp(source, "&Paste") == 0 && random() % 2) {
        const QStringList &texts = pastedTexts();
        QGuiApplication::clipboard()->setText(texts[static_cast<qsizetype>(random() % texts.size())]);
    }
    const QPoint at(3, field->height() / 2);
    QTest::mouseClick(field, Qt::RightButton, {}, at);
    QContextMenuEvent request(QContextMenuEvent::Mouse, at, field->mapToGlobal(at));
    QApplication::sendEvent(field, &request);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu)
        return fail(QStringLiteral("no context menu in %1").arg(field->objectName()));
    QAction *chosen = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text().section(u'\t', 0, 0) == entry)
            chosen = action;
    }
    if (chosen && chosen->isEnabled()) {
        ++menuChoices;
        menu->setActiveAction(chosen);
        QTest::keyClick(menu, Qt::Key_Return);
    } else {
        QTest::keyClick(menu, Qt::Key_Escape);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // The offscreen platform leaves no window active once the menu is gone,
    // where a desktop gives the activation back to the menu's window.
    QCoreApplication::processEvents();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        fail(QStringLiteral("the window did not become active after its context menu"));
}

// Another window comes to the front, sometimes a click lands in a field of
// the inactive window, then the user returns.
void tst_Monkey::leaveAndComeBack(std::mt19937 &random)
{
    otherWindow->activateWindow();
    if (!QTest::qWaitForWindowActive(otherWindow.get()))
        return fail(QStringLiteral("the other window did not become active"));
    if (random() % 2)
        fields[random() % 8]->setFocus(Qt::MouseFocusReason);
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get()))
        fail(QStringLiteral("the window did not become active again"));
}

void tst_Monkey::randomUserKeepsTheWindowConsistent()
{
    const std::uint32_t seed = qEnvironmentVariableIsSet("VINTRELLE_MONKEY_SEED")
        ? static_cast<std::uint32_t>(qEnvironmentVariableIntValue("VINTRELLE_MONKEY_SEED"))
        : 20261208u;
    const int actions = actionCount();
    qInfo("seed %u, %d actions", seed, actions);

    std::mt19937 random(seed);
    const QString start = mismatch();
    QVERIFY2(start.isEmpty(), qPrintable(QStringLiteral("at start: ") + start));

    // What the run reached, so that a harness whose actions stopped reaching
    // the window cannot pass unnoticed.
    QSet<QString> statuses;
    int fullList = 0;
    int selections = 0;
    for (int step = 1; step <= actions; ++step) {
        act(random);
        const QString problemHere = mismatch();
        if (!problemHere.isEmpty())
            QFAIL(qPrintable(QStringLiteral("seed %1, step %2: %3").arg(seed).arg(step).arg(problemHere)));
        statuses.insert(status->text().startsWith(QStringLiteral("Valore non valido")) ? QStringLiteral("invalid")
                        : status->text().startsWith(QStringLiteral("Sample N°"))      ? QStringLiteral("sample")
                                                                                        : status->text());
        fullList += list->count() == vintrelle::SampleStore::Capacity;
        selections += model.selected >= 0;
    }
    qInfo("%d actions with seed %u, window and model agree; %lld kinds of status, list full after %d actions, "
          "a line selected after %d, %d context menu entries used",
          actions, seed, static_cast<long long>(statuses.size()), fullList, selections, menuChoices);
    if (actions >= 5000) {
        for (const QString &expected : {QStringLiteral("invalid"), QStringLiteral("sample"),
                                        QString::fromUtf8(messages::TrainingConverged.data()),
                                        QString::fromUtf8(messages::LimitExceeded.data()),
                                        QString::fromUtf8(messages::Computed.data()),
                                        QString::fromUtf8(messages::NetworkReset.data()),
                                        QString::fromUtf8(messages::SystemReset.data())})
            QVERIFY2(statuses.contains(expected), qPrintable(QStringLiteral("never shown: ") + expected));
        QVERIFY2(fullList > 0, "the list never filled up");
        QVERIFY2(selections > 0, "no line was ever selected");
        QVERIFY2(menuChoices > 0, "no context menu entry was ever used");
    }
}

QTEST_MAIN(tst_Monkey)
#include "tst_monkey.moc"
