#pragma once

#include "gui/melodies/MelodyDocument.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DeviceMelodies;
class MessageBoxes;
class PianoRoll;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTableView;
class QUndoGroup;
class SoundPreview;
struct ImportSource;
class MelodyTableModel;
namespace melodyops {
struct Rows;
}

// What the melody dialog works with; the main window's controller provides it.
struct MelodyDialogContext
{
    DeviceMelodies &melodies;
    MessageBoxes &boxes;
    SoundPreview &preview;
    QString workFolder;                                      // where a melody to play is written
    std::function<QStringList()> deviceNames;                // the device's melodies, upper case
    std::function<QStringList(const QString &)> alarmsUsing; // "Alarm 2", ... for a melody
    std::function<bool()> canPlay;                           // a sound output exists
    std::function<void()> deviceChanged;                     // after a save or a removal
};

// Settings › Alarm Melodies: the device's melodies, each editable as a note table with a
// piano-roll picture, played, transposed, saved to and removed from the device.
class MelodyDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MelodyDialog(MelodyDialogContext context, QWidget *parent = nullptr);
    ~MelodyDialog() override;

    // Asks where an import comes from; nullopt when cancelled. The import dialog by default.
    using ImportAsker = std::function<std::optional<ImportSource>()>;
    void setImportAsker(ImportAsker asker) { m_askImport = std::move(asker); }
    // Asks the name to save under, given a suggestion; empty when cancelled.
    using NameAsker = std::function<QString(const QString &suggestion)>;
    void setNameAsker(NameAsker asker) { m_askName = std::move(asker); }

    void reject() override;

private:
    void buildControls();
    QPushButton *addButton(const char *name, const QString &text, const QString &accessible,
                           void (MelodyDialog::*slot)());
    // Lists the device's melodies again, then the new ones, showing `shown` if still listed.
    void refreshList(MelodyDocument *shown);
    void showDocument(int index);
    MelodyDocument *current() const;
    MelodyTableModel *shownModel() const;
    // Runs a change of the selected rows and selects what it answers.
    void editRows(const std::function<std::optional<melodyops::Rows>(MelodyTableModel &,
                                                                     const QList<int> &)> &change);
    void updateFigures();
    void updateButtons();
    void followSelection();
    QList<int> selectedRows() const;
    void selectRows(int first, int last);
    void setStatus(const QString &text);
    void updateListTexts();

    void newMelody();
    void importMelody();
    void play();
    void stop();
    void transpose(int semitones, bool selectionOnly);
    void insertNote();
    void deleteNotes();
    void moveNotes(int delta);
    void changeTempo(int tempo);
    void saveToDevice();
    void removeFromDevice();
    void addDocument(std::unique_ptr<MelodyDocument> document);

    MelodyDialogContext m_context;
    ImportAsker m_askImport;
    NameAsker m_askName;
    MelodyDocuments m_documents; // in list order
    int m_newCount = 0;
    bool m_playing = false;

    QUndoGroup *m_undo = nullptr;
    QListWidget *m_list = nullptr;
    QWidget *m_editor = nullptr; // all but Stop: disabled while a melody plays
    QTableView *m_table = nullptr;
    QScrollArea *m_rollArea = nullptr;
    PianoRoll *m_roll = nullptr;
    QSpinBox *m_tempo = nullptr;
    QLabel *m_unit = nullptr;
    QLabel *m_length = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_play = nullptr, *m_stop = nullptr, *m_save = nullptr, *m_remove = nullptr;
    std::vector<QPushButton *> m_editButtons; // those that need a melody shown
};
