// SPDX-FileCopyrightText: The Vintrelle developers
// SPDX-License-Identifier: MIT

#include "ui/story_window.h"

#include "core/story_text.h"
#include "ui/classification_delegate.h"
#include "ui/fonts.h"
#include "ui/pass_curve.h"
#include "ui/plane_plot.h"
#include "ui/sample_plane.h"
#include "ui/story_table_model.h"
#include "ui/text_conversion.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace vintrelle::ui {

StoryWindow::StoryWindow(QWidget *owner)
    : QWidget(owner, Qt::Window)
    , model(new StoryTableModel(this))
{
    setObjectName(QStringLiteral("Storia"));
    setWindowTitle(QStringLiteral("Storia dell'addestramento"));
    setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    setFont(sansFont(9.6));
    setAccessibleName(windowTitle());
    setAccessibleDescription(QStringLiteral("L'ultimo addestramento ciclo per ciclo; Esc chiude la finestra"));

    auto *passCaption = new QLabel(QStringLiteral("Ciclo:"), this);
    passSlider = new QSlider(Qt::Horizontal, this);
    passSlider->setObjectName(QStringLiteral("StoriaCiclo"));
    passSlider->setAccessibleName(QStringLiteral("Ciclo"));
    passCaption->setBuddy(passSlider);
    passPosition = new QLabel(this);
    passPosition->setObjectName(QStringLiteral("StoriaCicloTesto"));
    passPosition->setAccessibleDescription(QStringLiteral("Il ciclo scelto e quanti cicli ha fatto l'addestramento"));
    passPosition->setMinimumWidth(passPosition->fontMetrics().horizontalAdvance(QStringLiteral("Ciclo 32767 di 32767 ")));

    corrections = new QTableView(this);
    corrections->setObjectName(QStringLiteral("StoriaCorrezioni"));
    corrections->setModel(model);
    corrections->setItemDelegateForColumn(0, new ClassificationDelegate(corrections));
    corrections->verticalHeader()->hide();
    corrections->setSelectionBehavior(QAbstractItemView::SelectRows);
    corrections->setSelectionMode(QAbstractItemView::SingleSelection);
    corrections->setEditTriggers(QAbstractItemView::NoEditTriggers);
    corrections->setTabKeyNavigation(false);
    corrections->setAccessibleName(QStringLiteral("Correzioni del ciclo"));
    corrections->setAccessibleDescription(
        QStringLiteral("Un campione per riga, nell'ordine dell'elenco: la somma, l'uscita, l'uscita attesa e i pesi "
                       "dopo il campione; i campioni corretti sono segnati. Ctrl+C copia il ciclo"));

    startWeights = new QLabel(this);
    startWeights->setObjectName(QStringLiteral("StoriaPesi"));
    startWeights->setAccessibleDescription(QStringLiteral("I pesi all'inizio del ciclo scelto"));
    check = new QLabel(this);
    check->setObjectName(QStringLiteral("StoriaControllo"));
    check->setAccessibleDescription(QStringLiteral("Che cosa ha trovato il controllo dopo il ciclo scelto"));
    for (QLabel *text : {startWeights, check}) {
        text->setWordWrap(true);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    // Rows as tall as their text, and room for eleven of them.
    const int rowHeight = fontMetrics().height() + 8;
    corrections->verticalHeader()->setDefaultSectionSize(rowHeight);
    corrections->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    corrections->setMinimumHeight(12 * rowHeight + 2 * corrections->frameWidth()
                                  + corrections->horizontalScrollBar()->sizeHint().height());

    curve = new PassCurve(this);
    curve->setObjectName(QStringLiteral("StoriaCurva"));
    plane = new SamplePlane(this);

    auto *top = new QHBoxLayout;
    top->addWidget(passCaption);
    top->addWidget(passSlider, 1);
    top->addWidget(passPosition);
    auto *plots = new QHBoxLayout;
    plots->addWidget(curve, 1);
    plots->addWidget(plane, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(startWeights);
    layout->addWidget(check);
    layout->addWidget(corrections);
    layout->addLayout(plots, 1);

    setTabOrder(passSlider, corrections);
    setTabOrder(corrections, curve);
    setTabOrder(curve, plane->horizontalAxisBox());
    setTabOrder(plane->horizontalAxisBox(), plane->verticalAxisBox());
    setTabOrder(plane->verticalAxisBox(), plane->plot());
    passSlider->setFocus();

    connect(passSlider, &QSlider::valueChanged, this, &StoryWindow::choosePass);
    connect(curve, &PassCurve::passChosen, passSlider, &QSlider::setValue);

    // The table and the plots side by side below it, within the screen.
    const QSize wanted(1000, 700);
    resize(screen() != nullptr ? wanted.boundedTo(screen()->availableGeometry().size() * 9 / 10) : wanted);
}

StoryWindow::~StoryWindow() = default;

void StoryWindow::showStory(std::shared_ptr<const vintrelle::TrainingStory> story)
{
    held = std::move(story);
    if (held == nullptr || held->passCount() == 0) {
        held.reset();
        model->showPass(nullptr, 0);
        curve->setCorrections({});
        close();
        return;
    }
    const int passes = held->passCount();
    std::vector<int> counts;
    counts.reserve(static_cast<std::size_t>(passes));
    for (int k = 1; k <= passes; ++k)
        counts.push_back(held->pass(k).corrections);
    curve->setCorrections(std::move(counts));
    plane->setSamples(held->samples());
    {
        const QSignalBlocker quiet(passSlider);
        passSlider->setRange(1, passes);
        passSlider->setPageStep(std::max(1, passes / 10));
        passSlider->setValue(passes);
    }
    choosePass(passes);
}

void StoryWindow::open(std::shared_ptr<const vintrelle::TrainingStory> story)
{
    showStory(std::move(story));
    show();
    raise();
    activateWindow();
}

int StoryWindow::chosenPass() const
{
    return held != nullptr ? passSlider->value() : 0;
}

void StoryWindow::choosePass(int pass)
{
    if (held == nullptr)
        return;
    model->showPass(held.get(), pass);
    corrections->resizeColumnsToContents();
    const QString position = toQString(vintrelle::passPositionText(pass, held->passCount()));
    passPosition->setText(position);
    passSlider->setAccessibleDescription(position);
    startWeights->setText(toQString(vintrelle::passStartText(pass, held->weightsBefore(pass))));
    check->setText(toQString(vintrelle::checkText(*held, pass, model->steps())));
    curve->setChosenPass(pass);
    plane->setWeights(held->pass(pass).weightsAfter);
}

void StoryWindow::copyPass() const
{
    if (held != nullptr)
        QGuiApplication::clipboard()->setText(model->passText());
}

void StoryWindow::keyPressEvent(QKeyEvent *event)
{
    // Keys the parts leave come here (the table leaves Ctrl+C).
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        close();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        copyPass();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace vintrelle::ui
