// A seeded, repeatable random user at the real window: keys of every kind
// the entry rules name and many they do not, typed and pasted texts, focus
// moves by Tab and by click, clicks on every button and on list items, and
// odd learning rates and cycle limits. After every action the window must
// still be consistent. On a failure the seed and the step are printed, and
// the same seed replays the same run:
//
//   VINTRELLE_MONKEY_SEED=1234 VINTRELLE_MONKEY_ACTIONS=1000000 tst_monkey

#include "core/messages.h"
#include "core/numeric_text.h"
#include "samples/sample_line.h"
#include "ui/application_setup.h"
#include "ui/form1.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace messages = vintrelle::messages;

namespace {

struct Key
{
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

const Key keys[] = {
    {Qt::Key_0, Qt::NoModifier},       {Qt::Key_1, Qt::NoModifier},        {Qt::Key_5, Qt::NoModifier},
    {Qt::Key_9, Qt::NoModifier},       {Qt::Key_0, Qt::KeypadModifier},    {Qt::Key_1, Qt::KeypadModifier},
    {Qt::Key_7, Qt::KeypadModifier},   {Qt::Key_Minus, Qt::KeypadModifier}, {Qt::Key_Period, Qt::KeypadModifier},
    {Qt::Key_Comma, Qt::KeypadModifier}, {Qt::Key_Comma, Qt::NoModifier},  {Qt::Key_Minus, Qt::NoModifier},
    {Qt::Key_Period, Qt::NoModifier},  {Qt::Key_Up, Qt::NoModifier},       {Qt::Key_Down, Qt::NoModifier},
    {Qt::Key_Left, Qt::NoModifier},    {Qt::Key_Right, Qt::NoModifier},    {Qt::Key_Backspace, Qt::NoModifier},
    {Qt::Key_Delete, Qt::NoModifier},  {Qt::Key_Home, Qt::NoModifier},     {Qt::Key_End, Qt::NoModifier},
    {Qt::Key_Return, Qt::NoModifier},  {Qt::Key_Enter, Qt::KeypadModifier}, {Qt::Key_Space, Qt::NoModifier},
    {Qt::Key_A, Qt::NoModifier},       {Qt::Key_Z, Qt::ShiftModifier},     {Qt::Key_E, Qt::NoModifier},
    {Qt::Key_Percent, Qt::ShiftModifier}, {Qt::Key_Plus, Qt::ShiftModifier}, {Qt::Key_F1, Qt::NoModifier},
    {Qt::Key_Escape, Qt::NoModifier},  {Qt::Key_Shift, Qt::ShiftModifier}, {Qt::Key_Control, Qt::ControlModifier},
    {Qt::Key_A, Qt::ControlModifier},  {Qt::Key_Z, Qt::ControlModifier},   {Qt::Key_Tab, Qt::NoModifier},
    {Qt::Key_Backtab, Qt::ShiftModifier},
};

const char *const pastedTexts[] = {
    "", " ", "-", ",", "0", "1", "-1", "0,5", "-0,25", ",5", "5,", "1.5", "abc", "1,2,3", " 7 ",
    "1e5", "0,2", "10000", "40000", "32767", "32766", "-5", "0", "99999999999999999999999999999999999999999",
    "1000000000000000000000000000000000000000", "-340282346638528859811704183484516925440",
    "0,0000000000000000000000000000000000000000000001", "3 ; 4", "1   :   2", "\t2\t", "∞", "١",
};

const char *const learningRates[] = {"0,2", "1", "0", "-0,5", "1000000", "1e30", "abc", "",
                                     "3000000000000000000000000000000000000",
                                     "100000000000000000000000000000000000000"};
const char *const cycleLimits[] = {"10000", "0", "-1", "1", "50", "32766", "32767", "32768",
                                   "-32768", "40000", "x", "", "12,5"};

template <typename T, std::size_t N>
const T &pick(std::mt19937 &random, const T (&items)[N])
{
    return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

bool isProgramStatus(const std::string &text)
{
    for (const std::string_view fixed : {messages::SystemReset, messages::NetworkReset, messages::Computed,
                                         messages::TrainingConverged, messages::LimitExceeded,
                                         messages::TrainingOverflow, messages::ComputeOverflow}) {
        if (text == fixed)
            return true;
    }
    for (int row = 0; row < vintrelle::SampleStore::Capacity; ++row) {
        if (text == messages::sampleStored(row))
            return true;
    }
    for (int field = 0; field <= static_cast<int>(messages::Field::MaxCycles); ++field) {
        if (text == messages::invalidValue(static_cast<messages::Field>(field)))
            return true;
    }
    return false;
}

} // namespace

class tst_Monkey : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomUserKeepsTheWindowConsistent();

private:
    // Empty when the window is consistent, otherwise what is wrong.
    QString inconsistency() const;
    void act(std::mt19937 &random);

    vintrelle::ui::Form1 *window = nullptr;
    std::array<QLineEdit *, 9> fields{};
    std::array<QPushButton *, 6> buttons{};
    QListWidget *list = nullptr;
    QLabel *status = nullptr;
    QLabel *cycles = nullptr;
};

void tst_Monkey::initTestCase()
{
    vintrelle::ui::setUpApplication();
    window = new vintrelle::ui::Form1;
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));

    const char *const fieldNames[] = {"Txt1", "Txt2", "Txt3", "Txt4", "Txt5", "txtOut", "Text1", "Text2", "Txt0"};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        fields[i] = window->findChild<QLineEdit *>(QString::fromLatin1(fieldNames[i]));
        QVERIFY(fields[i]);
    }
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i] = window->findChild<QPushButton *>(QStringLiteral("Command%1").arg(i + 1));
        QVERIFY(buttons[i]);
    }
    list = window->findChild<QListWidget *>(QStringLiteral("List1"));
    status = window->findChild<QLabel *>(QStringLiteral("Label1"));
    cycles = window->findChild<QLabel *>(QStringLiteral("Label9"));
    QVERIFY(list && status && cycles);
}

QString tst_Monkey::inconsistency() const
{
    const vintrelle::SampleStore &store = window->sampleStore();
    if (list->count() != store.count())
        return QStringLiteral("list has %1 lines, store %2 rows").arg(list->count()).arg(store.count());
    if (store.count() > vintrelle::SampleStore::Capacity)
        return QStringLiteral("store holds %1 rows").arg(store.count());

    for (int r = 0; r < store.count(); ++r) {
        const std::string line = list->item(r)->text().toStdString();
        const auto texts = vintrelle::readSampleLine(line);
        if (!texts)
            return QStringLiteral("line %1 unreadable: \"%2\"").arg(r).arg(QString::fromStdString(line));
        for (std::size_t i = 0; i < texts->size(); ++i) {
            const auto value = vintrelle::textToSingle((*texts)[i]);
            if (!value || *value != store.row(r)[i + 1])
                return QStringLiteral("line %1 input %2 is \"%3\", stored %4")
                    .arg(r).arg(i + 1).arg(QString::fromStdString((*texts)[i])).arg(store.row(r)[i + 1]);
        }
        if (store.row(r)[0] != -1.0f)
            return QStringLiteral("row %1 has bias %2").arg(r).arg(store.row(r)[0]);
    }

    for (const float weight : window->networkState().Weights) {
        if (!std::isfinite(weight))
            return QStringLiteral("weight %1 not finite").arg(weight);
    }

    const std::string shown = status->text().toStdString();
    if (!isProgramStatus(shown))
        return QStringLiteral("status line shows \"%1\"").arg(status->text());

    const QString passes = cycles->text();
    static const QRegularExpression passPattern(QStringLiteral("^N°Cicli( :|:-?\\d+/-?\\d+)$"));
    if (!passPattern.match(passes).hasMatch())
        return QStringLiteral("pass display shows \"%1\"").arg(passes);

    if (fields[8]->text() != QStringLiteral("-1") || fields[8]->isEnabled())
        return QStringLiteral("bias field changed");
    return {};
}

void tst_Monkey::act(std::mt19937 &random)
{
    QWidget *focus = QApplication::focusWidget();
    const int choice = std::uniform_int_distribution<int>(0, 99)(random);

    if (choice < 40) {
        // A key pressed and released where the focus is.
        const Key &key = pick(random, keys);
        if (focus)
            QTest::keyClick(focus, key.key, key.modifiers);
    } else if (choice < 46) {
        // A press and a release apart: held keys, a release with no press.
        const Key &key = pick(random, keys);
        if (focus) {
            if (random() % 2)
                QTest::keyPress(focus, key.key, key.modifiers);
            else
                QTest::keyRelease(focus, key.key, key.modifiers);
        }
    } else if (choice < 54) {
        // Typed characters.
        static const char alphabet[] = "0123456789,-.;: aZ";
        std::string typed;
        const int length = std::uniform_int_distribution<int>(1, 6)(random);
        for (int i = 0; i < length; ++i)
            typed += alphabet[random() % (sizeof alphabet - 1)];
        if (focus)
            QTest::keyClicks(focus, QString::fromStdString(typed));
    } else if (choice < 62) {
        // A click into a field.
        QLineEdit *field = fields[random() % fields.size()];
        QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(3, field->height() / 2));
    } else if (choice < 80) {
        // A click on a button: "aggiungi" often, so that the list fills up;
        // "Reset" rarely, so that it does not empty it every time.
        static std::discrete_distribution<std::size_t> button({30, 10, 60, 3, 10, 20});
        QTest::mouseClick(buttons[button(random)], Qt::LeftButton);
    } else if (choice < 88) {
        // A click on a list line, or on the empty part of the list.
        if (list->count() > 0 && random() % 4 != 0) {
            QListWidgetItem *item = list->item(static_cast<int>(random() % static_cast<unsigned>(list->count())));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
        } else {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
        }
    } else if (choice < 94) {
        // A text dropped or pasted into a field, as it is.
        QLineEdit *field = fields[random() % 8];
        field->setText(QString::fromUtf8(pick(random, pastedTexts)));
    } else {
        // New training settings.
        fields[6]->setText(QString::fromLatin1(pick(random, learningRates)));
        fields[7]->setText(QString::fromLatin1(pick(random, cycleLimits)));
    }
}

void tst_Monkey::randomUserKeepsTheWindowConsistent()
{
    const std::uint32_t seed = qEnvironmentVariableIsSet("VINTRELLE_MONKEY_SEED")
        ? static_cast<std::uint32_t>(qEnvironmentVariableIntValue("VINTRELLE_MONKEY_SEED"))
        : 20261208u;
    const int actions = qEnvironmentVariableIsSet("VINTRELLE_MONKEY_ACTIONS")
        ? qEnvironmentVariableIntValue("VINTRELLE_MONKEY_ACTIONS")
        : 20000;

    std::mt19937 random(seed);
    const QString before = inconsistency();
    QVERIFY2(before.isEmpty(), qPrintable(QStringLiteral("at start: ") + before));

    // What the run reached, so that a harness whose actions stopped reaching
    // the window cannot pass unnoticed.
    QSet<QString> statuses;
    int fullList = 0;
    for (int step = 1; step <= actions; ++step) {
        act(random);
        const QString problem = inconsistency();
        if (!problem.isEmpty()) {
            QFAIL(qPrintable(QStringLiteral("seed %1, step %2: %3").arg(seed).arg(step).arg(problem)));
        }
        statuses.insert(status->text().startsWith(QStringLiteral("Valore non valido")) ? QStringLiteral("invalid")
                        : status->text().startsWith(QStringLiteral("Sample N°"))      ? QStringLiteral("sample")
                                                                                        : status->text());
        if (list->count() == vintrelle::SampleStore::Capacity)
            ++fullList;
    }
    qInfo("%d actions with seed %u, no inconsistency; %lld kinds of status, list full after %d actions",
          actions, seed, static_cast<long long>(statuses.size()), fullList);
    if (actions >= 5000) {
        for (const QString &expected : {QStringLiteral("invalid"), QStringLiteral("sample"),
                                        QString::fromUtf8(messages::TrainingConverged.data()),
                                        QString::fromUtf8(messages::LimitExceeded.data()),
                                        QString::fromUtf8(messages::Computed.data()),
                                        QString::fromUtf8(messages::NetworkReset.data()),
                                        QString::fromUtf8(messages::SystemReset.data())})
            QVERIFY2(statuses.contains(expected), qPrintable(QStringLiteral("never shown: ") + expected));
        QVERIFY2(fullList > 0, "the list never filled up");
    }
}

QTEST_MAIN(tst_Monkey)
#include "tst_monkey.moc"
