#pragma once

#include "core/Melody.h"

#include <QByteArray>
#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;

// What to import: ringtone text, melody text or a MIDI file's bytes, and how.
struct ImportSource
{
    QByteArray bytes;
    ImportOptions options;
};

// The melody the source holds (a MIDI file, the melody text form, else RTTTL).
MelodyResult importMelody(const ImportSource &source);

// Asks for ringtone (RTTTL) text, pasted or read from a file, or a MIDI file and its track.
class MelodyImportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MelodyImportDialog(QWidget *parent = nullptr);

    // Shows the dialog; nullopt when cancelled.
    static std::optional<ImportSource> ask(QWidget *parent);
    ImportSource source() const;

private:
    void chooseFile();

    QPlainTextEdit *m_text = nullptr;
    QLabel *m_file = nullptr;
    QSpinBox *m_track = nullptr;
    QCheckBox *m_legato = nullptr;
    QByteArray m_midi; // the chosen MIDI file; empty while the text is used
};
