#include "gui/melodies/MelodyDialog.h"

#include "core/ToneSynth.h"
#include "gui/SoundPreview.h"
#include "gui/melodies/MelodyDocument.h"
#include "gui/melodies/MelodyImportDialog.h"
#include "gui/melodies/MelodyOperations.h"
#include "gui/melodies/Named.h"
#include "gui/melodies/NoteDelegate.h"
#include "gui/melodies/PianoRoll.h"
#include "platform/AtomicFile.h"
#include "platform/MessageBoxes.h"
#include "settings/DeviceMelodies.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QUndoGroup>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kPlayFile = QStringLiteral("/play.snd");

QString joinedNames(const QStringList &names)
{
    if (names.size() < 2)
        return names.value(0);
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") +
           names.last();
}

} // namespace

MelodyDialog::MelodyDialog(MelodyDialogContext context, QWidget *parent)
    : QDialog(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("MelodyDialog"));
    setWindowTitle(QStringLiteral("Alarm Melodies"));
    m_askImport = [this] { return MelodyImportDialog::ask(this); };
    m_askName = [this](const QString &suggestion) {
        QInputDialog ask(this);
        ask.setObjectName(QStringLiteral("MelodyNameDialog"));
        ask.setAccessibleName(QStringLiteral("Name on the Tavion"));
        ask.setWindowTitle(QStringLiteral("Save to Tavion"));
        ask.setLabelText(QStringLiteral("Name on the Tavion (1 to 8 characters):"));
        ask.setTextValue(suggestion);
        return ask.exec() == QDialog::Accepted ? ask.textValue() : QString();
    };
    m_undo = new QUndoGroup(this);
    buildControls();
    refreshList(nullptr);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    else
        showDocument(-1);
}

MelodyDialog::~MelodyDialog()
{
    // The view lets go of the models before the documents holding them go.
    m_table->setModel(nullptr);
}

QPushButton *MelodyDialog::addButton(const char *name, const QString &text,
                                     const QString &accessible, void (MelodyDialog::*slot)())
{
    auto *button = named(new QPushButton(text, this), QLatin1StringView(name), accessible);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

void MelodyDialog::buildControls()
{
    m_list = named(new QListWidget(this), QStringLiteral("MelodyList"),
                   QStringLiteral("Melodies on the Tavion"));
    m_list->setFixedWidth(150);
    connect(m_list, &QListWidget::currentRowChanged, this, &MelodyDialog::showDocument);
    auto *listLabel = new QLabel(QStringLiteral("&Melodies:"), this);
    listLabel->setBuddy(m_list);

    m_editor = new QWidget(this);
    m_editor->setObjectName(QStringLiteral("MelodyEditor"));

    m_tempo = named(new QSpinBox(m_editor), QStringLiteral("MelodyTempo"), QStringLiteral("Tempo"));
    m_tempo->setRange(MinTempo, MaxTempo);
    m_tempo->setKeyboardTracking(false);
    connect(m_tempo, &QSpinBox::valueChanged, this, &MelodyDialog::changeTempo);
    auto *tempoLabel = new QLabel(QStringLiteral("T&empo:"), m_editor);
    tempoLabel->setBuddy(m_tempo);
    m_unit = named(new QLabel(m_editor), QStringLiteral("MelodyUnit"),
                   QStringLiteral("Length of a unit"));
    m_length = named(new QLabel(m_editor), QStringLiteral("MelodyLength"),
                     QStringLiteral("Length of the melody"));

    m_table =
        named(new QTableView(m_editor), QStringLiteral("MelodyTable"), QStringLiteral("Notes"));
    m_table->setItemDelegate(new NoteDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setTabKeyNavigation(false);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setDefaultSectionSize(90);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);

    m_roll = new PianoRoll;
    m_rollArea = named(new QScrollArea(m_editor), QStringLiteral("MelodyRollArea"),
                       QStringLiteral("Melody over time"));
    m_rollArea->setFocusPolicy(Qt::NoFocus);
    m_rollArea->setWidget(m_roll);
    m_rollArea->setFixedHeight(m_roll->height() + 2 * m_rollArea->frameWidth() +
                               m_rollArea->horizontalScrollBar()->sizeHint().height());
    m_rollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // Keys of the table: insert, delete, move and transpose the selected notes.
    auto tableKey = [this](const QKeySequence &keys, auto action) {
        auto *item = new QAction(m_table);
        item->setShortcut(keys);
        item->setShortcutContext(Qt::WidgetShortcut);
        connect(item, &QAction::triggered, this, action);
        m_table->addAction(item);
    };
    tableKey(QKeySequence(Qt::Key_Insert), [this] { insertNote(); });
    tableKey(QKeySequence(Qt::Key_Delete), [this] { deleteNotes(); });
    tableKey(QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { moveNotes(-1); });
    tableKey(QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { moveNotes(1); });
    tableKey(QKeySequence(Qt::ALT | Qt::Key_Up), [this] { transpose(1, true); });
    tableKey(QKeySequence(Qt::ALT | Qt::Key_Down), [this] { transpose(-1, true); });

    QAction *undo = m_undo->createUndoAction(this);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction *redo = m_undo->createRedoAction(this);
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    addAction(undo);
    addAction(redo);

    auto *insert = addButton("NoteInsert", QStringLiteral("Insert"),
                             QStringLiteral("Insert a note"), &MelodyDialog::insertNote);
    auto *remove =
        addButton("NoteDelete", QStringLiteral("Delete"),
                  QStringLiteral("Delete the selected notes"), &MelodyDialog::deleteNotes);
    auto *up = named(new QPushButton(QStringLiteral("Move &up"), this), QStringLiteral("NoteUp"),
                     QStringLiteral("Move the selected notes up"));
    connect(up, &QPushButton::clicked, this, [this] { moveNotes(-1); });
    auto *down = named(new QPushButton(QStringLiteral("Move do&wn"), this),
                       QStringLiteral("NoteDown"), QStringLiteral("Move the selected notes down"));
    connect(down, &QPushButton::clicked, this, [this] { moveNotes(1); });
    auto *undoButton = named(new QPushButton(QStringLiteral("Undo"), this),
                             QStringLiteral("MelodyUndo"), QStringLiteral("Undo"));
    undoButton->setToolTip(QStringLiteral("Undo (Ctrl+Z)"));
    connect(undoButton, &QPushButton::clicked, undo, &QAction::trigger);
    connect(undo, &QAction::changed, undoButton,
            [undo, undoButton] { undoButton->setEnabled(undo->isEnabled()); });
    auto *redoButton = named(new QPushButton(QStringLiteral("Redo"), this),
                             QStringLiteral("MelodyRedo"), QStringLiteral("Redo"));
    redoButton->setToolTip(QStringLiteral("Redo (Ctrl+Shift+Z)"));
    connect(redoButton, &QPushButton::clicked, redo, &QAction::trigger);
    connect(redo, &QAction::changed, redoButton,
            [redo, redoButton] { redoButton->setEnabled(redo->isEnabled()); });
    undoButton->setEnabled(false);
    redoButton->setEnabled(false);
    insert->setToolTip(QStringLiteral("Insert a note after the selected one (Ins)"));
    remove->setToolTip(QStringLiteral("Delete the selected notes (Del)"));
    up->setToolTip(QStringLiteral("Ctrl+Up"));
    down->setToolTip(QStringLiteral("Ctrl+Down"));

    struct Step
    {
        const char *name;
        const char *text;
        const char *accessible;
        int semitones;
    };
    const Step steps[] = {{"OctaveDown", "- octave", "Transpose down an octave", -12},
                          {"SemitoneDown", "- semitone", "Transpose down a semitone", -1},
                          {"SemitoneUp", "+ semitone", "Transpose up a semitone", 1},
                          {"OctaveUp", "+ octave", "Transpose up an octave", 12}};
    auto *transposeRow = new QHBoxLayout;
    transposeRow->addWidget(new QLabel(QStringLiteral("Transpose:"), m_editor));
    for (const Step &step : steps) {
        auto *button = named(new QPushButton(QLatin1StringView(step.text), this),
                             QLatin1StringView(step.name), QLatin1StringView(step.accessible));
        connect(button, &QPushButton::clicked, this,
                [this, n = step.semitones] { transpose(n, false); });
        transposeRow->addWidget(button);
        m_editButtons.push_back(button);
    }
    transposeRow->addStretch();

    m_editButtons.insert(m_editButtons.end(), {insert, remove, up, down});
    auto *noteRow = new QHBoxLayout;
    for (QPushButton *button : {insert, remove, up, down, undoButton, redoButton})
        noteRow->addWidget(button);
    noteRow->addStretch();

    auto *figures = new QHBoxLayout;
    figures->addWidget(tempoLabel);
    figures->addWidget(m_tempo);
    figures->addWidget(m_unit);
    figures->addStretch();
    figures->addWidget(m_length);

    auto *newButton = addButton("MelodyNew", QStringLiteral("&New"), QStringLiteral("New melody"),
                                &MelodyDialog::newMelody);
    auto *importButton = addButton("MelodyImport", QStringLiteral("&Import..."),
                                   QStringLiteral("Import a melody"), &MelodyDialog::importMelody);
    m_play = addButton("MelodyPlay", QStringLiteral("&Play"), QStringLiteral("Play the melody"),
                       &MelodyDialog::play);
    m_stop = addButton("MelodyStop", QStringLiteral("St&op"), QStringLiteral("Stop playing"),
                       &MelodyDialog::stop);
    m_save =
        addButton("MelodySave", QStringLiteral("&Save to Tavion..."),
                  QStringLiteral("Save the melody to the Tavion"), &MelodyDialog::saveToDevice);
    m_remove = addButton("MelodyRemove", QStringLiteral("&Remove from Tavion"),
                         QStringLiteral("Remove the melody from the Tavion"),
                         &MelodyDialog::removeFromDevice);
    auto *close = addButton("MelodyClose", QStringLiteral("&Close"), QStringLiteral("Close"),
                            &MelodyDialog::reject);
    m_editButtons.push_back(m_save);

    m_status =
        named(new QLabel(m_editor), QStringLiteral("MelodyStatus"), QStringLiteral("Message"));
    m_status->setWordWrap(true);
    m_status->setMinimumHeight(2 * m_status->fontMetrics().lineSpacing());
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *commands = new QVBoxLayout;
    for (QPushButton *button : {newButton, importButton, m_save, m_remove})
        commands->addWidget(button);

    auto *left = new QVBoxLayout;
    left->addWidget(listLabel);
    left->addWidget(m_list);
    left->addLayout(commands);

    auto *right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->addLayout(figures);
    right->addWidget(m_table, 1);
    right->addWidget(m_rollArea);
    right->addLayout(noteRow);
    right->addLayout(transposeRow);
    right->addWidget(m_status);

    auto *editorLayout = new QHBoxLayout(m_editor);
    editorLayout->setContentsMargins(0, 0, 0, 0);
    editorLayout->addLayout(left);
    editorLayout->addLayout(right, 1);

    // Outside the editor, which waits disabled while a melody plays.
    auto *playRow = new QHBoxLayout;
    playRow->addWidget(m_play);
    playRow->addWidget(m_stop);
    playRow->addStretch();
    playRow->addWidget(close);

    // Return belongs to the table's editors, not to a default button.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);

    // The keyboard's way: the list and its commands, the melody, its editing, playing.
    QList<QWidget *> order{m_list, newButton, importButton, m_save, m_remove,   m_tempo,   m_table,
                           insert, remove,    up,           down,   undoButton, redoButton};
    order << m_editButtons[0] << m_editButtons[1] << m_editButtons[2] << m_editButtons[3];
    order << m_play << m_stop << close;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_editor, 1);
    layout->addLayout(playRow);
    resize(720, 520);
}

MelodyDocument *MelodyDialog::current() const
{
    const int row = m_list->currentRow();
    return row >= 0 && std::size_t(row) < m_documents.size() ? m_documents[std::size_t(row)].get()
                                                             : nullptr;
}

void MelodyDialog::refreshList(MelodyDocument *shown)
{
    const QSignalBlocker blocker(m_list);
    m_table->setModel(nullptr);
    m_roll->setMelody(nullptr);
    for (auto &document : m_documents)
        m_undo->removeStack(&document->stack);
    m_documents = followDevice(std::move(m_documents), m_context.deviceNames());
    m_list->clear();
    int shownRow = -1;
    for (std::size_t i = 0; i < m_documents.size(); ++i) {
        MelodyDocument *document = m_documents[i].get();
        m_undo->addStack(&document->stack);
        m_list->addItem(document->listText());
        connect(&document->stack, &QUndoStack::cleanChanged, this, &MelodyDialog::updateListTexts,
                Qt::UniqueConnection);
        if (document == shown)
            shownRow = int(i);
    }
    m_list->setCurrentRow(shownRow);
    showDocument(shownRow);
}

void MelodyDialog::showDocument(int index)
{
    MelodyDocument *document = index >= 0 && std::size_t(index) < m_documents.size()
                                   ? m_documents[std::size_t(index)].get()
                                   : nullptr;
    if (document)
        document->readFrom(m_context.melodies);
    MelodyTableModel *model = document ? document->model.get() : nullptr;
    m_undo->setActiveStack(document ? &document->stack : nullptr);
    m_table->setModel(model);
    m_roll->setMelody(model ? &model->melody() : nullptr);
    if (model) {
        connect(model, &MelodyTableModel::melodyChanged, this, &MelodyDialog::updateFigures,
                Qt::UniqueConnection);
        connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &MelodyDialog::followSelection);
        if (model->rowCount() > 0)
            selectRows(0, 0);
    }
    setStatus(
        document && !document->problem.isEmpty()
            ? QStringLiteral("%1 cannot be shown: %2").arg(document->deviceName, document->problem)
            : QString());
    updateFigures();
}

void MelodyDialog::updateFigures()
{
    const MelodyDocument *document = current();
    const MelodyTableModel *model = document ? document->model.get() : nullptr;
    if (model) {
        const Melody &melody = model->melody();
        std::uint64_t units = 0;
        for (const MelodyRecord &r : melody.records)
            units += r.length;
        const QSignalBlocker blocker(m_tempo);
        m_tempo->setValue(melody.tempo);
        m_unit->setText(QStringLiteral("%1 ms a unit").arg(melody.tempo * 1000.0 / 64));
        m_length->setText(
            QStringLiteral("Length: %1 s").arg(double(units) * melody.tempo / 64, 0, 'f', 2));
        m_roll->setMelody(&melody);
        followSelection();
    } else {
        m_unit->clear();
        m_length->clear();
    }
    updateButtons();
}

void MelodyDialog::updateButtons()
{
    const MelodyDocument *document = current();
    const bool shown = document && document->model;
    m_table->setEnabled(shown);
    m_tempo->setEnabled(shown);
    for (QPushButton *button : m_editButtons)
        button->setEnabled(shown);
    m_remove->setEnabled(document && !document->deviceName.isEmpty());
    const bool output = m_context.canPlay();
    m_play->setEnabled(shown && !m_playing && output);
    m_play->setToolTip(output ? QString() : QStringLiteral("No sound output was found."));
    m_stop->setEnabled(m_playing);
}

QList<int> MelodyDialog::selectedRows() const
{
    QList<int> rows;
    if (!m_table->selectionModel())
        return rows;
    for (const QModelIndex &index : m_table->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void MelodyDialog::selectRows(int first, int last)
{
    QAbstractItemModel *model = m_table->model();
    if (!model || first < 0 || last >= model->rowCount())
        return;
    m_table->setCurrentIndex(model->index(first, 0));
    m_table->selectionModel()->select(
        QItemSelection(model->index(first, 0), model->index(last, model->columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect);
}

void MelodyDialog::followSelection()
{
    const QList<int> rows = selectedRows();
    m_roll->setSelection(rows.isEmpty() ? -1 : rows.first(), rows.isEmpty() ? -1 : rows.last());
    const QRect marked = m_roll->selectionRect();
    if (!marked.isEmpty())
        m_rollArea->ensureVisible(marked.center().x(), 0, marked.width() / 2 + 20, 0);
}

void MelodyDialog::updateListTexts()
{
    for (std::size_t row = 0; row < m_documents.size(); ++row)
        if (QListWidgetItem *item = m_list->item(int(row)))
            item->setText(m_documents[row]->listText());
}

void MelodyDialog::setStatus(const QString &text)
{
    m_status->setText(text);
}

void MelodyDialog::addDocument(std::unique_ptr<MelodyDocument> document)
{
    m_documents.push_back(std::move(document));
    MelodyDocument *added = m_documents.back().get();
    m_undo->addStack(&added->stack);
    m_list->addItem(added->listText());
    connect(&added->stack, &QUndoStack::cleanChanged, this, &MelodyDialog::updateListTexts);
    m_list->setCurrentRow(m_list->count() - 1);
    m_table->setFocus();
}

void MelodyDialog::newMelody()
{
    auto document = std::make_unique<MelodyDocument>();
    document->title = QStringLiteral("New %1").arg(++m_newCount);
    Melody melody;
    melody.records.push_back({MelodyTableModel::DefaultNote, 4, FullySounded - 1});
    document->setMelody(melody);
    addDocument(std::move(document));
}

void MelodyDialog::importMelody()
{
    const std::optional<ImportSource> source = m_askImport();
    if (!source)
        return;
    const MelodyResult result = ::importMelody(*source);
    std::string problem = result.ok() ? MelodyProblem(result.melody) : result.error;
    if (!result.ok() && result.position >= 0)
        problem += " (at byte " + std::to_string(result.position) + ')';
    if (!problem.empty()) {
        m_context.boxes.warn(QStringLiteral("The melody cannot be imported: %1")
                                 .arg(QString::fromStdString(problem)));
        return;
    }
    auto document = std::make_unique<MelodyDocument>();
    document->title = QStringLiteral("Imported %1").arg(++m_newCount);
    document->setMelody(result.melody);
    addDocument(std::move(document));
    QStringList notes;
    for (const std::string &note : result.notes)
        notes << QString::fromStdString(note);
    setStatus(notes.join(u'\n'));
}

void MelodyDialog::play()
{
    const MelodyDocument *document = current();
    if (!document || !document->model || m_playing)
        return;
    const Melody &melody = document->model->melody();
    const std::string problem = MelodyProblem(melody);
    if (!problem.empty()) {
        m_context.boxes.warn(QString::fromStdString(problem));
        return;
    }
    const std::vector<std::uint8_t> snd = WriteMelodySnd(melody);
    const QString path = m_context.workFolder + kPlayFile;
    QString error;
    if (!writeFileAtomically(path, QByteArrayView(snd.data(), qsizetype(snd.size())), &error)) {
        m_context.boxes.warn(error);
        return;
    }
    m_playing = true;
    updateButtons();
    m_stop->setFocus();
    m_context.preview.PlaySndPreview(path, m_editor);
    m_playing = false;
    updateButtons();
    m_play->setFocus();
}

void MelodyDialog::stop()
{
    m_context.preview.stop();
}

MelodyTableModel *MelodyDialog::shownModel() const
{
    const MelodyDocument *document = current();
    return document ? document->model.get() : nullptr;
}

void MelodyDialog::transpose(int semitones, bool selectionOnly)
{
    MelodyTableModel *model = shownModel();
    const QList<int> rows = selectionOnly ? selectedRows() : QList<int>();
    if (!model || (selectionOnly && rows.isEmpty()))
        return;
    if (!melodyops::transpose(*model, semitones, rows)) {
        setStatus(QStringLiteral("Not transposed: a note would leave the Tavion's range, %1 to %2.")
                      .arg(QString::fromStdString(NoteName(0)),
                           QString::fromStdString(NoteName(MaxNote))));
        return;
    }
    setStatus({});
    if (!rows.isEmpty())
        selectRows(rows.first(), rows.last());
}

void MelodyDialog::editRows(
    const std::function<std::optional<melodyops::Rows>(MelodyTableModel &, const QList<int> &)>
        &change)
{
    MelodyTableModel *model = shownModel();
    if (!model)
        return;
    if (const auto select = change(*model, selectedRows()))
        selectRows(select->first, select->last);
}

void MelodyDialog::insertNote()
{
    editRows(melodyops::insertNote);
}

void MelodyDialog::deleteNotes()
{
    editRows(melodyops::deleteNotes);
}

void MelodyDialog::moveNotes(int delta)
{
    editRows([delta](MelodyTableModel &model, const QList<int> &rows) {
        return melodyops::moveNotes(model, rows, delta);
    });
}

void MelodyDialog::changeTempo(int tempo)
{
    if (MelodyTableModel *model = shownModel())
        melodyops::setTempo(*model, tempo);
}

void MelodyDialog::saveToDevice()
{
    MelodyDocument *document = current();
    if (!document || !document->model)
        return;
    const Melody &melody = document->model->melody();
    if (const std::string problem = MelodyProblem(melody); !problem.empty()) {
        m_context.boxes.warn(QString::fromStdString(problem));
        return;
    }
    const QString typed = m_askName(document->deviceName);
    if (typed.isEmpty())
        return;
    QString problem;
    const std::optional<QString> name = DeviceMelodies::deviceName(typed, &problem);
    if (!name) {
        m_context.boxes.warn(problem[0].toUpper() + problem.mid(1) + u'.');
        return;
    }
    // Asked of the device itself: the list may be older than the device's folder.
    const bool replace = m_context.melodies.isOnDevice(*name);
    if (replace &&
        !m_context.boxes.askYesNo(QStringLiteral("%1 is already on the Tavion. Replace it?\n"
                                                 "The melody there is kept on the PC first.")
                                      .arg(*name)))
        return;
    const std::vector<std::uint8_t> snd = WriteMelodySnd(melody);
    const DeviceMelodies::Outcome done = m_context.melodies.put(
        QByteArray(reinterpret_cast<const char *>(snd.data()), qsizetype(snd.size())), *name,
        replace);
    if (done.ok()) {
        // The saved melody takes the name; the one it replaced (kept on the PC) goes.
        std::erase_if(m_documents, [&](const auto &other) {
            const bool replaced = other.get() != document && other->deviceName == *name;
            if (replaced)
                m_undo->removeStack(&other->stack);
            return replaced;
        });
        document->deviceName = *name;
        document->stack.setClean();
        m_context.deviceChanged();
        refreshList(document);
    } else {
        m_context.boxes.warn(
            QStringLiteral("Saving %1 to the Tavion failed: %2").arg(*name, done.problem));
    }
    setStatus(
        done.keptFile.isEmpty()
            ? (done.ok() ? QStringLiteral("%1 is saved on the Tavion.").arg(*name) : QString())
            : QStringLiteral("The melody %1 that was on the Tavion is kept in %2")
                  .arg(*name, done.keptFile));
}

void MelodyDialog::removeFromDevice()
{
    MelodyDocument *document = current();
    if (!document || document->deviceName.isEmpty())
        return;
    const QString name = document->deviceName;
    const QStringList alarms = m_context.alarmsUsing(name);
    const QString question =
        alarms.isEmpty()
            ? QStringLiteral("Remove %1 from the Tavion?").arg(name)
            : QStringLiteral("%1 %2 the melody %3. Remove %3 from the Tavion anyway?")
                  .arg(joinedNames(alarms),
                       alarms.size() == 1 ? QStringLiteral("uses") : QStringLiteral("use"), name);
    if (!m_context.boxes.askYesNo(question + QStringLiteral("\nIt is kept on the PC first.")))
        return;
    const DeviceMelodies::Outcome done = m_context.melodies.remove(name);
    if (!done.ok())
        m_context.boxes.warn(
            QStringLiteral("Removing %1 from the Tavion failed: %2").arg(name, done.problem));
    if (!done.keptFile.isEmpty())
        setStatus(QStringLiteral("%1 is kept in %2").arg(name, done.keptFile));
    if (done.ok()) {
        m_context.deviceChanged();
        const QString status = m_status->text();
        const int row = m_list->currentRow();
        refreshList(nullptr);
        // The neighbour is shown, so that no later focus change picks one over the message.
        m_list->setCurrentRow(std::min(row, m_list->count() - 1));
        setStatus(status);
    }
}

void MelodyDialog::reject()
{
    if (m_playing) {
        stop();
        return;
    }
    QStringList unsaved;
    for (const auto &document : m_documents)
        if (document->model && document->unsaved())
            unsaved << (document->deviceName.isEmpty() ? document->title : document->deviceName);
    if (!unsaved.isEmpty() &&
        !m_context.boxes.askYesNo(
            QStringLiteral("%1 %2 not saved to the Tavion. Close and lose the changes?")
                .arg(joinedNames(unsaved),
                     unsaved.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"))))
        return;
    QDialog::reject();
}
